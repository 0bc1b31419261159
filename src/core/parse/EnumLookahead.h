#pragma once
// Looks at the unread text after a word without reading it, so that the enum reader takes only
// what is an enum, and leaves the rest (a function returning an enum, a variable of an enum
// type) to the other analysers.
//
//   definitionFollows(" NSFoo : NSInteger {")               -> true
//   definitionFollows(" __attribute__((flag_enum)) {")      -> true
//   definitionFollows(" NSFoo NSFooMake(int x);")          -> false (a function)
//   definitionFollows(" NSFoo;")                            -> false (a declaration)
//   callArguments(" (NSInteger,  NSFoo) {")                -> {"NSInteger", "NSFoo"}
//   callArguments(" {")                                    -> none (no call)
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class EnumLookahead {
public:
    using IsAttribute = std::function<bool(const std::string& word)>;

    // Only so much text is looked at: a head or a call longer than this is taken as none.
    static constexpr std::size_t kLimit = 8192;

    // Whether an enum body "{" comes before the declaration ends (";", "}", "=") and before a
    // parenthesised group that is no attribute's. Comments and directive lines are passed over.
    static bool definitionFollows(std::string_view unread, const IsAttribute& isAttribute);
    // The arguments of the call that the text opens with, each with its blanks made single; none
    // when the text does not open with "(" or the call does not close within the limit.
    static std::optional<std::vector<std::string>> callArguments(std::string_view unread);
};

}  // namespace kestrel
