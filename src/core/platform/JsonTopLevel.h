#pragma once
// The string value of a key at the top of a JSON object, as SDKSettings.json holds them:
//
//   {"DisplayName": "macOS 14.2", "Version": "14.2", "DefaultProperties": {...}}
//   stringOf("DisplayName") -> "macOS 14.2"; stringOf("DefaultProperties") -> none
//
// Values of other keys are skipped whole, whatever they hold (nesting is bounded); escapes
// are decoded to UTF-8; malformed text, or a value that is no string, gives none.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class JsonTopLevel {
public:
    explicit JsonTopLevel(std::string_view text) : text(text) {}

    std::optional<std::string> stringOf(std::string_view key);

private:
    static constexpr int kMaxDepth = 64;

    void skipBlanks();
    bool take(char c);
    std::optional<unsigned> hex4();
    std::optional<std::string> string();
    bool skipValue(int depth);

    std::string_view text;
    std::size_t at = 0;
};

}  // namespace kestrel
