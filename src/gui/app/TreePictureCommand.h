#pragma once
// `kestrel tree --png FILE` / `--svg FILE` [CLASS]: the terminal command's picture, made on the
// offscreen platform by the tree window's own drawing code. Starts as the terminal commands do
// (the stored tree, or a build when none is stored), with display names measured in the
// preferences' font as in the window, and ends with their termination writes.
#include <optional>
#include <string>

namespace kestrel::gui {

class TreePictureCommand {
public:
    static int run(const std::optional<std::string>& frameworksRoot, const std::string& file, bool svg,
                   const std::optional<std::string>& className);
};

}  // namespace kestrel::gui
