#pragma once
// One constant of an enum: its name and, where the header writes one, its value as written
// (blanks made single, comments and attribute macros left out).
//
//   "NSFoo API_AVAILABLE(macos(10.12)) = 1 <<  3"  -> {"NSFoo", "1 << 3"}
//   "kTypeChar = 'TEXT'"                            -> {"kTypeChar", "'TEXT'"}
//   "NSBar"                                         -> {"NSBar", none}
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct EnumConstant {
    std::string name;
    std::optional<std::string> value;

    bool operator==(const EnumConstant&) const = default;

    // "NAME" or "NAME = VALUE".
    std::string text() const;
    // The same added to out (a body or a file being written: no text made for each constant).
    void appendText(std::string& out) const;

    // One enumerator's text: its leading name, and the text after the first "=" outside
    // parentheses and character constants as its value. Whatever stands between the name and
    // the "=" is an attribute and is dropped. None when the text does not start with a name.
    static std::optional<EnumConstant> fromText(std::string_view text);
    // The enumerators of a body text ("{ A = 1, B }", braces optional), split at the commas
    // outside parentheses and character constants.
    static std::vector<EnumConstant> fromBody(std::string_view body);
    // Runs of blanks (spaces, tabs, line ends) outside character constants made one space,
    // none at either end: "(1 <<\n   3)" -> "(1 << 3)", "'a  b'" stays.
    static std::string singleBlanks(std::string_view text);
};

}  // namespace kestrel
