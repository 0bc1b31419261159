#include "core/platform/DataFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/platform/InfoPlist.h"
#include "core/platform/RegularFile.h"
#include "core/platform/UserFolders.h"

namespace kestrel {

namespace fs = std::filesystem;

std::string DataFolder::describeWriteError(const std::string& folder, int error) {
    switch (error) {
        case EROFS: return "the data folder " + folder + " is on a read-only file system";
        case EACCES:
        case EPERM: return "the data folder " + folder + " is read-only (permission denied)";
        default: return "the data folder " + folder + " cannot be written: " + RegularFile::describeError(error);
    }
}

std::string DataFolder::getMainFolderPath() {
    return UserFolders::home() + "/" + InfoPlist::localizedString("KestrelFolder");
}

std::string DataFolder::filePath(const char* key) {
    return getMainFolderPath() + "/" + InfoPlist::localizedString(key);
}

std::optional<std::string> DataFolder::startupCheck() {
    std::string folder = getMainFolderPath();
    std::error_code error;
    if (fs::is_directory(folder, error)) return std::nullopt;
    if (fs::exists(fs::symlink_status(folder, error))) return "the data folder " + folder + " is not a folder";
    fs::create_directories(folder, error);
    if (!error) return std::nullopt;
    return describeWriteError(folder, error.value());
}

std::optional<std::string> DataFolder::writeProblem() {
    const std::string folder = getMainFolderPath();
    // The folder, or the nearest one above it that exists, must take new entries.
    fs::path place(folder);
    std::error_code error;
    while (!fs::exists(place, error) && place.has_parent_path() && place != place.parent_path())
        place = place.parent_path();
    if (place.string() == folder && !fs::is_directory(place, error))
        return "the data folder " + folder + " is not a folder";
    if (::faccessat(AT_FDCWD, place.c_str(), W_OK | X_OK, AT_EACCESS) != 0) return describeWriteError(folder, errno);
    return std::nullopt;
}

}  // namespace kestrel
