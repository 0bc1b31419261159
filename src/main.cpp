#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "gui/app/AppShell.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    kestrel::cli::CommandLine commandLine;
    if (commandLine.handles(args)) {
        kestrel::cli::CommandIO io{std::cout, std::cerr, isatty(STDERR_FILENO) != 0};
        return commandLine.run(args, io);
    }
    return kestrel::gui::AppShell::runApplication(argc, argv);
}
