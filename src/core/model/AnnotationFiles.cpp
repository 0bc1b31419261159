#include "core/model/AnnotationFiles.h"

#include <filesystem>
#include <system_error>

#include "core/platform/DataFolder.h"
#include "core/platform/FileTypeCode.h"
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

bool writeStringDic(const std::string& path, const StringDic& strings) {
    PlistDict dic;
    for (const auto& [key, text] : strings) dic.set(key, PlistValue(text));
    DataFolder::startupCheck();
    return PlistFile::writeXML(path, PlistValue(std::move(dic)));
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

}  // namespace kestrel
