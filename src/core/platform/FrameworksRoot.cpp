#include "core/platform/FrameworksRoot.h"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace kestrel {

namespace {

bool isFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

// True when a header file lies anywhere below the folder (links not followed, so loops end).
bool holdsHeaders(const fs::path& folder) {
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() == ".h" && it->is_regular_file(ec)) return true;
    }
    return false;
}

// Points linkPath at target, replacing a link that points elsewhere. A temporary link renamed
// over the old one keeps the change atomic.
bool placeLink(const fs::path& target, const fs::path& linkPath) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(linkPath, ec)) && fs::read_symlink(linkPath, ec) == target)
        return true;
    if (fs::exists(fs::symlink_status(linkPath, ec)) && !fs::is_symlink(fs::symlink_status(linkPath, ec)))
        return false;  // something that is not ours stands there: leave it alone
    fs::path temporary = linkPath;
    temporary += ".new";
    fs::remove(temporary, ec);
    fs::create_directory_symlink(target, temporary, ec);
    if (ec) return false;
    fs::rename(temporary, linkPath, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

}  // namespace

std::string FrameworksRoot::resolve(const std::optional<std::string>& requested,
                                    const std::string& dataFolder, const Places& places) {
    if (isFolder(places.systemRoot)) return places.systemRoot;
    if (requested && !requested->empty()) return *requested;
    if (const char* env = std::getenv(kEnvironmentName); env && *env) return env;
    if (isFolder(places.gnustepHeaders)) {
        std::string linkRoot = dataFolder + "/" + kLinkFolderName;
        if (makeLinkFolder(places.gnustepHeaders, linkRoot)) return linkRoot;
    }
    return places.systemRoot;
}

bool FrameworksRoot::makeLinkFolder(const std::string& headerRoot, const std::string& linkRoot) {
    std::error_code ec;
    std::set<std::string> wanted;
    for (fs::directory_iterator it(headerRoot, ec), end; !ec && it != end; it.increment(ec)) {
        if (isFolder(it->path()) && holdsHeaders(it->path()))
            wanted.insert(it->path().filename().string());
    }
    if (wanted.empty()) return false;
    fs::create_directories(linkRoot, ec);
    if (!isFolder(linkRoot)) return false;

    // Drop frameworks whose header folder has gone; only folders of our own shape are touched.
    for (fs::directory_iterator it(linkRoot, ec), end; !ec && it != end; it.increment(ec)) {
        fs::path framework = it->path();
        if (framework.extension() != ".framework") continue;
        if (wanted.count(framework.stem().string())) continue;
        std::error_code e2;
        fs::path headers = framework / "Headers";
        if (fs::is_symlink(fs::symlink_status(headers, e2))) {
            fs::remove(headers, e2);
            fs::remove(framework, e2);  // only succeeds when nothing else is inside
        }
    }
    bool any = false;
    for (const auto& name : wanted) {
        fs::path framework = fs::path(linkRoot) / (name + ".framework");
        fs::create_directories(framework, ec);
        if (placeLink(fs::path(headerRoot) / name, framework / "Headers")) any = true;
    }
    return any;
}

}  // namespace kestrel
