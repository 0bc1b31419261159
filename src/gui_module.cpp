// The entry points of the desktop program's module (kestrel-gui.so), which kestrel loads when it
// is started without a terminal command, or asked for a picture of the tree.
#include <optional>
#include <string>

#include "gui/app/Launcher.h"
#include "gui/app/TreePictureCommand.h"

namespace {
std::optional<std::string> given(const char* text) { return text ? std::optional<std::string>(text) : std::nullopt; }
}  // namespace

extern "C" __attribute__((visibility("default"))) int kestrel_run_gui(int argc, char** argv) {
    return kestrel::gui::Launcher::run(argc, argv);
}

extern "C" __attribute__((visibility("default"))) int kestrel_tree_picture(const char* frameworksRoot, const char* file,
                                                                           int svg, const char* className) {
    return kestrel::gui::TreePictureCommand::run(given(frameworksRoot), file ? file : "", svg != 0, given(className));
}
