#pragma once
// The tree window ("TreeWindow") and its controller: the class tree in a scroll area, the
// window's alpha from the preferences. The controller registers itself with the application
// delegate and unregisters when the window closes; the tree view clears the delegate's
// pointers to itself and the window when it goes.
//
// A window at alpha 0 is hidden, not only transparent: under X11 a transparent window still
// takes drops meant for the windows beneath it.
#include <QObject>
#include <QPointer>

#include <QWidget>

namespace kestrel::gui {

class AppShell;
class TreeView;

class TreeWinAction : public QObject {
    Q_OBJECT
public:
    // Makes the window (deleted when it closes) with its tree view.
    explicit TreeWinAction(AppShell& owner);
    ~TreeWinAction() override;

    QWidget* getWindow() const { return window_; }
    TreeView* getMainView() const { return mainView; }
    // Sets the window's alpha; at 0 the window is hidden, above 0 shown again.
    void setWindowAlpha(double alpha);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowWillClose();

    AppShell& owner_;
    QPointer<QWidget> window_;
    TreeView* mainView = nullptr;
};

}  // namespace kestrel::gui
