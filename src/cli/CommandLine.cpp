#include "cli/CommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "cli/Commands.h"

namespace kestrel::cli {

CommandLine::CommandLine() : commands_(allCommands()) {}

void endProcess(CommandIO& io, int status) {
    io.out.flush();
    io.err.flush();
    std::fflush(nullptr);
    std::_Exit(status);
}

bool CommandLine::handles(const std::vector<std::string>& args) const {
    if (args.empty()) return false;
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || first == "help") return true;
    for (const auto& c : commands_)
        if (c.name == first) return true;
    // Anything else that is not an option is a mistyped command: report it here.
    return !first.empty() && first[0] != '-';
}

int CommandLine::run(const std::vector<std::string>& args, CommandIO& io) const {
    if (args.empty()) {
        printHelp(io.err);
        return kExitUsage;
    }
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || first == "help") {
        printHelp(io.out);
        return kExitFound;
    }
    for (const auto& c : commands_) {
        if (c.name != first) continue;
        std::vector<std::string> rest(args.begin() + 1, args.end());
        for (const auto& a : rest)
            if (a == "--help" || a == "-h") {
                io.out << "usage: kestrel " << c.usage << "\n  " << c.summary << "\n";
                return kExitFound;
            }
        try {
            return c.run(rest, io);
        } catch (const std::bad_alloc&) {
            // Files are read with limits, but the memory a process may have can be smaller still.
            io.err << "kestrel " << c.name << ": not enough memory\n";
            return kExitNothing;
        }
    }
    io.err << "kestrel: unknown command '" << first << "'\n\n";
    printHelp(io.err);
    return kExitUsage;
}

void CommandLine::printHelp(std::ostream& out) const {
    out << "usage: kestrel [COMMAND [ARGS...]]\n"
           "Without a command, Kestrel opens its window.\n\n"
           "Commands:\n";
    for (const auto& c : commands_) {
        out << "  " << c.usage << "\n      " << c.summary << "\n";
    }
    out << "  --help\n      print this list\n";
}

int usageError(const Command& command, const std::string& problem, std::ostream& err) {
    err << "kestrel " << command.name << ": " << problem << "\n"
        << "usage: kestrel " << command.usage << "\n";
    return kExitUsage;
}

}  // namespace kestrel::cli
