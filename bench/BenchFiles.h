#pragma once
// What the benchmark programs share: the headers below some folders, a stopwatch, the 95th
// percentile, and a home of its own for a tree built to be timed.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/ProcessState.h"

namespace kestrel::bench {

using Clock = std::chrono::steady_clock;

// Every .h file below the folders, links followed, sorted.
inline std::vector<std::string> headerPaths(const std::vector<std::string>& folders) {
    namespace fs = std::filesystem;
    std::vector<std::string> paths;
    for (const auto& folder : folders) {
        std::error_code ec;
        for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_regular_file(ec) && it->path().extension() == ".h") paths.push_back(it->path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

inline double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double percentile95(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t at = (values.size() * 95 + 99) / 100;  // nearest rank
    return values[std::min(values.size(), std::max<std::size_t>(at, 1)) - 1];
}

inline double largest(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// The trees the desktop program's benchmarks type into: GNUstep's (the frameworks kestrel reads
// by default on Linux, root none), then a macOS SDK's (--sdk DIR, default the project's
// ../shared/data/macos14.2/MacOSX14.2.sdk); --only gnustep|sdk picks one. measure(label, root)
// runs for each; an SDK that is not there gives a line saying so.
template <class Measure>
void forEachTree(int argc, char** argv, Measure measure) {
    std::string sdk = std::string(KESTREL_SHARED_DIR) + "/data/macos14.2/MacOSX14.2.sdk";
    std::string only;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--sdk") sdk = argv[++i];
        else if (std::string(argv[i]) == "--only") only = argv[++i];
    }
    if (only.empty() || only == "gnustep") measure("gnustep", std::optional<std::string>());
    if (only.empty() || only == "sdk") {
        const std::string frameworks = sdk + "/System/Library/Frameworks";
        std::error_code ec;
        if (!std::filesystem::is_directory(frameworks, ec))
            std::printf("sdk      skipped: no SDK at %s\n", sdk.c_str());
        else
            measure("sdk", std::optional<std::string>(frameworks));
    }
}

// A home of its own for one tree, removed at the end.
class ThrowAwayHome {
public:
    ThrowAwayHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrel-bench.XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
        setenv("HOME", path_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (path_ + "/.config").c_str(), 1);
        ProcessState::reset();
    }
    ~ThrowAwayHome() {
        ProcessState::reset();
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    ThrowAwayHome(const ThrowAwayHome&) = delete;
    ThrowAwayHome& operator=(const ThrowAwayHome&) = delete;

private:
    std::string path_;
};

}  // namespace kestrel::bench
