#include "core/platform/HedderText.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "core/platform/ByteScan.h"
#include "core/platform/RegularFile.h"

namespace kestrel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The length of the valid UTF-8 sequence at i, 0 when none starts there.
std::size_t sequenceAt(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    if (c >= 0x01 && c < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) length = 2;
    else if (c == 0xE0) length = 3, low = 0xA0;
    else if (c >= 0xE1 && c <= 0xEC) length = 3;
    else if (c == 0xED) length = 3, high = 0x9F;  // no surrogates
    else if (c >= 0xEE && c <= 0xEF) length = 3;
    else if (c == 0xF0) length = 4, low = 0x90;
    else if (c >= 0xF1 && c <= 0xF3) length = 4;
    else if (c == 0xF4) length = 4, high = 0x8F;  // not above U+10FFFF
    else return 0;
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

}  // namespace

std::size_t HedderText::repairUtf8(std::string& text) {
    // The common case: runs of plain ASCII, and sound sequences between them (a comment's
    // "©" or curly quotes), left as they stand.
    std::size_t i = 0;
    for (;;) {
        i = ByteScan::firstNotAscii(text, i);
        if (i >= text.size()) return 0;
        const std::size_t length = sequenceAt(text, i);
        if (length == 0) break;
        i += length;
    }
    std::string out = text.substr(0, i);
    out.reserve(text.size() + 16);
    std::size_t replaced = 0;
    while (i < text.size()) {
        const std::size_t length = sequenceAt(text, i);
        if (length == 0) {
            out += kReplacement;
            ++replaced;
            ++i;
        } else {
            out.append(text, i, length);
            i += length;
        }
    }
    text = std::move(out);
    return replaced;
}

void HedderText::unixLineEnds(std::string& text) {
    if (text.find('\r') == std::string::npos) return;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    text = std::move(out);
}

HedderText::Loaded HedderText::read(const std::string& path, std::size_t largest) {
    Loaded loaded;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {  // also a link to nothing
        loaded.problem = Problem::Missing;
        return loaded;
    }
    if (status.type() == fs::file_type::directory) {
        loaded.problem = Problem::Folder;
        return loaded;
    }
    if (status.type() == fs::file_type::regular) {
        const std::uintmax_t size = fs::file_size(path, error);
        if (!error) loaded.size = size;
        if (!error && size > largest) {
            loaded.problem = Problem::TooLarge;
            return loaded;
        }
    }
    std::optional<std::string> bytes = RegularFile::read(path, largest);
    if (!bytes) {
        // Grown past the limit since it was measured, or not readable at all.
        loaded.problem = fs::file_size(path, error) > largest && !error ? Problem::TooLarge : Problem::Unreadable;
        return loaded;
    }
    loaded.size = bytes->size();
    loaded.replacedBytes = repairUtf8(*bytes);
    unixLineEnds(*bytes);
    loaded.text = std::move(*bytes);
    return loaded;
}

}  // namespace kestrel
