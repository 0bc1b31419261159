#pragma once
// The base of the program's dialogs: OK answers 1, Cancel 0. A modal dialog runs until one of
// them is pressed and then goes away with its controller; a modeless one hands the code to
// doDialogAction and decides itself when to close.
#include <QObject>
#include <QPointer>
#include <QString>

#include <QDialog>

namespace kestrel::gui {

class DialogController : public QObject {
    Q_OBJECT
public:
    // init: owner is the object that made the dialog (not owned).
    explicit DialogController(QObject* owner);
    ~DialogController() override;

    // The name of the dialog's interface file.
    virtual QString getNibname() const { return {}; }
    // Modeless: loads and shows the window.
    void beginDialog();
    // Modal: loads the window, runs it until OK or Cancel, then closes it, lets the controller
    // go once the current event is done, and answers the code.
    int beginModalDialog();
    virtual void doOkButton();
    virtual void doCancelButton();
    virtual void doDialogAction(int code);
    void orderFrontWindow();

    QDialog* getWindow() const { return window; }
    bool getIsModal() const { return isModal; }

protected:
    // Makes the window from the interface file and connects its buttons.
    virtual QDialog* loadWindow() = 0;

    // Whether an event filter's object is the window. Filters also see the window while it is
    // being destroyed, when it is a QDialog no more: it is compared as a plain object.
    bool isWindow(const QObject* watched) const { return watched && watched == windowObject_.data(); }

    QPointer<QDialog> window;
    QObject* owner;
    bool isModal = false;

private:
    void load();

    QPointer<QObject> windowObject_;
};

}  // namespace kestrel::gui
