#pragma once
// The folders one walk has already entered, known by (device, inode) with links followed, so
// that a folder reached again through a link (a loop, or two links to one place) is entered
// only once:
//
//   root/Loop.framework/Frameworks -> root     insert(root) true, insert(".../Frameworks") false
#include <set>
#include <string>
#include <utility>

#include <sys/types.h>

namespace kestrel {

class VisitedFolders {
public:
    // Marks the folder as entered. False when it was entered before, or when the path is not a
    // folder that can be looked at (missing, a file, a dangling link).
    bool insert(const std::string& path);

private:
    std::set<std::pair<dev_t, ino_t>> seen_;
};

}  // namespace kestrel
