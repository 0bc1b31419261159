#pragma once
// Puts windows where WindowLayout says, on the screen they are on.
class QWidget;

namespace kestrel::gui {

class WindowPlacement {
public:
    static void sideBySide(QWidget& main, QWidget& tree);
    static void centre(QWidget& window);
    // The window that dialogs belong to: the program's main window. (Not the active window:
    // that may be a dialog on its way out, which would take a new dialog with it.)
    static QWidget* mainWindow();
};

}  // namespace kestrel::gui
