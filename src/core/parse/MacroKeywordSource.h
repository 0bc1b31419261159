#pragma once
// What an analyser asks of the driver while it reads a header: the driver keyword that a word
// stands for as a macro of that header ("GS_EXPORT" -> "extern", see MacroKeywordResolver),
// whether a word is a macro that leaves no declaration text ("NS_RETURNS_RETAINED"), the
// definitions of the header's macros, and which macros open an enum (NS_ENUM).
#include <optional>
#include <string>

namespace kestrel {

class EnumMacroForms;
class MacroBody;

class MacroKeywordSource {
public:
    virtual ~MacroKeywordSource() = default;

    // The keyword, or none: the word stands for none, or no header is under analysis.
    virtual std::optional<std::string> macroKeywordFor(const std::string& word) = 0;
    // Whether word is a macro of that header that expands to nothing or to an attribute; none
    // when the header's define records know no definition of it, or cannot tell (a definition
    // that picks among its arguments).
    virtual std::optional<bool> isAttributeMacro(const std::string& word) = 0;
    // The definition of word as the header's define records show it, or none. The answer
    // lives as long as the header's analysis.
    virtual const MacroBody* macroDefinition(const std::string& word) {
        (void)word;
        return nullptr;
    }
    // Whether the header defines word itself further down than it has been read: a use above
    // the definition is no use of the macro ("CG_EXTERN bool CGPointEqualToPoint(...);" before
    // "#define CGPointEqualToPoint __CGPointEqualToPoint").
    virtual bool definedFurtherDown(const std::string& word) {
        (void)word;
        return false;
    }
    // The enum macros of that header; none outside an analysis.
    virtual EnumMacroForms* enumMacroForms() { return nullptr; }
};

}  // namespace kestrel
