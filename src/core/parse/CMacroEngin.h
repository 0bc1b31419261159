#pragma once
// The conditional-compilation evaluator: called by a reader right after it met "#", it reads
// the directive from the same buffer and consumes every rejected branch, so the analysers never
// see it. Conditions are C preprocessor expressions, evaluated for the compile target
// (CompileTarget) with the macros the header sees at that point (MacroScope): its own defines
// so far, those of the headers it has imported so far, and the target's predefined ones.
//
//   #if TARGET_OS_OSX && !__has_include(<UIKit/UIKit.h>)   -> evaluated (ConditionExpression)
//   #elif defined(__cplusplus)                            -> chosen by its own condition
//   #ifdef / #ifndef X, #else, #endif                     -> as a compiler reads them
//   #define / #undef                                      -> seen by the conditions below them
//   #import / #include <F/H.h>                            -> H.h's define record becomes visible
//   #pragma, #error, #warning, #line, #ident ...          -> consumed
//
// A condition that cannot be evaluated (division by zero, overflow, a macro expanding without
// bound, a parenthesis never closed) is false; the reason goes to the decision observer
// (`kestrel tokens --conditions` prints it). The expansions of one header together make at most
// kExpansionBudget tokens, so that no header of bad definitions can keep the build for long.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/parse/CMacroInfo.h"
#include "core/parse/MacroScope.h"
#include "core/parse/PreprocessorLexer.h"

namespace kestrel {

class DefineData;
class DefinedNames;
class TextBuffer;

class CMacroEngin {
public:
    // One condition decided: where its directive stood in the text (an offset into it), the
    // directive ("if", "elif", "ifdef", "ifndef"), the condition as written (comments dropped),
    // the outcome, and why it was decided false without being evaluated, if so.
    struct Decision {
        std::size_t offset = 0;
        std::string directive;
        std::string condition;
        bool value = false;
        std::optional<std::string> reason;
    };

    static constexpr std::size_t kExpansionBudget = std::size_t(1) << 22;

    // initWithBuffer:header: -- the header name names the record the analysers see as
    // currentData (the define list's records of its imports stay as the define pass made them).
    CMacroEngin(TextBuffer* buffer, std::optional<std::string> header);
    virtual ~CMacroEngin();

    void doCalc();  // handles one directive
    // Whether doCalc reads the rest of the line after the word ("define", "if", "pragma", ...);
    // another word's line is left to be read as text.
    static bool readsDirectiveLine(std::string_view word);
    // Is the symbol defined for the header at this point? "!X" asks the opposite.
    bool checkMacroValue(std::string symbol);

    void doIf(bool unused);
    void doElif();
    void doIfDef(bool isIfdef);  // true for #ifdef, false for #ifndef
    void doElse();
    void doEndIf();
    virtual void doImport();   // #import, #include: the header's record becomes visible
    virtual void doInclude();  // the same
    virtual void doIncludeNext();  // the system's next header of a name: nothing for the analysis
    virtual void doDefine();
    virtual void doUndef();
    void addNewStatus(bool status);
    // Consumes a rejected branch; answers the directive word where it stopped ("else", "elif" or
    // "endif", the rest of that directive's line unread), or "" when the text ended first.
    std::string removeFalsePart();

    // The text with its macros expanded as the header sees them at this point:
    //   expand("API_AVAILABLE(macos(10.7))") -> "__attribute__((availability(macos,introduced=10.7)))"
    std::string expand(std::string_view text);
    // The same on tokens already cut.
    PreprocessorTokens expand(const PreprocessorTokens& tokens);
    MacroScope& getScope() { return scope; }

    const std::vector<CMacroInfo>& getMacroStack() const { return macroStack; }
    const CMacroInfo* getCurrentMacro() const { return macroStack.empty() ? nullptr : &macroStack.back(); }
    // The header's define record as this evaluator has read it so far: its own defines and the
    // headers it has imported (whose records are the define list's).
    const std::shared_ptr<DefineData>& getCurrentData() const { return currentData; }
    // Which records define which names (kept up to date by the caller): lookups through the
    // imports ask it instead of walking them. None: they walk.
    void setDefinedNames(const DefinedNames* names);
    const DefinedNames* getDefinedNames() const { return definedNames; }
    // The header's path, for "" includes and include_next in __has_include.
    void setHeaderPath(std::optional<std::string> path) { scope.setCurrentFile(std::move(path)); }
    // Called with every condition decided, in order.
    void setDecisionObserver(std::function<void(const Decision&)> observer) { decisionObserver = std::move(observer); }

protected:
    struct IncludeName {
        std::string written;  // "Foundation/NSString.h"
        bool angled = true;   // <...> rather than "..."
    };

    void applyOutcome(bool taken);
    // Evaluates the condition text of an #if or #elif.
    bool evaluate(const std::string& directive, const std::string& text, std::size_t offset);
    void decided(Decision decision);
    // Skips to the "#endif" that closes the open conditional, past any #elif and #else.
    void skipToEndIf();
    // Reads one command; the empty string at the end of the text.
    std::string_view readCommand(int& status);
    // Drops the rest of a line of a branch left out, up to a block comment opened in it (quote:
    // the literal the line's first command opened, else NUL).
    void dropCodeOfLine(char quote);
    static char literalOpenAfter(std::string_view text);
    // The rest of the directive's logical line (consumed).
    std::string readDirectiveText();
    // The header an #import or #include names (a macro for it expanded); none when it names none.
    std::optional<IncludeName> readIncludeName();
    // The define record key of an included header, as the define pass files it: the path for a
    // header outside the frameworks that the define list knows by it ("sys/cdefs.h"), else the
    // part after the framework ("Foundation/NSString.h" -> "NSString.h").
    std::string recordKey(const std::string& written) const;
    std::size_t directiveOffset() const;

    std::optional<std::string> targetHeader;
    TextBuffer* textBuffer;
    std::vector<CMacroInfo> macroStack;  // innermost last; currentMacro is its last entry
    std::shared_ptr<DefineData> currentData;
    const DefinedNames* definedNames = nullptr;
    MacroScope scope;
    std::function<void(const Decision&)> decisionObserver;
    std::size_t expansionBudget = kExpansionBudget;  // tokens the header's expansions may still make
};

}  // namespace kestrel
