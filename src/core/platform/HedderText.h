#pragma once
// A header file read for showing: whole, as UTF-8 text with "\n" line ends, or the reason it
// cannot be shown. Bytes that are not UTF-8 (and NUL bytes) become U+FFFD, counted so that the
// viewer can say so; "\r\n" and a lone "\r" (old Mac OS headers) end a line as "\n" does.
//
//   read("/h/NSView.h")        -> text, problem None
//   read("/h/gone.h")          -> problem Missing       read("/h")          -> problem Folder
//   read(a 20 MB file)         -> problem TooLarge      read(mode 000 file) -> problem Unreadable
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrel {

class HedderText {
public:
    static constexpr std::size_t kLargest = 16 * 1024 * 1024;
    enum class Problem { None, Missing, Folder, TooLarge, Unreadable };

    struct Loaded {
        std::string text;
        Problem problem = Problem::None;
        std::size_t replacedBytes = 0;  // bytes shown as U+FFFD
        std::uintmax_t size = 0;        // of the file, when it could be measured
    };

    static Loaded read(const std::string& path, std::size_t largest = kLargest);
    // Replaces, in place, every byte that starts no valid UTF-8 sequence (overlong forms,
    // surrogates and code points above U+10FFFF included) and every NUL by U+FFFD; answers how
    // many bytes were replaced.
    static std::size_t repairUtf8(std::string& text);
    // "\r\n" and "\r" -> "\n".
    static void unixLineEnds(std::string& text);
};

}  // namespace kestrel
