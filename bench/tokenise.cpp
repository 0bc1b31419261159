// Times the command reader over GNUstep's Foundation and AppKit headers: reading the files
// alone, then cutting the same texts into commands with getCommandWithStatus to the end.
// Prints both times (best of several rounds) and their ratio; the aim is a ratio of at most 3.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "core/parse/TextBuffer.h"

using kestrel::bench::Clock;
using kestrel::bench::headerPaths;
using kestrel::bench::millisecondsSince;

int main(int argc, char** argv) {
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) folders.emplace_back(argv[i]);
    if (folders.empty()) folders = {"/usr/include/GNUstep/Foundation", "/usr/include/GNUstep/AppKit"};
    const std::vector<std::string> paths = headerPaths(folders);
    if (paths.empty()) {
        std::fprintf(stderr, "tokenise: no .h files under the given folders (install libgnustep-base-dev and libgnustep-gui-dev)\n");
        return 1;
    }

    constexpr int kRounds = 7;
    double bestRead = 1e300, bestTokenise = 1e300;
    std::size_t bytes = 0, commands = 0;
    for (int round = 0; round < kRounds; ++round) {
        // Read: the files' bytes into memory, as initByPath does.
        auto start = Clock::now();
        std::vector<kestrel::TextBuffer> buffers;
        buffers.reserve(paths.size());
        for (const auto& path : paths) buffers.push_back(kestrel::TextBuffer::initByPath(path));
        bestRead = std::min(bestRead, millisecondsSince(start));

        // Tokenise: the same texts, every command to the end.
        start = Clock::now();
        std::size_t roundCommands = 0, roundBytes = 0;
        for (auto& buffer : buffers) {
            int status = 0;
            while (auto command = buffer.getCommandWithStatus(status)) {
                ++roundCommands;
                roundBytes += command->size();
            }
        }
        bestTokenise = std::min(bestTokenise, millisecondsSince(start));
        commands = roundCommands;
        bytes = roundBytes;
    }

    std::printf("headers:   %zu files, %zu commands, %zu bytes in commands\n", paths.size(), commands, bytes);
    std::printf("read:      %.2f ms\n", bestRead);
    std::printf("tokenise:  %.2f ms\n", bestTokenise);
    std::printf("ratio:     %.2f (tokenise / read; target <= 3)\n", bestTokenise / bestRead);
    return 0;
}
