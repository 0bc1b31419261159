#pragma once
// The desktop program from its start to its end: the arguments it takes (--sdk SDK or
// --frameworks-root DIR, --select CLASS; the rest go to Qt), the check that windows can be
// opened at all, the application object, the delegate, and the ways it ends (Quit, the last
// window closed, a termination signal, the desktop session ending), each running the
// termination writes.
#include <optional>
#include <string>
#include <vector>

namespace kestrel::gui {

class Launcher {
public:
    // The exit status: 1 without a display (with a message naming the terminal commands, never
    // Qt's abort), 2 for a bad argument.
    static int run(int argc, char** argv);
    // Why windows cannot be opened (no DISPLAY, or an X server that does not answer); none when
    // they can, or when a platform other than X was asked for by name (Qt then reports its own
    // failures). qtArgs: the arguments Qt gets (see PlatformCheck).
    static std::optional<std::string> displayProblem(const std::vector<std::string>& qtArgs = {});
};

}  // namespace kestrel::gui
