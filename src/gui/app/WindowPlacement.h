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
    // Keeps a window of its own above the main window, as a child of it would be, without
    // being destroyed with it: a modeless dialog goes with its controller instead, when the
    // main window's menus and actions are already gone.
    static void keepAboveMainWindow(QWidget& window);
};

}  // namespace kestrel::gui
