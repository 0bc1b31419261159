#pragma once
// A depth-first walk below a folder in listing order: a folder is walked before its next
// sibling. Links to folders are followed, but a folder already entered in this walk is not
// entered again, so link loops end. Iterative, so deep trees cost heap rather than call stack.
//
//   visit(name, path, isFolder) -> true stops the walk; walk answers that entry's path.
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "core/platform/VisitedFolders.h"

namespace kestrel {

template <typename Visit>
std::optional<std::string> walkFolder(const std::string& folder, Visit visit) {
    namespace fs = std::filesystem;
    struct Level {
        std::string path;
        fs::directory_iterator next;
    };
    VisitedFolders visited;
    if (!visited.insert(folder)) return std::nullopt;
    std::error_code ec;
    std::vector<Level> levels;
    levels.push_back({folder, fs::directory_iterator(folder, ec)});
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == fs::directory_iterator()) {
            levels.pop_back();
            continue;
        }
        std::string name = level.next->path().filename().string();
        std::string path = level.path + "/" + name;
        // The type that the listing gives spares a stat per entry; only links are looked up.
        bool isFolder = level.next->is_directory(ec);
        level.next.increment(ec);
        if (ec) level.next = fs::directory_iterator();  // an unreadable rest of a folder ends it
        if (visit(name, path, isFolder)) return path;
        if (isFolder && visited.insert(path)) levels.push_back({path, fs::directory_iterator(path, ec)});
    }
    return std::nullopt;
}

}  // namespace kestrel
