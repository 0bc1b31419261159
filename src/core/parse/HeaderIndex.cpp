#include "core/parse/HeaderIndex.h"

#include "core/platform/FolderWalk.h"

namespace kestrel {

std::optional<std::string> HeaderIndex::find(const std::string& folder, const std::string& name) {
    auto known = folders.find(folder);
    if (known == folders.end()) known = folders.emplace(folder, walk(folder)).first;
    auto found = known->second.find(name);
    if (found == known->second.end()) return std::nullopt;
    return found->second;
}

HeaderIndex::Files HeaderIndex::walk(const std::string& folder) {
    // The walk of findHeader, made whole: only the first file of each name is kept.
    Files files;
    walkFolder(folder, [&](const std::string& name, const std::string& path, bool isFolder) {
        if (!isFolder) files.try_emplace(name, path);
        return false;
    });
    return files;
}

}  // namespace kestrel
