#include "core/platform/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "core/platform/LinkFile.h"

namespace kestrel {

namespace {

std::string joined(const std::string& folder, const char* name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/') path += '/';
    path += name;
    return path;
}

bool smallFile(const struct stat& info) {
    return info.st_size > 0 && static_cast<std::size_t>(info.st_size) <= LinkFile::kMaxBytes;
}

}  // namespace

FolderListing FolderListing::read(const std::string& folder) {
    FolderListing listing;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        // A path through link files ("Kit.framework/Headers") is listed where they lead.
        if (errno != ENOTDIR && errno != ENOENT) return listing;
        std::optional<LinkFile::Target> target = LinkFile::resolve(folder);
        if (!target || !target->isFolder || target->path == folder) return listing;
        return read(target->path);
    }
    const int fd = ::dirfd(dir);
    struct stat self {};
    if (::fstat(fd, &self) != 0) {
        ::closedir(dir);
        return listing;
    }
    listing.opened_ = true;
    listing.device_ = self.st_dev;
    listing.inode_ = self.st_ino;

    // Link files are followed from the folder's physical path, found once, when one is met.
    std::optional<std::string> physical;
    bool physicalTried = false;
    auto physicalFolder = [&]() -> const std::optional<std::string>& {
        if (!physicalTried) {
            physicalTried = true;
            char resolved[PATH_MAX];
            if (::realpath(folder.c_str(), resolved)) physical = resolved;
            else if (auto target = LinkFile::resolve(folder)) physical = target->path;
        }
        return physical;
    };

    while (const dirent* item = ::readdir(dir)) {
        const char* name = item->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        FolderEntry entry{name, joined(folder, name)};
        unsigned char type = item->d_type;
        struct stat info {};
        if (type == DT_UNKNOWN) {
            if (::fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
            type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISLNK(info.st_mode) ? DT_LNK : S_ISREG(info.st_mode) ? DT_REG : DT_FIFO;
        }
        if (type == DT_DIR) {
            entry.isFolder = true;
        } else if (type == DT_LNK) {
            if (::fstatat(fd, name, &info, 0) != 0) continue;  // dangling, or a loop of links
            entry.via = FolderEntry::Via::Link;
            if (S_ISDIR(info.st_mode)) {
                entry.isFolder = true;
            } else if (!S_ISREG(info.st_mode)) {
                continue;
            } else if (smallFile(info)) {
                // A link to a link file: the whole way is taken from the start.
                if (auto target = LinkFile::resolve(entry.path)) {
                    entry.path = std::move(target->path);
                    entry.isFolder = target->isFolder;
                }
            }
        } else if (type == DT_REG) {
            if (::fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
            if (smallFile(info) && physicalFolder()) {
                if (auto target = LinkFile::follow(*physicalFolder(), name)) {
                    entry.path = std::move(target->path);
                    entry.isFolder = target->isFolder;
                    entry.via = FolderEntry::Via::LinkFile;
                }
            }
        } else {
            continue;  // a FIFO, a device, a socket
        }
        listing.entries_.push_back(std::move(entry));
    }
    ::closedir(dir);
    listing.byName_.reserve(listing.entries_.size());
    for (std::size_t i = 0; i < listing.entries_.size(); ++i) listing.byName_.emplace(listing.entries_[i].name, i);
    return listing;
}

const FolderEntry* FolderListing::find(std::string_view name) const {
    auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : &entries_[found->second];
}

}  // namespace kestrel
