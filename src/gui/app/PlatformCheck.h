#pragma once
// Qt stops the program (an abort, with a core dump) when the platform asked for -- by the
// argument -platform NAME or the variable QT_QPA_PLATFORM -- has no plugin. Checked first, so
// that a mistyped name is said as such, with the names there are.
//
//   kestrel -platform bogus   ->  Qt has no platform named "bogus" (asked for by -platform);
//                                 the platforms here are: eglfs, linuxfb, minimal, offscreen, vnc, xcb
#include <optional>
#include <string>
#include <vector>

namespace kestrel::gui {

class PlatformCheck {
public:
    struct Request {
        std::vector<std::string> names;  // in the order Qt tries them ("wayland;xcb")
        bool byArgument = false;         // -platform, else the environment
    };
    // args: the arguments Qt gets, the program's name first.
    static std::optional<Request> requested(const std::vector<std::string>& args);
    // The keys of the platform plugins Qt can load, sorted.
    static std::vector<std::string> available(const std::vector<std::string>& args);
    // Why Qt would stop for want of the platform asked for; none when none was asked for or Qt
    // has one of the names.
    static std::optional<std::string> problem(const std::vector<std::string>& args);
};

}  // namespace kestrel::gui
