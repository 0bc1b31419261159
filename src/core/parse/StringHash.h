#pragma once
// A hash for unordered containers keyed by std::string that are asked with a string_view (no
// string is made per question): std::unordered_map<std::string, T, StringHash, std::equal_to<>>.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/platform/ByteHash.h"

namespace kestrel {

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return ByteHash::of(text); }
    std::size_t operator()(const std::string& text) const { return ByteHash::of(text); }
};

}  // namespace kestrel
