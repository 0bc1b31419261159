#pragma once
// The desktop program's module (kestrel-gui.so beside the executable, or in ../lib/kestrel from
// the executable's folder when installed), loaded only when windows or pictures are wanted, so
// that the terminal commands never pay for loading Qt.
#include <optional>
#include <ostream>
#include <string>

namespace kestrel::cli {

struct TreePictureRequest {
    std::optional<std::string> frameworksRoot;
    std::string file;
    bool svg = false;
    std::optional<std::string> className;  // one subtree; none: the whole tree
};

class GuiModule {
public:
    // Runs the desktop program with the process's arguments; its exit status.
    static int runDesktopProgram(int argc, char** argv, std::ostream& err);
    // Draws the stored (or built) tree into a PNG or SVG file; its exit status.
    static int drawTreePicture(const TreePictureRequest& request, std::ostream& err);

private:
    // The module's entry of that name, or null with a message on err.
    static void* entry(const char* name, std::ostream& err);
};

}  // namespace kestrel::cli
