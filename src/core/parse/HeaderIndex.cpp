#include "core/parse/HeaderIndex.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "core/platform/VisitedFolders.h"

namespace fs = std::filesystem;

namespace kestrel {

std::optional<std::string> HeaderIndex::find(const std::string& folder, const std::string& name) {
    auto known = folders.find(folder);
    if (known == folders.end()) known = folders.emplace(folder, walk(folder)).first;
    auto found = known->second.find(name);
    if (found == known->second.end()) return std::nullopt;
    return found->second;
}

HeaderIndex::Files HeaderIndex::walk(const std::string& folder) {
    // The walk of findHeader, made whole: a folder that is listed is searched before its next
    // sibling, and only the first file of each name is kept.
    struct Level {
        std::string path;
        fs::directory_iterator next;
    };
    Files files;
    VisitedFolders visited;
    if (!visited.insert(folder)) return files;
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
        bool isFolder = level.next->is_directory(ec);
        level.next.increment(ec);
        if (ec) level.next = fs::directory_iterator();  // an unreadable rest of a folder ends it
        if (!isFolder) {
            files.try_emplace(std::move(name), std::move(path));
        } else if (visited.insert(path)) {
            levels.push_back({path, fs::directory_iterator(path, ec)});
        }
    }
    return files;
}

}  // namespace kestrel
