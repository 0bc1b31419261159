#pragma once
// Reads one @protocol block, from the word after "@protocol" to "@end", into a ProtocolData
// with its adopted protocols and its normalised method strings:
//
//   @protocol NSLocking <NSObject>        name "NSLocking", protocolNames ["NSObject"],
//   - (void)lock;                         methodList ["-(void)lock",
//   - (BOOL)tryLock:(unsigned int)n;                  "-(BOOL)tryLock:(unsigned int)n"]
//   @end
//
// A forward declaration (a ";" anywhere in the rest of the line) and a name in parentheses give
// no record. The C declarations between the methods are the file's, as in an @interface block. A block that the text ends inside keeps the methods completed before the end.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/parse/BlockDeclarations.h"
#include "core/parse/TextEngin.h"

namespace kestrel {

class MacroKeywordSource;
class ProtocolData;
struct RecordLists;

class ProtocolEngin : public TextEngin {
public:
    // keywords tells which words are attribute macros, left out of the methods, and which
    // stand for a keyword; with none, no word is. records receive the C declarations of the
    // block (see BlockDeclarations); with none they are read and dropped.
    ProtocolEngin(TextBuffer* buffer, CMacroEngin* macro, MacroKeywordSource* keywords = nullptr,
                  RecordLists* records = nullptr)
        : TextEngin(buffer, macro), keywords(keywords), declarations(buffer, macro, records, keywords) {}

    std::shared_ptr<TreeData> doAnalyse(const std::string& opener) override;
    // The declaration line; flag tells that a brace block follows. None for a name in
    // parentheses.
    std::shared_ptr<ProtocolData> analyseDeclarationPart(bool& flag);
    // The method strings up to "@end" (an empty list when there are none).
    std::vector<std::string> analyseInstancePart(bool flag);
    // Skips a brace block up to the first "}" (no depth count; an embedded struct is skipped
    // whole so that its braces do not end the block).
    void analyseInstanceValuePart();

private:
    std::optional<std::string_view> nextCommand(int& status);

    MacroKeywordSource* keywords;
    BlockDeclarations declarations;  // the enums, structs, typedefs and externs of the block
    std::optional<std::vector<std::string>> protocolList;  // of the declaration being read
};

}  // namespace kestrel
