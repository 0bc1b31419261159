#pragma once
// The folders below the frameworks root as the lookups see them: each folder listed once (see
// FolderListing: real links and link files followed) and searched by name through indexes
// made in one walk, so that a lookup costs the same however many frameworks there are.
//
//   firstFolderNamed(root, "CoreGraphics.framework")   the first such folder in a depth-first
//                                                      walk below root, in listing order
//   firstFileNamed(fw, "NSView.h"), (fw, "hid/IOHIDLib.h")  likewise for a file, by name or by
//                                                      the end of its path below fw
//   lookup(sdkInclude, "os/availability.h")            the entry at a path below a folder
//
// A depth-first walk enters a folder before its next sibling, and each folder once (known by
// device and inode), so links that loop end and a folder reached by two ways is walked once.
//
// What is listed is kept while a session is open (the define pass, a build): sessions nest,
// and the last to close lets everything go, so a later session sees the folders as they are
// then. Without a session every question lists afresh. Safe to use from several threads.
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/FolderListing.h"

namespace kestrel {

class FolderIndex {
public:
    FolderIndex();
    ~FolderIndex();
    FolderIndex(const FolderIndex&) = delete;
    FolderIndex& operator=(const FolderIndex&) = delete;

    class Session {
    public:
        explicit Session(FolderIndex& index);
        ~Session();
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;

    private:
        FolderIndex& index;
    };

    // The listing of folder (never null; an unreadable folder lists empty and not opened).
    std::shared_ptr<const FolderListing> list(const std::string& folder);
    // The entry at folder/relative, components taken one by one through the listings: "."
    // stays, ".." goes up a component of the path so far. None when nothing is there.
    std::optional<FolderEntry> lookup(const std::string& folder, std::string_view relative);
    std::optional<std::string> firstFolderNamed(const std::string& folder, const std::string& name);
    // name without "/": the first file of that name. With "/" ("hid/IOHIDLib.h"): the first
    // file whose path below folder, as the walk went, ends in "/" + name (or is name).
    std::optional<std::string> firstFileNamed(const std::string& folder, const std::string& name);

    // Drops what is kept (sessions stay open).
    void clear();

    struct Cache;

private:
    std::shared_ptr<Cache> cache();  // the session's, or a fresh one for this question

    std::mutex mutex;
    int sessions = 0;
    std::shared_ptr<Cache> kept;
};

}  // namespace kestrel
