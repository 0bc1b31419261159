#pragma once
// The base of the modeless dialogs that replace an annotation file (the URL editor, the
// private-header dialog):
//   - a line under the dialog's content that says what went wrong, hidden while nothing did;
//     a file that could not be read stays said above anything else;
//   - Escape is Cancel; the close box acts as OK, so that a change is not lost without a
//     word (an OK that is refused keeps the window open, saying why);
//   - the end: the window hidden and the controller let go once the current event is done.
// The window is not a child of the main window: it goes with its controller, which is a child
// of the program's shell.
#include <QPointer>
#include <QString>

#include "gui/app/DialogController.h"

class QLabel;

namespace kestrel::gui {

class AnnotationDialog : public DialogController {
    Q_OBJECT
public:
    using DialogController::DialogController;

    // The text of the message line; empty while it is hidden.
    QString getMessage() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    // A new window that stays above the main window.
    static QDialog* makeWindow();
    // Connects the loaded window: its message line (box, with icon and text), Escape, the
    // close box.
    void watchWindow(QDialog& dialog, QWidget& messageBox, QLabel& messageIcon, QLabel& messageView);
    void showMessage(const QString& text);
    virtual QString unreadableMessage() const = 0;
    void end();

    bool storeUnreadable = false;
    bool ending_ = false;

private:
    QPointer<QWidget> messageBox_;
    QPointer<QLabel> messageView_;
};

}  // namespace kestrel::gui
