#include "core/parse/HeaderSearch.h"

#include "core/parse/CompileTarget.h"
#include "core/platform/FolderIndex.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace {

// The file at folder/relative, through links and link files (an SDK checked out where links
// cannot be made has AppKit.framework/Headers as a file naming Versions/Current/Headers).
std::optional<std::string> fileAt(const std::string& folder, const std::string& relative) {
    std::optional<FolderEntry> entry = ProcessState::folderIndex().lookup(folder, relative);
    if (!entry || entry->isFolder) return std::nullopt;
    return entry->path;
}

// A written name that could climb out of the folders it is looked for in, or that is empty.
bool isUsable(std::string_view written) {
    return !written.empty() && written.find('\0') == std::string_view::npos && !written.starts_with('/');
}

std::string folderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

std::optional<std::string> HeaderSearch::find(std::string_view written, bool angled, const std::string* includer,
                                              bool next, Where* where) const {
    if (!isUsable(written)) return std::nullopt;
    Where ignored;
    Where& how = where ? *where : ignored;
    if (!next) {
        how = Where::Local;
        if (!angled && includer) {
            if (auto local = fileAt(folderOf(*includer), std::string(written))) return local;
        }
        how = Where::Framework;
        if (std::size_t slash = written.find('/'); slash != std::string_view::npos && slash > 0) {
            std::string framework(written.substr(0, slash));
            std::string rest(written.substr(slash + 1));
            for (const std::string& folder : target.getFrameworkFolders()) {
                if (auto path = fileAt(folder, framework + ".framework/Headers/" + rest)) return path;
            }
        }
    }
    how = Where::IncludeFolder;
    return findInIncludeFolders(written, true, includer, next);  // the includer's folder is done
}

std::optional<std::string> HeaderSearch::findInIncludeFolders(std::string_view written, bool angled,
                                                              const std::string* includer, bool next) const {
    if (!isUsable(written)) return std::nullopt;
    if (!angled && includer && !next) {
        if (auto local = fileAt(folderOf(*includer), std::string(written))) return local;
    }
    const auto& folders = target.getIncludeFolders();
    std::size_t first = 0;
    if (next && includer) {
        // After the folder that holds the including header (the longest that is a prefix of its
        // path: /usr/include/x86_64-linux-gnu rather than /usr/include); from the first when none.
        std::size_t longest = 0;
        for (std::size_t i = 0; i < folders.size(); ++i) {
            if (folders[i].size() > longest && includer->starts_with(folders[i] + "/")) {
                longest = folders[i].size();
                first = i + 1;
            }
        }
    }
    for (std::size_t i = first; i < folders.size(); ++i) {
        if (auto path = fileAt(folders[i], std::string(written))) return path;
    }
    return std::nullopt;
}

}  // namespace kestrel
