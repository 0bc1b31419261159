#pragma once
// What every tree command does around its work, as the desktop program does at launch and quit:
// pick the frameworks root, load the preferences, move older data files into place, then load
// the stored tree (or build it when the class, protocol or category file is missing); at the
// end, the termination writes, which write only what changed. Whatever could not be read or
// stored is said on the error stream, each on a line of its own ("kestrel: ...").
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "core/app/AppAction2.h"

namespace kestrel::cli {

class TerminalProgress;

class Session {
public:
    // Takes "--frameworks-root DIR" (or "--frameworks-root=DIR") out of args. Answers false,
    // with a message, when the option has no folder.
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
