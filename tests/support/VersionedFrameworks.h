#pragma once
// Frameworks of the shape macOS SDKs have, their links made either as real links or as link
// files (a small file holding the target, as a checkout makes links where it cannot):
//
//   Kit.framework/Versions/A/Headers/Kit.h
//   Kit.framework/Versions/Current -> A
//   Kit.framework/Headers          -> Versions/Current/Headers
//   Kit.framework/Frameworks       -> Versions/Current/Frameworks   (with sub-frameworks)
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/TempDir.h"

namespace kestrel::test {

struct VersionedFrameworks {
    const TempDir& dir;
    std::string root;  // below dir
    bool linkFiles;    // links as link files, else as real links

    void link(const std::string& relative, const std::string& target) const {
        const std::filesystem::path at = dir.path() / root / relative;
        std::filesystem::create_directories(at.parent_path());
        if (linkFiles) {
            dir.write(root + "/" + relative, target);
        } else {
            std::filesystem::create_symlink(target, at);
        }
    }
    // path: below root, "Kit.framework" or "Umbrella.framework/Versions/A/Frameworks/Sub.framework".
    void framework(const std::string& path, const std::vector<std::pair<std::string, std::string>>& headers,
                   bool withFrameworks = false) const {
        for (const auto& [name, text] : headers) dir.write(root + "/" + path + "/Versions/A/Headers/" + name, text);
        link(path + "/Versions/Current", "A");
        link(path + "/Headers", "Versions/Current/Headers");
        if (withFrameworks) link(path + "/Frameworks", "Versions/Current/Frameworks");
    }
    std::string path() const { return (dir.path() / root).string(); }
};

}  // namespace kestrel::test
