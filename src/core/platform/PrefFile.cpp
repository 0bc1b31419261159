#include "core/platform/PrefFile.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "core/platform/InfoPlist.h"
#include "core/platform/PlistFile.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "core/platform/UserFolders.h"

namespace kestrel {

std::string PrefFile::getPrefFilePath() {
    return UserFolders::preferencesFolder() + "/" + InfoPlist::localizedString("defaultsFileName");
}

void PrefFile::setUpPref() {
    std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    if (!pref) pref = std::make_shared<PrefData>();
    pref->initPref();

    std::string path = getPrefFilePath();
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        pref->prefChanged = true;
        return;
    }
    std::optional<PlistDict> dic = PlistFile::readDictionary(path);
    if (!dic || !pref->dicToPref(*dic)) {
        // Damaged: keep what could be read, but do not rewrite the file on that account.
        pref->prefChanged = false;
    }
}

bool PrefFile::writePref(std::string* problem) {
    std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    if (!pref || !pref->prefChanged) return false;
    std::string path = getPrefFilePath();
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    // Keys that Kestrel does not know (another version's, the user's own) stay as they are,
    // where they are; the file is read again now, so that what changed in it meanwhile stays too.
    // A value that cannot be written as XML (a date beyond its range) is left out rather than
    // keeping the whole file from being written.
    const PlistDict mine = pref->prefToDic();
    PlistDict dic;
    for (const auto& [key, value] : PlistFile::readDictionary(path).value_or(PlistDict{}))
        if (mine.contains(key) || PlistFile::toXML(value)) dic.set(key, value);
    for (const auto& [key, value] : mine) dic.set(key, value);
    if (!PlistFile::writeXML(path, PlistValue(std::move(dic)), problem)) return false;
    pref->prefChanged = false;
    return true;
}

}  // namespace kestrel
