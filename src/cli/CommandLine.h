#pragma once
// The headless commands of `kestrel`: one table of names, usages and handlers.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrel::cli {

// Exit statuses shared by every command.
constexpr int kExitFound = 0;     // something was printed
constexpr int kExitNothing = 1;   // ran, found nothing
constexpr int kExitUsage = 2;     // wrong call
constexpr int kExitNotStored = 3; // what was to be stored could not be (the reason is printed)

struct CommandIO {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;  // progress bars only on a terminal
    // The command is the whole process (main sets it; tests that run commands in their own
    // process do not): once its work is stored and said, it may end the process at once
    // instead of freeing a whole tree's records one by one.
    bool endsProcess = false;
};

// Ends the process with status, with io's streams and C's flushed, skipping every destructor.
// For a command whose outcome is on disk and in its output already (io.endsProcess).
[[noreturn]] void endProcess(CommandIO& io, int status);

struct Command {
    std::string name;
    std::string usage;    // "tokens [--with-spaces] FILE"
    std::string summary;  // one line for --help
    std::function<int(const std::vector<std::string>& args, CommandIO& io)> run;
};

class CommandLine {
public:
    CommandLine();
    // True when argv names a headless command (or asks for help), so main need not start windows.
    bool handles(const std::vector<std::string>& args) const;
    // Runs the command named by args[0] with the rest; returns the exit status.
    int run(const std::vector<std::string>& args, CommandIO& io) const;
    void printHelp(std::ostream& out) const;
    const std::vector<Command>& commands() const { return commands_; }

private:
    std::vector<Command> commands_;
};

// Prints "usage: kestrel USAGE" to err and answers kExitUsage.
int usageError(const Command& command, const std::string& problem, std::ostream& err);

}  // namespace kestrel::cli
