#pragma once
// What every tree command does around its work, as the desktop program does at launch and quit:
// load the preferences, pick the frameworks root (see FrameworksRoot: the command line's choice,
// the environment, the preferences' SDK, the platform's own), move older data files into place,
// then load the stored tree (or build it when the class, protocol or category file is missing);
// at the end, the termination writes, which write only what changed. Whatever could not be read
// or stored is said on the error stream, each on a line of its own ("kestrel: ...").
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "core/app/AppAction2.h"

namespace kestrel::cli {

class TerminalProgress;

class Session {
public:
    // Takes "--sdk SDK" or "--frameworks-root DIR" (also "--sdk=SDK", "--frameworks-root=DIR")
    // out of args; root becomes the frameworks root chosen (an SDK's System/Library/Frameworks).
    // Answers false, with a message, when an option has no folder, when both are given, or
    // when SDK is no SDK.
    static bool takeFrameworksRoot(std::vector<std::string>& args, std::optional<std::string>& root,
                                   std::string& problem);

    Session(const std::optional<std::string>& requestedRoot, CommandIO& io);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Start-up: load or build. `forceBuild` rebuilds from the headers in any case (`kestrel build`).
    void start(bool forceBuild = false);
    // The termination writes. Answers false when something could not be stored.
    bool finish();
    // The command's exit: finish(), and status unless a write failed (kExitNotStored then).
    int end(int status);

    AppAction2& app() { return app_; }
    bool built() const { return built_; }

private:
    CommandIO& io_;
    AppAction2 app_;
    std::unique_ptr<TerminalProgress> progress_;
    bool built_ = false;
    bool finished_ = false;
    bool stored_ = true;
};

}  // namespace kestrel::cli
