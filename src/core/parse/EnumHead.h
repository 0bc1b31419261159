#pragma once
// The words of an enum declaration around its body, read as tokens: the head between "enum"
// and "{" (its tag and underlying type), and the names declared after "}". Attributes are
// passed over wherever they stand: a word followed by a parenthesised group
// (__attribute__((flag_enum)), API_AVAILABLE(macos(10.12))), a "[[...]]" group, and a word
// that isAttribute names as an attribute macro.
//
//   read({"__attribute__", "(", "(", "x", ")", ")", "NSFoo", ":", "unsigned", "int"})
//     -> tag "NSFoo", type "unsigned int"
//   declarators({"NSFoo", "DEPRECATED_ATTRIBUTE", ",", "*NSFooPtr"})  (the macro an attribute)
//     -> NSFoo, NSFooPtr (a pointer)
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

struct EnumHead {
    using IsAttribute = std::function<bool(const std::string& word)>;

    struct Declarator {
        std::string name;
        int pointers = 0;  // the "*" before the name
    };

    std::string tag;                  // empty for an anonymous enum
    std::optional<std::string> type;  // the words after ":", none when none are written

    static EnumHead read(const std::vector<std::string>& tokens, const IsAttribute& isAttribute);
    // The declarators of a list "A, *B, C ATTR", split at the commas outside brackets; in each
    // the first word that is neither an attribute nor a qualifier is the name.
    static std::vector<Declarator> declarators(const std::vector<std::string>& tokens, const IsAttribute& isAttribute);
    // The tokens without the attributes.
    static std::vector<std::string> withoutAttributes(const std::vector<std::string>& tokens,
                                                      const IsAttribute& isAttribute);
    static bool isName(const std::string& word);
};

}  // namespace kestrel
