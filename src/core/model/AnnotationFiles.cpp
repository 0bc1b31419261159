#include "core/model/AnnotationFiles.h"

#include <filesystem>
#include <functional>
#include <set>
#include <system_error>

#include "core/platform/DataFolder.h"
#include "core/platform/FileTypeCode.h"
#include "core/platform/FolderLock.h"
#include "core/platform/PlistFile.h"

namespace kestrel {

namespace {

bool isThere(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

std::optional<StringDic> readStringDic(const std::string& path) {
    std::optional<PlistDict> dic = PlistFile::readDictionary(path);
    if (!dic) return std::nullopt;
    StringDic strings;
    for (const auto& [key, value] : *dic) {
        if (const std::string* text = value.getString()) strings.emplace(key, *text);
    }
    return strings;
}

bool writeStringDic(const std::string& path, const StringDic& strings, std::string* problem = nullptr) {
    PlistDict dic;
    for (const auto& [key, text] : strings) dic.set(key, PlistValue(text));
    if (std::optional<std::string> missing = DataFolder::startupCheck()) {
        if (problem) *problem = *missing;
        return false;
    }
    return PlistFile::writeXML(path, PlistValue(std::move(dic)), problem);
}

// Reads the file at path again under the data folder's lock, lets change apply the editor's
// changes to what it holds, and replaces it. A file that is there but cannot be read is left
// alone: whatever it holds would be lost.
template <class Store, class Read, class Write>
std::optional<Store> mergeUnderLock(const std::string& path, const char* what, Read read, Write write,
                                    const std::function<void(Store&)>& change, std::string* problem) {
    auto fail = [problem](std::string why) -> std::optional<Store> {
        if (problem) *problem = std::move(why);
        return std::nullopt;
    };
    if (std::optional<std::string> missing = DataFolder::startupCheck()) return fail(*missing);
    FolderLock lock(DataFolder::getMainFolderPath(), FolderLock::Mode::Exclusive);
    if (!lock.held()) return fail(lock.problem());
    std::optional<Store> fresh = isThere(path) ? read() : std::optional<Store>(Store{});
    if (!fresh) return fail("your " + std::string(what) + " in " + path + " could not be read: the file is left as it is");
    change(*fresh);
    if (!write(*fresh)) return std::nullopt;
    return fresh;
}

// A dictionary file merged: the entries the editor changed or added are set, those it removed
// go; then the file gets its type code.
std::optional<StringDic> mergeStringDic(const std::string& path, const char* what, const char* typeCode,
                                        const StringDic& opened, const StringDic& edited, std::string* problem) {
    auto merged = mergeUnderLock<StringDic>(
        path, what, [&] { return readStringDic(path); },
        [&](const StringDic& dic) { return writeStringDic(path, dic, problem); },
        [&](StringDic& store) {
            for (const auto& [key, value] : edited) {
                auto before = opened.find(key);
                if (before == opened.end() || before->second != value) store[key] = value;
            }
            for (const auto& [key, value] : opened)
                if (!edited.count(key)) store.erase(key);
        },
        problem);
    if (merged) FileTypeCode::setHFSTypeCode(path, typeCode);
    return merged;
}

}  // namespace

std::string AnnotationFiles::getCommentFilePath() { return DataFolder::filePath("commentFileName"); }

std::optional<StringDic> AnnotationFiles::getCommentDic() {
    std::string path = getCommentFilePath();
    if (!isThere(path)) return StringDic{};
    return readStringDic(path);
}

bool AnnotationFiles::writeCommentDic(const StringDic& dic) {
    if (!getCommentDic()) return false;
    std::string path = getCommentFilePath();
    if (!writeStringDic(path, dic)) return false;
    FileTypeCode::setHFSTypeCode(path, "KSAC");
    return true;
}

std::optional<StringDic> AnnotationFiles::mergeCommentDic(const StringDic& opened, const StringDic& edited,
                                                         std::string* problem) {
    return mergeStringDic(getCommentFilePath(), "comments", "KSAC", opened, edited, problem);
}

std::string AnnotationFiles::getURLFilePath() { return DataFolder::filePath("urlFile"); }

std::optional<StringDic> AnnotationFiles::getURLDic() {
    std::string path = getURLFilePath();
    std::error_code error;
    if (!std::filesystem::exists(path, error) || std::filesystem::is_directory(path, error)) {
        return std::nullopt;
    }
    return readStringDic(path);
}

std::optional<StringDic> AnnotationFiles::getURLStore() {
    std::string path = getURLFilePath();
    if (!isThere(path)) return StringDic{};
    return readStringDic(path);
}

std::optional<std::string> AnnotationFiles::getClassURL(const std::string& className) {
    std::optional<StringDic> dic = getURLDic();
    if (!dic) return std::nullopt;
    auto it = dic->find(className);
    if (it == dic->end()) return std::nullopt;
    return it->second;
}

bool AnnotationFiles::writeURLDic(const std::optional<StringDic>& dic) {
    if (!dic || !getURLStore()) return false;
    std::string path = getURLFilePath();
    if (!writeStringDic(path, *dic)) return false;
    FileTypeCode::setHFSTypeCode(path, "KSTU");
    return true;
}

std::optional<StringDic> AnnotationFiles::mergeURLDic(const StringDic& opened, const StringDic& edited,
                                                     std::string* problem) {
    return mergeStringDic(getURLFilePath(), "class URLs", "KSTU", opened, edited, problem);
}

std::string AnnotationFiles::getPrivateHeddersPath() { return DataFolder::filePath("customHedders"); }

std::optional<std::vector<std::string>> AnnotationFiles::getPrivateHedders() {
    std::optional<PlistArray> array = PlistFile::readArray(getPrivateHeddersPath());
    if (!array) return std::nullopt;
    std::vector<std::string> paths;
    for (const PlistValue& value : *array) {
        if (const std::string* path = value.getString()) paths.push_back(*path);
    }
    return paths;
}

std::optional<std::vector<std::string>> AnnotationFiles::getPrivateHedderStore() {
    if (!isThere(getPrivateHeddersPath())) return std::vector<std::string>{};
    return getPrivateHedders();
}

bool AnnotationFiles::writePrivateHedders(const std::vector<std::string>& paths) {
    if (!getPrivateHedderStore()) return false;
    DataFolder::startupCheck();
    return PlistFile::writeXML(getPrivateHeddersPath(), PlistValue::fromStrings(paths));
}

std::optional<std::vector<std::string>> AnnotationFiles::mergePrivateHedders(const std::vector<std::string>& opened,
                                                                             const std::vector<std::string>& edited,
                                                                             std::string* problem) {
    using Paths = std::vector<std::string>;
    const std::string path = getPrivateHeddersPath();
    return mergeUnderLock<Paths>(
        path, "private headers", [] { return getPrivateHedders(); },
        [&](const Paths& paths) { return PlistFile::writeXML(path, PlistValue::fromStrings(paths), problem); },
        [&](Paths& store) {
            const std::set<std::string> before(opened.begin(), opened.end());
            const std::set<std::string> after(edited.begin(), edited.end());
            std::erase_if(store, [&](const std::string& p) { return before.count(p) && !after.count(p); });
            std::set<std::string> present(store.begin(), store.end());
            for (const std::string& p : edited)
                if (!before.count(p) && present.insert(p).second) store.push_back(p);
        },
        problem);
}

}  // namespace kestrel
