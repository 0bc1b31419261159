#pragma once
// A hash of a short text for the tables the readers ask most (words, macro names, invocations):
// eight bytes a step, multiplied and folded, rather than the standard library's byte-wise one.
// Only for tables in memory: its values are never stored, and may differ between builds.
//
//   std::unordered_map<std::string_view, T, ByteHash> words;   // "NSString" -> ...
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kestrel {

struct ByteHash {
    using is_transparent = void;

    static std::size_t of(std::string_view text) {
        constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
        const char* at = text.data();
        std::size_t left = text.size();
        std::uint64_t hash = (left + 1) * kMultiplier;
        auto mix = [&](std::uint64_t word) {
            hash = (hash ^ word) * kMultiplier;
            hash ^= hash >> 29;
        };
        for (; left >= 8; at += 8, left -= 8) mix(load8(at));
        if (left >= 4) {
            // The last four to seven bytes, as two words of four that may overlap.
            mix(load4(at) | (std::uint64_t{load4(at + left - 4)} << 32));
        } else if (left > 0) {
            mix(std::uint64_t{static_cast<unsigned char>(at[0])} | std::uint64_t{static_cast<unsigned char>(at[left / 2])} << 8 |
                std::uint64_t{static_cast<unsigned char>(at[left - 1])} << 16);
        }
        return static_cast<std::size_t>(hash ^ (hash >> 32));
    }

    std::size_t operator()(std::string_view text) const { return of(text); }
    std::size_t operator()(const std::string& text) const { return of(text); }
    std::size_t operator()(const char* text) const { return of(text); }

private:
    static std::uint64_t load8(const char* at) {
        std::uint64_t word;
        std::memcpy(&word, at, sizeof word);
        return word;
    }
    static std::uint32_t load4(const char* at) {
        std::uint32_t word;
        std::memcpy(&word, at, sizeof word);
        return word;
    }
};

}  // namespace kestrel
