#pragma once
// A hash for unordered containers keyed by std::string that are asked with a string_view (no
// string is made per question): std::unordered_map<std::string, T, StringHash, std::equal_to<>>.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kestrel {

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    std::size_t operator()(const std::string& text) const { return std::hash<std::string_view>{}(text); }
};

}  // namespace kestrel
