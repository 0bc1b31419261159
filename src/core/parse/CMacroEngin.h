#pragma once
// The conditional-compilation evaluator: called by a reader right after it met "#", it reads
// the directive from the same buffer and consumes every rejected branch, so the analysers never
// see it. Conditions are a rule set, not expressions: only the first term of an #if counts.
//
//   #if defined(__OBJC__) && 0   -> taken (only "defined(__OBJC__)" is looked at)
//   #if 0 / #if 1                -> both rejected: neither is a defined symbol
//   #if MAC_OS_X_VERSION_... >= ...  -> taken
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/parse/CMacroInfo.h"

namespace kestrel {

class DefineData;
class DefinedNames;
class TextBuffer;

class CMacroEngin {
public:
    // initWithBuffer:header: -- with a header name, its record in the process-wide define list
    // (if any) decides symbols along with the fixed table.
    CMacroEngin(TextBuffer* buffer, std::optional<std::string> header);
    virtual ~CMacroEngin();

    void doCalc();  // handles one directive
    // Is the symbol taken as defined? Drops the rest of the current line unless the header's
    // defines answered at once.
    virtual bool checkMacroValue(std::string symbol);

    void doIf(bool unused);
    void doIfDef(bool isIfdef);  // true for #ifdef, false for #ifndef
    void doElse();
    void doEndIf();
    virtual void doImport();
    virtual void doInclude();  // drops the line; the define pass follows it as an import
    virtual void doDefine();
    void addNewStatus(bool status);
    // Consumes a rejected branch; answers the directive word where it stopped ("else" or
    // "endif"), or "" when the text ended first.
    std::string removeFalsePart();

    const std::vector<CMacroInfo>& getMacroStack() const { return macroStack; }
    const CMacroInfo* getCurrentMacro() const { return macroStack.empty() ? nullptr : &macroStack.back(); }
    // The header's define record, or none.
    const std::shared_ptr<DefineData>& getCurrentData() const { return currentData; }
    // Every name that the define list defines (kept up to date by the caller): a symbol
    // outside it is answered without a walk through the imports. None: always walk.
    void setDefinedNames(const DefinedNames* names) { definedNames = names; }
    const DefinedNames* getDefinedNames() const { return definedNames; }

protected:
    void applyOutcome(bool taken);
    // Reads one command; the empty string at the end of the text.
    std::string readCommand(int& status);

    std::optional<std::string> targetHeader;
    TextBuffer* textBuffer;
    std::vector<CMacroInfo> macroStack;  // innermost last; currentMacro is its last entry
    std::shared_ptr<DefineData> currentData;
    const DefinedNames* definedNames = nullptr;
};

}  // namespace kestrel
