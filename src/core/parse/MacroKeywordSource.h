#pragma once
// What an analyser asks of the driver while it reads a header: the driver keyword that a word
// stands for as a macro of that header ("GS_EXPORT" -> "extern", see MacroKeywordResolver), and
// whether a word is a macro that leaves no declaration text ("NS_RETURNS_RETAINED"), and which
// macros open an enum (NS_ENUM).
#include <optional>
#include <string>

namespace kestrel {

class EnumMacroForms;

class MacroKeywordSource {
public:
    virtual ~MacroKeywordSource() = default;

    // The keyword, or none: the word stands for none, or no header is under analysis.
    virtual std::optional<std::string> macroKeywordFor(const std::string& word) = 0;
    // Whether word is a macro of that header that expands to nothing or to an attribute; none
    // when the header's define records know no definition of it.
    virtual std::optional<bool> isAttributeMacro(const std::string& word) = 0;
    // The enum macros of that header; none outside an analysis.
    virtual EnumMacroForms* enumMacroForms() { return nullptr; }
};

}  // namespace kestrel
