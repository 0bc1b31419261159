#pragma once
// The C declarations met inside an @interface or @protocol block, between its method
// declarations: file-level C all the same, filed in the record lists as at file level.
//
//   @protocol NSSpellServerDelegate <NSObject>
//   FOUNDATION_EXPORT NSString *const NSGrammarRange;    -> a variable record
//   typedef uint64_t MTLTimestamp;                       -> a typedef
//   enum { KitA, KitB };  struct KitPair { int a, b; };  -> an enum and a struct
//   @end
//
// A macro of the header that stands for "extern", "struct" or "typedef" (GS_EXPORT) opens its
// declaration only where a declaration starts. The functions filed here carry no framework or
// header name: the driver labels them.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class CMacroEngin;
struct EnumSources;
class MacroKeywordSource;
struct RecordLists;
class TextBuffer;

class BlockDeclarations {
public:
    // With no records the declarations are read and dropped; with no keywords no macro stands
    // for a keyword.
    BlockDeclarations(TextBuffer* buffer, CMacroEngin* macro, RecordLists* records, MacroKeywordSource* keywords)
        : buffer(buffer), macro(macro), records(records), keywords(keywords) {}

    // Reads the declaration that word, just read, opens -- "extern", "enum", "struct", "union",
    // "typedef" or a macro for one when atStart -- and answers true; false, with nothing read,
    // for any other word.
    bool read(std::string_view word, bool atStart);
    // The typedef whose word was just read.
    void readTypeDef();
    // keyword: "struct" or "union", just read; also inside an instance-variable block, where a
    // variable of the type is the class's.
    void readStruct(std::string_view keyword);
    void readEnum();

private:
    // "extern", "struct" or "typedef" for a macro of the header that stands for it; else none.
    std::optional<std::string> keywordFor(std::string_view word) const;
    EnumSources enumSources() const;
    void readExtern();

    TextBuffer* buffer;
    CMacroEngin* macro;
    RecordLists* records;
    MacroKeywordSource* keywords;
};

}  // namespace kestrel
