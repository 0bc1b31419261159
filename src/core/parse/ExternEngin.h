#pragma once
// Reads one declaration after the word "extern" up to its ";":
//
//   extern NSString *NSStringFromClass(Class aClass) AVAILABLE_MAC_OS_X_VERSION_10_0_AND_LATER;
//     -> "NSString* NSStringFromClass(Class aClass)"
//   extern "C" {          -> none (a C linkage block opens)
//
// Availability macros are dropped, no spaces stand next to parentheses, "*" sticks to the type.
// A directive inside the declaration is evaluated; a block comment is skipped. A declaration
// that the text ends inside gives none.
#include <optional>
#include <string>

#include "core/parse/TextEngin.h"

namespace kestrel {

class ExternEngin : public TextEngin {
public:
    ExternEngin(TextBuffer* buffer, CMacroEngin* macro);

    using TextEngin::doAnalyse;
    // The normalised declaration text, or none: no space in it, C linkage, or cut off.
    std::optional<std::string> doAnalyse();

private:
    std::string unRegistString;  // "C" with its double quotes: the opening of a C linkage block
};

}  // namespace kestrel
