#pragma once
// The preferences dialog ("Pref"): the SDK whose frameworks are read (see PrefSdkChoice; a
// change builds the tree again after OK), method menu titles (cut or not, and where), comments in
// menus, separators, the line break after copies from the method view, the font of the tree
// and lists, and the tree window's opacity (shown on the window at once while the slider
// moves) and delay before it comes back after a drag, and the editor command of the header
// viewer's "Open in Editor". The record changes only on OK, and is stored at exit; Cancel puts
// the window's opacity back. An editor command with an open quote is said on OK, which then
// changes nothing and leaves the dialog open.
//
//   opacity slider 10..100 (hundredths; 0 would hide the tree window for good)
//   delay slider   0..50 (tenths of a second; OK keeps whole seconds: 15 -> 1.0)
//   title limit    never below the method menus' own minimum
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <memory>

namespace Ui {
class Pref;
}

class QButtonGroup;

namespace kestrel::gui {

class AppShell;
class PrefSdkChoice;

class PrefController : public QObject {
    Q_OBJECT
public:
    explicit PrefController(AppShell& owner);
    ~PrefController() override;

    // Loads the dialog, fills it from the preferences and the tree window, and shows it.
    void begin();
    void doOkButton();
    void doCancelButton();
    void changeAlfaValue(int hundredths);

    QDialog* getWindow() const { return window; }
    Ui::Pref& ui() { return *ui_; }

private:
    void end();

    AppShell& owner;
    QPointer<QDialog> window;
    std::unique_ptr<Ui::Pref> ui_;
    QButtonGroup* mWidthMatrix = nullptr;
    PrefSdkChoice* sdkChoice = nullptr;
    bool ended_ = false;
};

}  // namespace kestrel::gui
