#pragma once
// A depth-first walk below a folder in listing order: a folder is walked before its next
// sibling. Links to folders and link files (see LinkFile) are followed, but a folder already
// entered in this walk is not entered again, so loops end. Iterative, so deep trees cost heap
// rather than call stack. Each folder is listed afresh; FolderIndex keeps listings for lookups.
//
//   visit(name, path, isFolder) -> true stops the walk; walk answers that entry's path.
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/FolderListing.h"

namespace kestrel {

template <typename Visit>
std::optional<std::string> walkFolder(const std::string& folder, Visit visit) {
    struct Level {
        FolderListing listing;
        std::size_t next = 0;
    };
    std::vector<Level> levels;
    levels.push_back({FolderListing::read(folder)});
    if (!levels.back().listing.opened()) return std::nullopt;
    std::set<std::pair<dev_t, ino_t>> entered{levels.back().listing.identity()};
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.listing.entries().size()) {
            levels.pop_back();
            continue;
        }
        const FolderEntry entry = level.listing.entries()[level.next++];
        if (visit(entry.name, entry.path, entry.isFolder)) return entry.path;
        if (!entry.isFolder) continue;
        FolderListing sub = FolderListing::read(entry.path);
        if (sub.opened() && entered.insert(sub.identity()).second) levels.push_back({std::move(sub)});
    }
    return std::nullopt;
}

}  // namespace kestrel
