#pragma once
// The header analysis driver: reads one header command by command, lets the evaluator handle
// directives, skips comments, and hands each declaration keyword to its analyser, filing what
// they find in the record lists:
//
//   @interface, @protocol   classes and categories, protocols (ClassEngin, ProtocolEngin)
//   struct, typedef         structs, enums and typedef names (StructEngin, TypeDefEngin)
//   union                   unions, filed as structs
//   enum, enum macros       enums (EnumEngin; a macro whose expansion opens an enum, NS_ENUM)
//   extern, CG_INLINE, CG_EXTERN, APPKIT_EXTERN, FOUNDATION_EXPORT, FOUNDATION_STATIC_INLINE
//                           function and variable records of kinds 13, 11, 12, 10, 8 and 9
//   type                    the rest of its line is dropped
//
// A macro that the define records show to stand for a keyword reads as that keyword
// (see MacroKeywordResolver; a macro for "static inline", GNUstep's GS_GEOM_SCOPE, reads as
// CG_INLINE). Any other word that opens a declaration -- "void NSBeep(void);",
// "static inline ..." -- opens one without keyword (extern's kind, a static or inline function
// CG_INLINE's), unless it is an attribute or a macro standing alone on its line
// ("NS_ASSUME_NONNULL_BEGIN", "__BEGIN_DECLS"), which is passed over.
//
// Classes, categories, enums and functions are labelled with the header's framework and file
// names.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/parse/DeclarationNotesPass.h"
#include "core/parse/DefineRecordExpander.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/EnumMacroForms.h"
#include "core/parse/FunctionFiler.h"
#include "core/parse/MacroKeywordResolver.h"
#include "core/parse/MacroKeywordSource.h"

namespace kestrel {

class CMacroEngin;
class DefineData;
class FunctionMacrosData;
struct EnumSources;
class TextBuffer;
struct RecordLists;

class HeaderAnalyser : public MacroKeywordSource {
public:
    // records must outlive the analyser.
    explicit HeaderAnalyser(RecordLists& records);
    ~HeaderAnalyser() override;

    // Reads the header at path (unreadable: an empty text) and files what it declares.
    void analyseHedderFile(const std::string& path, const std::string& hedderName,
                           const std::string& fwName, bool flag);
    // The command loop over one buffer. flag marks a header from the user's private list: the
    // classes found in it get the custom mark.
    void doAnalyseHedderFile(TextBuffer& buffer, const std::string& hedderName,
                             const std::string& fwName, bool flag);
    // (framework name, header name) of the header now under analysis, or of the last one.
    const std::pair<std::string, std::string>& getAnaFileInfo() const { return anaInfo; }
    // The driver keyword that word stands for as a macro of the header under analysis
    // ("GS_EXPORT" -> "extern", see MacroKeywordResolver); none outside an analysis.
    std::optional<std::string> macroKeywordFor(const std::string& word) override;
    std::optional<bool> isAttributeMacro(const std::string& word) override;
    const MacroBody* macroDefinition(const std::string& word) override;
    bool definedFurtherDown(const std::string& word) override;
    EnumMacroForms* enumMacroForms() override;
    // Is word one of the driver's keywords ("extern", "@interface", "APPKIT_EXTERN", ...)?
    // Only as a whole command and in this case: "structure" or "Struct" is none.
    static bool isKeyword(std::string_view word);

    // The analysers, called by the loop right after their keyword. The struct and typedef ones
    // file their records (structList, enumList, typedefList) themselves.
    // opener: "struct" or "union".
    void analyseStruct(TextBuffer& buffer, CMacroEngin* macro, std::string_view opener = "struct");
    void analyseTypeDef(TextBuffer& buffer, CMacroEngin* macro);
    // The function and variable analysers: a record of the keyword's kind for each name the
    // declaration declares ("extern int a, b;": two) whose name is its declaration text, or
    // none; the loop labels and files them. Each record made sets functionsWasChanged.
    FunctionRecords analyseExtern(TextBuffer& buffer, CMacroEngin* macro);
    FunctionRecords analyseCG_INLINE(TextBuffer& buffer, CMacroEngin* macro);
    FunctionRecords analyseCG_EXTERN(TextBuffer& buffer, CMacroEngin* macro);
    FunctionRecords analyseAPPKIT_EXTERN(TextBuffer& buffer, CMacroEngin* macro);
    // "FOUNDATION_EXPORT NSString *NSFoo;" -> "NSString* NSFoo".
    FunctionRecords analyseFOUNDATION_EXPORT(TextBuffer& buffer, CMacroEngin* macro);
    FunctionRecords analyseFOUNDATION_STATIC_INLINE(TextBuffer& buffer, CMacroEngin* macro);
    // A declaration that no keyword opened; first is its first word, already read.
    FunctionRecords analyseDeclaration(TextBuffer& buffer, CMacroEngin* macro, const std::string& first);

    // "enum" at file level: an enum with a body is filed; false, with nothing read, when no
    // body follows (a function returning an enum, a variable of one).
    bool analyseEnum(TextBuffer& buffer, CMacroEngin* macro);
    // A word that may be a macro opening an enum (CF_ENUM(OSStatus) {...};): false, with
    // nothing read, when it is none.
    bool analyseEnumMacro(TextBuffer& buffer, CMacroEngin* macro, const std::string& word);

private:
    EnumSources enumSources();
    // Whether word, read outside parentheses, belongs to no declaration but opens one of its
    // own: a keyword, a macro for one, or "struct" before a body.
    bool endsDeclaration(std::string_view word, TextBuffer& buffer);
    // A word at file level that no keyword is: passed over with its arguments when it is an
    // attribute or a macro standing alone, else read as the start of a declaration.
    void analyseOtherWord(const std::string& word, TextBuffer& buffer, CMacroEngin& macro);
    bool isStatementMacro(const std::string& word, TextBuffer& buffer);
    // Takes what an analyser handed back as the next command of the loop.
    template <typename Engin>
    void takeHandedBack(const Engin& engin);
    // One declaration read with an analyser of type Engin into records of kind; the extern
    // kind with a DeclarationEngin reads one that no keyword opened, first its first word.
    template <typename Engin>
    FunctionRecords readFunctions(TextBuffer& buffer, CMacroEngin* macro, std::int32_t kind,
                                  const std::string& first = "");

    RecordLists& records;
    std::pair<std::string, std::string> anaInfo;        // (frameworkName, headderName)
    std::optional<std::string> hedderPath;              // of the header analyseHedderFile reads
    DefinedNames definedNames;                          // kept across headers, refreshed per header
    std::optional<MacroKeywordResolver> macroKeywords;  // of the header under analysis
    FunctionFiler functionFiler;
    std::shared_ptr<DefineData> wholeHeader;  // the define pass's record of the header under analysis
    std::shared_ptr<DefineData> readSoFar;    // the analysis's own: what it has defined up to where it is read
    std::optional<std::pair<std::string, int>> pending;  // a command handed back, and its status
    DefineRecordExpander::ParsedDefinitions parsedDefinitions;  // kept across the headers of a build
    std::pair<std::size_t, std::weak_ptr<DefineData>> parsedFor;  // the define list they were read for
    std::optional<DefineRecordExpander> macroExpander;  // of the header under analysis
    std::optional<EnumMacroForms> enumForms;            // likewise, over macroExpander
    DeclarationNotesPass::Memory notesMemory;           // kept as parsedDefinitions are
    MacroKeywordResolver::ParsedBodies parsedBodies;    // likewise
};

}  // namespace kestrel
