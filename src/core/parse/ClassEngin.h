#pragma once
// The interface analyser: reads one @interface block, from the word after "@interface" to
// "@end", into a class record or, for "@interface Foo (Extras)", a category record:
//
//   @interface Foo : Bar <P1, P2>      class Foo, superclass Bar, protocols P1 P2
//   {  int x; enum { A, B } mode; }     instance variables skipped; the enum is filed
//   - (void)setFoo:(id)foo bar:(int)x;  method "-(void)setFoo:(id)foo bar:(int)x"
//   @property (readonly) int count;     method "-(int)count" (see PropertyDeclaration)
//   @end
//
// Enums, structs, unions, typedefs and extern declarations met inside the block, among the
// instance variables too, are filed in the record lists as at file level (the driver labels
// the functions with their header). Inside a method declaration those words belong to its
// types: "- (void)send:(const struct MIDIEventList *)list;" is a method. A macro for one of
// those keywords (GS_EXPORT for extern) counts as that keyword where it starts a declaration;
// an attribute macro in a method declaration is left out (see MethodAttributeFilter).
//
// A block cut off by the end of the text keeps the methods completed before the cut; the text
// ending right after "@interface" gives no record.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/parse/BlockDeclarations.h"
#include "core/parse/TextEngin.h"

namespace kestrel {

class HasMethodsData;
class MacroKeywordSource;
class MethodStringMaker;
struct RecordLists;

class ClassEngin : public TextEngin {
public:
    // records receive the enums, structs and functions of the block; with none they are read
    // and dropped. keywords tells which words are macros for a keyword; with none, no word is.
    ClassEngin(TextBuffer* buffer, CMacroEngin* macro, RecordLists* records = nullptr,
               MacroKeywordSource* keywords = nullptr);

    // The class or category record, or none when the text ends before the class name.
    std::shared_ptr<TreeData> doAnalyse(const std::string& opener) override;
    // Name, superclass or extended class, and protocols; flag: an instance-variable block follows.
    // None only when the text ends before the class name.
    std::shared_ptr<HasMethodsData> analyseDeclarationPart(bool& flag);
    // The normalised method strings in declaration order, or none when there is none.
    std::optional<std::vector<std::string>> analyseInstancePart(bool flag);
    // Skips a brace block whose "{" was just read, counting nested braces; files its enums.
    void analyseInstanceValuePart();
    // Reads a typedef whose word was just read, up to its final ";", as at file level.
    void analyseTypeDefPart();

private:
    // The accessors of a property declaration go into maker; true when "@end" cut it short.
    bool addProperty(MethodStringMaker& maker);

    MacroKeywordSource* keywords;
    BlockDeclarations declarations;  // the enums, structs, typedefs and externs of the block
    std::optional<std::vector<std::string>> protocolList;  // of the declaration being read
};

}  // namespace kestrel
