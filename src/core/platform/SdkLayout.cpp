#include "core/platform/SdkLayout.h"

#include <sys/stat.h>

#include <array>
#include <cctype>
#include <utility>

#include "core/platform/JsonTopLevel.h"
#include "core/platform/LinkFile.h"
#include "core/platform/PlistFile.h"
#include "core/platform/RegularFile.h"

namespace kestrel {

namespace {

constexpr std::size_t kMaxSettingsBytes = 1 << 20;

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// The path of the folder at path, link files followed; none when it is no folder.
std::optional<std::string> folderAt(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return path;
        if (!S_ISREG(info.st_mode)) return std::nullopt;
    }
    std::optional<LinkFile::Target> target = LinkFile::resolve(path);
    if (!target || !target->isFolder) return std::nullopt;
    return target->path;
}

std::string lastComponent(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// DisplayName and Version from SDKSettings.plist, else SDKSettings.json.
std::optional<std::string> nameFromSettings(const std::string& sdk) {
    std::string name, version;  // empty: not given
    if (std::optional<PlistDict> settings = PlistFile::readDictionary(sdk + "/SDKSettings.plist")) {
        if (const std::string* text = settings->getString("DisplayName")) name = *text;
        if (const std::string* text = settings->getString("Version")) version = *text;
    } else if (std::optional<std::string> json = RegularFile::read(sdk + "/SDKSettings.json", kMaxSettingsBytes)) {
        name = JsonTopLevel(*json).stringOf("DisplayName").value_or(std::string());
        version = JsonTopLevel(*json).stringOf("Version").value_or(std::string());
    }
    if (name.empty()) return std::nullopt;
    if (!version.empty() && name.find(version) == std::string::npos) name.append(" ").append(version);
    return name;
}

std::optional<std::string> nameOfSystem(const std::string& sdk) {
    std::optional<PlistDict> system =
        PlistFile::readDictionary(sdk + (sdk == "/" ? "" : "/") + "System/Library/CoreServices/SystemVersion.plist");
    if (!system) return std::nullopt;
    const std::string* product = system->getString("ProductName");
    const std::string* version = system->getString("ProductVersion");
    if (!product || product->empty()) return std::nullopt;
    return version && !version->empty() ? *product + " " + *version : *product;
}

// The value of "#define NAME value" in a header's text: "1.28.0" (quotes dropped).
std::optional<std::string> definedValue(const std::string& text, std::string_view name) {
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        std::size_t lineStart = text.rfind('\n', at);
        lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
        std::string_view before = std::string_view(text).substr(lineStart, at - lineStart);
        std::size_t hash = before.find('#');
        if (hash == std::string_view::npos || before.find("define", hash) == std::string_view::npos) continue;
        std::size_t begin = at + name.size();
        if (begin >= text.size() || (text[begin] != ' ' && text[begin] != '\t')) continue;
        while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t' || text[begin] == '"')) ++begin;
        std::size_t end = begin;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) && text[end] != '"') ++end;
        if (end > begin) return text.substr(begin, end - begin);
    }
    return std::nullopt;
}

std::optional<std::string> nameOfGNUstep(const std::string& root) {
    if (!folderAt(root + "/GNUstepBase.framework")) return std::nullopt;
    auto versionIn = [&](const std::string& header, std::string_view name) -> std::optional<std::string> {
        std::optional<LinkFile::Target> file = LinkFile::resolve(root + "/" + header);
        if (!file || file->isFolder) return std::nullopt;
        std::optional<std::string> text = RegularFile::read(file->path, kMaxSettingsBytes);
        return text ? definedValue(*text, name) : std::nullopt;
    };
    std::string versions;
    if (auto base = versionIn("GNUstepBase.framework/Headers/GSConfig.h", "GNUSTEP_BASE_VERSION"))
        versions = "base " + *base;
    if (auto gui = versionIn("GNUstepGUI.framework/Headers/GSVersion.h", "GNUSTEP_GUI_VERSION"))
        versions += (versions.empty() ? "gui " : ", gui ") + *gui;
    if (versions.empty()) return std::string("GNUstep");
    return std::string("GNUstep (").append(versions).append(")");
}

}  // namespace

std::optional<std::string> SdkLayout::sdkFolder(const std::string& frameworksRoot) {
    const std::string root = withoutTrailingSlash(frameworksRoot);
    if (root.size() < kFrameworksTail.size() ||
        std::string_view(root).substr(root.size() - kFrameworksTail.size()) != kFrameworksTail)
        return std::nullopt;
    std::string sdk = root.substr(0, root.size() - kFrameworksTail.size());
    return sdk.empty() ? std::string("/") : sdk;
}

std::optional<std::string> SdkLayout::includeFolder(const std::string& frameworksRoot) {
    std::optional<std::string> sdk = sdkFolder(frameworksRoot);
    if (!sdk) return std::nullopt;
    return folderAt((*sdk == "/" ? std::string() : *sdk) + "/usr/include");
}

std::optional<std::string> SdkLayout::frameworksRootOf(const std::string& sdk) {
    if (sdk.empty()) return std::nullopt;
    std::string folder = withoutTrailingSlash(sdk);
    std::string root = (folder == "/" ? std::string() : folder) + std::string(kFrameworksTail);
    if (!folderAt(root)) return std::nullopt;
    return root;  // as named, so that the SDK stays known: the listings follow link files
}

std::optional<std::string> SdkLayout::nameFromFolder(std::string_view folderName) {
    constexpr std::string_view kSuffix = ".sdk";
    if (folderName.size() <= kSuffix.size() || folderName.substr(folderName.size() - kSuffix.size()) != kSuffix)
        return std::nullopt;
    std::string_view stem = folderName.substr(0, folderName.size() - kSuffix.size());
    if (!std::isalpha(static_cast<unsigned char>(stem.front()))) return std::nullopt;
    std::size_t digits = 0;
    while (digits < stem.size() && !std::isdigit(static_cast<unsigned char>(stem[digits]))) ++digits;
    std::string_view platform = stem.substr(0, digits);
    std::string_view version = stem.substr(digits);
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kPlatforms{{
        {"MacOSX", "macOS"},
        {"iPhoneOS", "iOS"},
        {"iPhoneSimulator", "iOS Simulator"},
        {"AppleTVOS", "tvOS"},
        {"AppleTVSimulator", "tvOS Simulator"},
        {"WatchOS", "watchOS"},
        {"WatchSimulator", "watchOS Simulator"},
        {"XROS", "visionOS"},
        {"XRSimulator", "visionOS Simulator"},
        {"DriverKit", "DriverKit"},
    }};
    std::string name(platform);
    for (const auto& [folder, shown] : kPlatforms)
        if (folder == platform) name = shown;
    if (!version.empty()) name.append(" ").append(version);
    return name;
}

std::string SdkLayout::describe(const std::string& frameworksRoot) {
    const std::string root = withoutTrailingSlash(frameworksRoot);
    if (std::optional<std::string> sdk = sdkFolder(root)) {
        if (auto name = nameFromSettings(*sdk)) return *name;
        if (auto name = nameFromFolder(lastComponent(*sdk))) {
            // MacOSX.sdk is often a link to the SDK of its version.
            if (name->find(' ') == std::string::npos) {
                if (std::optional<LinkFile::Target> real = LinkFile::resolve(*sdk))
                    if (auto versioned = nameFromFolder(lastComponent(real->path))) return *versioned;
            }
            return *name;
        }
        if (auto name = nameOfSystem(*sdk)) return *name;
    }
    if (auto name = nameOfGNUstep(root)) return *name;
    return root;
}

}  // namespace kestrel
