// Times the header driver with every analyser over all of GNUstep's headers (no define pass):
// reading the files alone, then reading and analysing them as a build does. Prints both times
// (best of several rounds) and their ratio; the aim is a ratio of at most 4.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "core/app/AppAction2.h"
#include "core/parse/TextBuffer.h"

using kestrel::bench::Clock;
using kestrel::bench::headerPaths;
using kestrel::bench::millisecondsSince;

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "/usr/include/GNUstep";
    const std::vector<std::string> paths = headerPaths({folder});
    if (paths.empty()) {
        std::fprintf(stderr, "analyse: no .h files under %s (install libgnustep-base-dev and libgnustep-gui-dev)\n",
                     folder.c_str());
        return 1;
    }
    constexpr int kRounds = 7;
    double bestRead = 1e300, bestAnalyse = 1e300;
    std::size_t records = 0;
    for (int round = 0; round < kRounds; ++round) {
        auto start = Clock::now();
        for (const auto& path : paths) {
            kestrel::TextBuffer buffer = kestrel::TextBuffer::initByPath(path);
            buffer.getLineStrings();
        }
        bestRead = std::min(bestRead, millisecondsSince(start));

        start = Clock::now();
        kestrel::AppAction2 app;
        for (const auto& path : paths)
            app.analyseHedderFile(path, std::filesystem::path(path).filename().string(), "------", false);
        bestAnalyse = std::min(bestAnalyse, millisecondsSince(start));
        records = app.classList.size() + app.categoryList.size() + app.protocolList.size() + app.structList.size() +
                  app.enumList.size() + app.functions.size() + app.typedefList.size();
    }
    std::printf("headers:   %zu files under %s, %zu records\n", paths.size(), folder.c_str(), records);
    std::printf("read:      %.2f ms\n", bestRead);
    std::printf("analyse:   %.2f ms (reading included)\n", bestAnalyse);
    std::printf("ratio:     %.2f (analyse / read; target <= 4)\n", bestAnalyse / bestRead);
    return 0;
}
