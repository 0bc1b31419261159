#include "core/model/PrivateHedderPaths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/platform/FolderListing.h"
#include "core/platform/LinkFile.h"

namespace fs = std::filesystem;

namespace kestrel {

namespace {

// Whether inner lies below outer (both canonical).
bool isBelow(const std::string& inner, const std::string& outer) {
    if (outer == "/") return inner.size() > 1 && inner.front() == '/';
    return inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0 && inner[outer.size()] == '/';
}

}  // namespace

std::string PrivateHedderPaths::canonical(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    fs::path resolved;
    if (std::optional<LinkFile::Target> target = LinkFile::resolve(path)) {
        resolved = target->path;  // real links and link files followed
    } else {
        resolved = fs::weakly_canonical(fs::absolute(path, error), error);
        if (error) resolved = fs::absolute(path, error).lexically_normal();
    }
    std::string text = resolved.string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

std::vector<std::string> PrivateHedderPaths::frameworkFolders(const std::string& frameworksRoot) {
    const std::string root = canonical(frameworksRoot);
    std::vector<std::string> folders{root};
    auto addOutside = [&](const FolderEntry* entry) {
        if (!entry || !entry->isFolder) return;
        std::string target = canonical(entry->path);
        if (target != root && !isBelow(target, root) &&
            std::find(folders.begin(), folders.end(), target) == folders.end())
            folders.push_back(target);
    };
    const FolderListing frameworks = FolderListing::read(root);
    for (const FolderEntry& framework : frameworks.entries()) {
        addOutside(&framework);
        if (!framework.isFolder) continue;
        const FolderListing inside = FolderListing::read(framework.path);
        addOutside(inside.find("Headers"));
        addOutside(inside.find("Frameworks"));
    }
    return folders;
}

PrivateHedderPaths::Refusal PrivateHedderPaths::refusal(const std::string& path, const std::vector<std::string>& frameworks) {
    const std::string candidate = canonical(path);
    for (const std::string& folder : frameworks)
        if (candidate == folder) return Refusal::FrameworksRoot;
    for (const std::string& folder : frameworks)
        if (isBelow(folder, candidate)) return Refusal::AboveFrameworks;
    for (const std::string& folder : frameworks)
        if (isBelow(candidate, folder)) return Refusal::InsideFrameworks;
    return Refusal::None;
}

bool PrivateHedderPaths::contains(const std::vector<std::string>& list, const std::string& path) {
    const std::string candidate = canonical(path);
    return std::any_of(list.begin(), list.end(), [&](const std::string& listed) { return canonical(listed) == candidate; });
}

bool PrivateHedderPaths::isBundleName(std::string_view name) {
    static constexpr std::string_view kExtensions[] = {
        "app",       "appex", "bundle", "component", "docset",    "framework",   "kext",
        "mdimporter", "mpkg", "pkg",    "playground", "plugin",   "prefpane",    "qlgenerator",
        "rtfd",      "saver", "wdgt",   "xcodeproj", "xcworkspace", "xpc"};
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return false;
    std::string extension;
    for (char c : name.substr(dot + 1)) extension += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::find(std::begin(kExtensions), std::end(kExtensions), extension) != std::end(kExtensions);
}

}  // namespace kestrel
