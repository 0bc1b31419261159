#pragma once
// The private-header dialog ("AddPrivate"): the paths of header files and folders that every
// build reads after the frameworks, with Add and Remove. OK is enabled while the list differs
// from the stored one; OK stores it (and the owner offers the rebuild), Cancel or Escape
// stores nothing. The close box acts as OK (AnnotationDialog).
//
// Adding: "Add Headers…" opens a file panel for several header files at once, "Add Folder…"
// one for a folder (a file panel chooses files or folders, not both). Both are Qt's own
// panels, window-modal on the dialog, filtered by PrivateHedderFilter. What they hand back goes
// through addPaths, which also refuses the frameworks folder, a folder above it and anything
// inside it (PrivateHedderPaths), and files that are no header.
//
// A private-header file that is there but cannot be read is never replaced: the dialog says
// so from the start and refuses an OK that would store a list. A list that could not be
// written is said in the dialog, which stays open.
#include <QFileDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "gui/panels/AnnotationDialog.h"

namespace Ui {
class AddPrivate;
}

class QPushButton;

namespace kestrel::gui {

class AppShell;
class PrivateHedderView;

class AddPrivateHedders : public AnnotationDialog {
    Q_OBJECT
public:
    // paths: the stored list (empty when there is none).
    AddPrivateHedders(AppShell& owner, std::vector<std::string> paths);
    ~AddPrivateHedders() override;

    QString getNibname() const override { return QStringLiteral("AddPrivate"); }
    // The list differs from the one the dialog started with.
    bool isEdited() const { return pathList != startList; }
    const std::vector<std::string>& getEditedList() const { return pathList; }

    // Opens the file panel for header files, or the one for a folder; accepting it adds.
    void selectHedderFiles();
    void selectHedderFolder();
    // What accepting a panel does: appends each path that is not listed yet (in canonical
    // form) and may be read, and says why the others were refused.
    void addPaths(const QStringList& paths);
    // Removes the selected line; without one nothing happens.
    void doRemoveButton();
    // 1 (OK) or 0 (Cancel) to the owner's sendAddPrivateHedderMessage; the dialog goes when it
    // answers true.
    void doDialogAction(int code) override;

    PrivateHedderView* getMainView() const;
    QPushButton* getOkButton() const;
    QPushButton* getRemoveButton() const;
    // The panel of the running add operation, if any.
    QFileDialog* getImportPanel() const { return importPanel; }

protected:
    QDialog* loadWindow() override;

private:
    QFileDialog* makePanel(const QString& title);
    void showList();
    QString unreadableMessage() const override;

    AppShell& shell;
    std::unique_ptr<Ui::AddPrivate> ui_;
    std::vector<std::string> pathList;
    std::vector<std::string> startList;
    std::vector<std::string> frameworkFolders;
    QPointer<QFileDialog> importPanel;
    QString panelFolder;
};

}  // namespace kestrel::gui
