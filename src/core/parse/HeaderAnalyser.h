#pragma once
// The header analysis driver: reads one header command by command, lets the evaluator handle
// directives, skips comments, and hands each declaration keyword to its analyser, filing what
// they find in the record lists:
//
//   @interface, @protocol   classes and categories, protocols (ClassEngin, ProtocolEngin)
//   struct, typedef         structs, enums and typedef names (StructEngin, TypeDefEngin)
//   enum, enum macros       enums (EnumEngin; a macro whose expansion opens an enum, NS_ENUM)
//   extern, CG_INLINE, CG_EXTERN, APPKIT_EXTERN, FOUNDATION_EXPORT, FOUNDATION_STATIC_INLINE
//                           function and macro records of kinds 13, 11, 12, 10, 8 and 9
//   type                    the rest of its line is dropped
//
// Classes, categories, enums and functions are labelled with the header's framework and file
// names.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/parse/DeclarationNotesPass.h"
#include "core/parse/DefineRecordExpander.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/EnumMacroForms.h"
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
    EnumMacroForms* enumMacroForms() override;
    // Is word one of the driver's keywords ("extern", "@interface", "APPKIT_EXTERN", ...)?
    // Only as a whole command and in this case: "structure" or "Struct" is none.
    static bool isKeyword(std::string_view word);

    // The analysers, called by the loop right after their keyword. The struct and typedef ones
    // file their records (structList, enumList, typedefList) themselves.
    void analyseStruct(TextBuffer& buffer, CMacroEngin* macro);
    void analyseTypeDef(TextBuffer& buffer, CMacroEngin* macro);
    // "enum" at file level: an enum with a body is filed; anything else is left unread.
    void analyseEnum(TextBuffer& buffer, CMacroEngin* macro);
    // A word that may be a macro opening an enum (CF_ENUM(OSStatus) {...};): false, with
    // nothing read, when it is none.
    bool analyseEnumMacro(TextBuffer& buffer, CMacroEngin* macro, const std::string& word);
    // The function and macro analysers: a record of the keyword's kind whose name is the
    // declaration text, or none; the loop labels and files it. Each record made sets
    // functionsWasChanged.
    std::shared_ptr<FunctionMacrosData> analyseExtern(TextBuffer& buffer, CMacroEngin* macro);
    std::shared_ptr<FunctionMacrosData> analyseCG_INLINE(TextBuffer& buffer, CMacroEngin* macro);
    std::shared_ptr<FunctionMacrosData> analyseCG_EXTERN(TextBuffer& buffer, CMacroEngin* macro);
    std::shared_ptr<FunctionMacrosData> analyseAPPKIT_EXTERN(TextBuffer& buffer, CMacroEngin* macro);
    // Takes the rest of the line only: "FOUNDATION_EXPORT NSString *NSFoo;" -> "NSString* NSFoo".
    std::shared_ptr<FunctionMacrosData> analyseFOUNDATION_EXPORT(TextBuffer& buffer, CMacroEngin* macro);
    std::shared_ptr<FunctionMacrosData> analyseFOUNDATION_STATIC_INLINE(TextBuffer& buffer, CMacroEngin* macro);

private:
    EnumSources enumSources();

    RecordLists& records;
    std::pair<std::string, std::string> anaInfo;        // (frameworkName, headderName)
    std::optional<std::string> hedderPath;              // of the header analyseHedderFile reads
    DefinedNames definedNames;                          // kept across headers, refreshed per header
    std::optional<MacroKeywordResolver> macroKeywords;  // of the header under analysis
    DefineRecordExpander::ParsedDefinitions parsedDefinitions;  // kept across the headers of a build
    std::pair<std::size_t, std::weak_ptr<DefineData>> parsedFor;  // the define list they were read for
    std::optional<DefineRecordExpander> macroExpander;  // of the header under analysis
    std::optional<EnumMacroForms> enumForms;            // likewise, over macroExpander
    DeclarationNotesPass::Memory notesMemory;           // kept as parsedDefinitions are
};

}  // namespace kestrel
