#pragma once
// How wide a text is drawn, in points, and how high a line of it is: the measuring hooks behind
// the display names of the tree records and the sizes of the tree's boxes. The window program
// installs functions that measure with the preference font; without them (tests, terminal
// commands) every character is kDefaultAdvance wide and a line kDefaultLineHeight high, so
// sizes are predictable: "NSObject" -> 8 * 7.0 = 56.0.
#include <cstddef>
#include <functional>
#include <string_view>

namespace kestrel {

class TextMeasure {
public:
    using Function = std::function<double(std::string_view text)>;

    using LineHeightFunction = std::function<double()>;

    static constexpr double kDefaultAdvance = 7.0;
    static constexpr double kDefaultLineHeight = 16.0;

    // The installed function measures only on the thread that installed it (the window
    // program's fonts belong to its main thread); elsewhere, as while a build analyses headers
    // on other threads, widths are the default ones, and the build measures its records again
    // on the installing thread (see hasFunction).
    static double width(std::string_view text);
    // An empty function restores the default.
    static void setFunction(Function function);
    // Likewise only on the installing thread; the default elsewhere.
    static double lineHeight();
    // An empty function restores the default.
    static void setLineHeightFunction(LineHeightFunction function);
    static bool hasFunction();
    // Whether width() gives the default widths on the calling thread.
    static bool measuresByDefault();
    // The default: kDefaultAdvance per UTF-8 character (a byte that is not valid UTF-8 counts
    // as one character).
    static double defaultWidth(std::string_view text);

    // Characters are UTF-8 sequences; a byte that starts no valid sequence is one character
    // on its own, so text that is not UTF-8 is still cut and counted byte by byte.
    static std::size_t characterCount(std::string_view text);
    // Bytes of the character that starts at offset (1 or more; 0 at or past the end).
    static std::size_t characterSizeAt(std::string_view text, std::size_t offset);
};

}  // namespace kestrel
