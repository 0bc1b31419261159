#pragma once
// What the analysers ask of a macro expander: the tokens that a run of tokens expands to, as
// the header under analysis knows its macros. The enum forms (EnumMacroForms) use it to see
// what a macro written before an enum body stands for.
//
//   expand({"NS_ENUM", "(", "A0", ",", "A1", ")"})
//     -> {"enum", "__attribute__", "(", "(", ..., ")", ")", "A1", ":", "A0", "A1", ";",
//         "enum", "A1", ":", "A0"}
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class MacroExpansionSource {
public:
    virtual ~MacroExpansionSource() = default;

    // Whether word is a macro that the header knows at all (a quick question, asked often).
    virtual bool isMacro(const std::string& word) = 0;
    // The tokens, every macro among them expanded; none when the expansion cannot be made
    // (it grows beyond reason, or a call lacks its closing parenthesis).
    virtual std::optional<std::vector<std::string>> expand(const std::vector<std::string>& tokens) = 0;
};

}  // namespace kestrel
