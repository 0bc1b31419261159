#include "core/platform/DataFolder.h"

#include <filesystem>
#include <system_error>

#include "core/platform/InfoPlist.h"
#include "core/platform/UserFolders.h"

namespace kestrel {

std::string DataFolder::getMainFolderPath() {
    return UserFolders::home() + "/" + InfoPlist::localizedString("KestrelFolder");
}

std::string DataFolder::filePath(const char* key) {
    return getMainFolderPath() + "/" + InfoPlist::localizedString(key);
}

void DataFolder::startupCheck() {
    std::string folder = getMainFolderPath();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) std::filesystem::create_directories(folder, error);
}

}  // namespace kestrel
