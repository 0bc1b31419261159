#pragma once
// Comment merge ("commentMarge"): imports the entries of another comment file (XML or binary
// property list) into the user's comment file. On opening, a file dialog asks for the file
// (cancelling it cancels the merge); the dialog names the file and offers the rule for an item
// that already has a comment:
//
//   0 keep      the stored comment stays
//   1 overwrite the imported comment replaces it
//   2 ask       the question (selectSheet) for each one, even when both are the same
//
// Items without a stored comment are always added. OK imports and writes the file (atomically)
// when something counted as changed; it ends the dialog only when the import went through: a
// chosen file that cannot be read, a comment file of the user's that cannot be read, or a
// failed write keeps the dialog open, saying so. Every end, a cancel too, tells the owner and
// then posts CommentDicWasChangedNotification.
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "gui/app/DialogController.h"

class QButtonGroup;
class QFileDialog;
class QLabel;

namespace Ui {
class commentMarge;
}

namespace kestrel::gui {

class AppShell;

class MargeController : public DialogController {
    Q_OBJECT
public:
    // The question for a conflict: 1 takes the imported comment, 0 keeps the stored one.
    using AskFunction = std::function<int(const std::string& key, const std::string& stored, const std::string& imported)>;

    // ask: none runs a selectSheet on the dialog's window.
    explicit MargeController(AppShell& owner, AskFunction ask = {});
    ~MargeController() override;

    QString getNibname() const override { return QStringLiteral("commentMarge"); }

    // The file dialog, as a sheet on the dialog; it opens by itself once the dialog shows.
    void openImportPanel();
    // What accepting the file dialog does: path becomes the file to import, and is named.
    void chooseFile(const QString& path);
    // The rule: 0 keep, 1 overwrite, 2 ask.
    void doActionSwitch(int tag);
    // Imports; only a successful import ends the dialog.
    void doOkButton() override;
    // Answers false, changing nothing, when the import could not go through (and says why).
    bool doImport();
    void doDialogAction(int code) override;

    QFileDialog* getImportPanel() const { return importPanel; }
    const QString& getTarget() const { return target; }
    int getActionMode() const { return actionMode; }
    QLabel* getTargetView() const;
    QButtonGroup* getActionSwitch() const { return ActionSwitch; }
    // The problem the dialog shows; empty for none.
    QString getMessage() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    QDialog* loadWindow() override;

private:
    void panelDidEnd(int result);
    void showMessage(const QString& text);

    AppShell& action;
    AskFunction ask_;
    std::unique_ptr<Ui::commentMarge> ui_;
    QFileDialog* importPanel = nullptr;
    QButtonGroup* ActionSwitch = nullptr;
    QString target;
    int actionMode = 0;
    // Only the first file dialog, the one that opens with the dialog, cancels the merge.
    bool firstPanel_ = true;
    bool ending_ = false;
};

}  // namespace kestrel::gui
