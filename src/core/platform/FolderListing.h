#pragma once
// One folder's entries, read in one pass, in the order the file system lists them, each with
// what it really is: real links and link files (see LinkFile) followed, so that
//
//   AppKit.framework/Headers   (a link file "Versions/Current/Headers")
//       -> entry "Headers", a folder, path ".../AppKit.framework/Versions/C/Headers"
//
// Only folders and regular files are entries; a dangling link, a FIFO, a device or a socket is
// left out (reading one could block or never end). The type the listing gives spares a stat
// per folder; regular files are looked at once for their size (a link file is small), and the
// small ones are read.
#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrel {

struct FolderEntry {
    enum class Via { Plain, Link, LinkFile };

    std::string name;
    // Where it is read: folder + "/" + name, or, for a link file, the physical path it leads to.
    std::string path;
    bool isFolder = false;
    Via via = Via::Plain;
};

class FolderListing {
public:
    // Lists folder; a path through link files is listed where they lead (the entries' paths
    // then start there). An unreadable or missing folder gives an empty listing that was not
    // opened.
    static FolderListing read(const std::string& folder);

    FolderListing() = default;
    FolderListing(FolderListing&&) = default;  // the names' buffers move with the vector
    FolderListing& operator=(FolderListing&&) = default;
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    const std::vector<FolderEntry>& entries() const { return entries_; }
    const FolderEntry* find(std::string_view name) const;
    // Whether the folder could be opened, and then which folder it is (device and inode), so
    // that a walk can tell a folder it has entered before by another way.
    bool opened() const { return opened_; }
    std::pair<dev_t, ino_t> identity() const { return {device_, inode_}; }

private:
    std::vector<FolderEntry> entries_;
    std::unordered_map<std::string_view, std::size_t> byName_;  // views into entries_' names
    bool opened_ = false;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

}  // namespace kestrel
