#pragma once
// The application delegate of the desktop program. For now it only opens an empty window;
// the tree window, panels and commands arrive with their own changes.

namespace kestrel::gui {

class AppShell {
public:
    static int runApplication(int argc, char** argv);
};

}  // namespace kestrel::gui
