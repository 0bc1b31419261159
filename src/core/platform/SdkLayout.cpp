#include "core/platform/SdkLayout.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace kestrel {

std::optional<std::string> SdkLayout::includeFolder(const std::string& frameworksRoot) {
    constexpr std::string_view kFrameworksTail = "/System/Library/Frameworks";
    std::string root = frameworksRoot;
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    if (root.size() < kFrameworksTail.size() ||
        std::string_view(root).substr(root.size() - kFrameworksTail.size()) != kFrameworksTail)
        return std::nullopt;
    std::string include = root.substr(0, root.size() - kFrameworksTail.size()) + "/usr/include";
    std::error_code ec;
    if (!std::filesystem::is_directory(include, ec)) return std::nullopt;
    return include;
}

}  // namespace kestrel
