#include "core/platform/VisitedFolders.h"

#include <sys/stat.h>

namespace kestrel {

bool VisitedFolders::insert(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    return seen_.emplace(info.st_dev, info.st_ino).second;
}

}  // namespace kestrel
