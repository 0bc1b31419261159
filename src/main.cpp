#include <unistd.h>

#include <iostream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/GuiModule.h"

#ifdef KESTREL_WITH_MIMALLOC
#include <mimalloc.h>
#endif

int main(int argc, char** argv) {
#ifdef KESTREL_WITH_MIMALLOC
    // 2 MiB pages where the system gives them: a build touches some 15 MB of fresh memory,
    // and a fault for every 4 KiB page was a fifth of its time. The main thread's memory was
    // laid out before main, so only threads started from here on get them; the delay would
    // give each new thread small pages first.
    mi_option_enable(mi_option_large_os_pages);
    mi_option_set(mi_option_eager_commit_delay, 0);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    kestrel::cli::CommandLine commandLine;
    if (commandLine.handles(args)) {
        kestrel::cli::CommandIO io{std::cout, std::cerr, isatty(STDERR_FILENO) != 0, true};
        int status = 1;
        auto run = [&] { status = commandLine.run(args, io); };
        try {
            std::thread(run).join();  // on fresh memory, see above
        } catch (const std::system_error&) {
            run();
        }
        return status;
    }
    return kestrel::cli::GuiModule::runDesktopProgram(argc, argv, std::cerr);
}
