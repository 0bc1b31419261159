#pragma once
// What the benchmark programs share: the headers below some folders, and a stopwatch.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

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

}  // namespace kestrel::bench
