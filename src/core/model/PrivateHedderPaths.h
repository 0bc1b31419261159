#pragma once
// The rules of the private-header list. Paths are compared in canonical form (links and link
// files, "." and ".." resolved as far as the path exists). A path may not be added when the build would then
// read framework headers twice: the frameworks root itself, a folder above it, or anything
// inside it. The same holds for the folders a framework of the root leads to through a link
// (a framework, or its Headers or Frameworks folder, that is a link out of the root, as in the
// folder of links made for GNUstep's headers).
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class PrivateHedderPaths {
public:
    enum class Refusal { None, FrameworksRoot, AboveFrameworks, InsideFrameworks };

    // Absolute, without "." and "..", links and link files resolved as far as the path exists,
    // no trailing "/" (but for "/" itself).
    static std::string canonical(const std::string& path);
    // The canonical root and the canonical folders outside it that its frameworks lead to.
    static std::vector<std::string> frameworkFolders(const std::string& frameworksRoot);
    // Why a path may not be added, frameworks being frameworkFolders().
    static Refusal refusal(const std::string& path, const std::vector<std::string>& frameworks);
    // Whether the list holds the path, both taken in canonical form.
    static bool contains(const std::vector<std::string>& list, const std::string& path);
    // A folder that the desktop shows as one item, such as an application or a framework.
    static bool isBundleName(std::string_view name);
};

}  // namespace kestrel
