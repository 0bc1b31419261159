// Times quick open's core search over every record of a macOS SDK's tree, as a user types:
// the tree is built from the SDK into a throw-away data folder, the index made once (timed),
// then every prefix of a set of real names and abbreviations is searched in the order it is
// typed (each key narrowing the matches of the one before, as the window does), and again
// after taking the keys back. Target: each key answered within 16 ms at the 95th percentile.
// Also printed: the same searches each from scratch (no narrowing: the slowest a key can be),
// the processor time of each key (which a busy machine does not stretch), and the first rows of
// a few abbreviations, to read.
//   quickopen [--sdk DIR]   (default: the project's ../shared/data/macos14.2/MacOSX14.2.sdk)
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "core/app/AppAction2.h"
#include "core/model/ClassData.h"
#include "core/platform/ProcessState.h"
#include "core/text/QuickOpenIndex.h"
#include "core/text/QuickOpenSearch.h"
#include "core/text/QuickOpenText.h"

using namespace kestrel;
using namespace kestrel::bench;

namespace {

const char* const kNames[] = {
    "NSMakeRect", "initWithFrame:", "NSWindowStyleMaskTitled", "CGRectMake", "NSString", "setNeedsDisplay:",
    "NSFontAttributeName", "addSubview:", "CFStringCreateWithCString", "NSApplicationDelegate", "viewDidLoad",
    "NSUTF8StringEncoding", "kCFAllocatorDefault", "URLSession:dataTask:didReceiveData:", "CGContextFillRect",
    "NSNotificationCenter", "performSelectorOnMainThread:withObject:waitUntilDone:", "MTLPixelFormatBGRA8Unorm",
    "nsmr", "iwf", "cgrm", "nsao", "sndisp", "tableView:objectValueForTableColumn:row:",
};

// The processor time this thread has used, in milliseconds (a busy machine does not stretch it).
double threadCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    std::string sdk = std::string(KESTREL_SHARED_DIR) + "/data/macos14.2/MacOSX14.2.sdk";
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--sdk") sdk = argv[++i];
    const std::string frameworks = sdk + "/System/Library/Frameworks";
    std::error_code ec;
    if (!std::filesystem::is_directory(frameworks, ec)) {
        std::fprintf(stderr, "quickopen: no SDK at %s\n", sdk.c_str());
        return 1;
    }
    ThrowAwayHome home;
    ProcessState::frameworksRoot() = frameworks;
    AppAction2 app;
    app.startUp();
    if (app.classStraightList.empty()) {
        std::fprintf(stderr, "quickopen: no class read from %s\n", frameworks.c_str());
        return 1;
    }

    QuickOpenIndex index;
    double built = 1e300;
    auto start = Clock::now();
    for (int round = 0; round < 5; ++round) {  // the best of five: once per tree load, not per key
        start = Clock::now();
        index.build(app.classStraightList, app);
        built = std::min(built, millisecondsSince(start));
    }
    std::printf("index:     %zu entries from %zu classes, %zu functions, %zu enums, built in %.1f ms\n",
                index.size(), app.classStraightList.size(), app.functions.size(), app.enumList.size(), built);

    std::vector<double> typing, scratch, cpu;
    std::size_t keys = 0;
    QuickOpenSearch search(index);
    for (int round = 0; round < 3; ++round) {  // the first round warms the caches; all count
        for (const char* name : kNames) {
            const std::string full = name;
            std::vector<std::string> prefixes;
            for (std::size_t n = 1; n <= full.size(); ++n) prefixes.push_back(full.substr(0, n));
            for (std::size_t n = full.size(); n-- > 1;) prefixes.push_back(full.substr(0, n));  // keys taken back
            for (const std::string& typed : prefixes) {
                start = Clock::now();
                const double cpuStart = threadCpu();
                search.find(typed);
                typing.push_back(millisecondsSince(start));
                cpu.push_back(threadCpu() - cpuStart);
                QuickOpenSearch fresh(index);
                start = Clock::now();
                fresh.find(typed);
                scratch.push_back(millisecondsSince(start));
                ++keys;
            }
            search.find("");
        }
    }
    std::printf("typing:    %8.3f ms p95 per key (largest %.3f; %zu keys; target at most 16)\n", percentile95(typing),
                largest(typing), keys);
    std::printf("processor: %8.3f ms p95 per key typed, processor time (largest %.3f)\n", percentile95(cpu),
                largest(cpu));
    std::printf("scratch:   %8.3f ms p95 per key without narrowing (largest %.3f)\n", percentile95(scratch),
                largest(scratch));
    for (const char* abbreviation : {"nsmr", "iwf", "cgrm", "nsao"}) {
        std::printf("%-6s ->", abbreviation);
        for (const auto& hit : search.find(abbreviation, 3)) std::printf("  %s (%s)", std::string(index.name(hit.entry)).c_str(), index.ownerText(hit.entry).c_str());
        std::printf("\n");
    }
    return 0;
}
