#pragma once
// SIGTERM, SIGHUP and SIGINT (the desktop session ending, the terminal closing, Ctrl-C) end the
// program as the Quit command does, so that what changed is written: the handler only writes
// a byte to a pipe, and the event loop runs the action when it reads it.
#include <functional>

namespace kestrel::gui {

class TerminationSignals {
public:
    // Installs the handlers; action runs on the main thread. Call once, after the application.
    static void install(std::function<void()> action);
};

}  // namespace kestrel::gui
