#pragma once
// The class URL editor ("EditURL"): every class of the tree by name, with a filter, and the URL
// of the selected one in a field below. It works on its own copy of the URL file; OK stores
// the copy when it differs from the file and posts URLDicWasChangedNotification, Cancel (or
// Escape) gives it up.
//
//   - Only the user's own typing in the URL field (textEdited) counts as an edit; the field is
//     read-only while no class is selected. An edit is committed when another class (or none)
//     is selected, the filter changes, or the dialog ends.
//   - A URL cleared (or left blank) removes the class's entry; surrounding blanks are dropped.
//   - The Open button opens the field's URL through the desktop when it is a well-formed web,
//     file or mail address, and is disabled while there is nothing to open.
//   - A URL file that is there but cannot be read is never replaced: the editor says so from
//     the start and refuses an OK that would store something. A write that fails is said in
//     the dialog, which stays open with the edits.
//   - The close box acts as OK, so that an edit is not lost without a word (AnnotationDialog).
#include <QString>
#include <memory>

#include "core/model/AnnotationFiles.h"
#include "gui/lists/ClassListView.h"
#include "gui/panels/AnnotationDialog.h"

namespace Ui {
class EditURL;
}

class QLineEdit;
class QPushButton;

namespace kestrel::gui {

class AppShell;

class EditUrlController : public AnnotationDialog, public ClassListViewDelegate, public TextArrayViewDelegate {
    Q_OBJECT
public:
    explicit EditUrlController(AppShell& owner);
    ~EditUrlController() override;

    QString getNibname() const override { return QStringLiteral("EditURL"); }
    // Commits an edit of the class shown so far, then shows the URL of record (none: an
    // empty, read-only field).
    void classSelected(const std::shared_ptr<TreeData>& record) override;
    // A click below the rows selects no class.
    void lineSelected(int line) override;
    // Shows the class of that name (the filter set to it) and selects it.
    void selectClassNamed(const std::string& name);
    // 1 (OK): stores the copy when it changed; the end then goes to the owner's EndEditURL.
    void doDialogAction(int code) override;
    void openURL();

    // The working copy, with a pending edit of the field not yet in it.
    const StringDic& getTargetDic() const { return targetDic; }
    // The copy differs from the URL file as read.
    bool isEdited() const { return targetDic != storedDic; }
    ClassListView* getMainView() const;
    QLineEdit* getFilterView() const;
    QLineEdit* getURLView() const;
    QPushButton* getOpenButton() const;

protected:
    QDialog* loadWindow() override;

private:
    // Fills the list with the classes whose name holds the filter's text, sorted by name; the
    // class shown stays selected when it is still in the list.
    void showClasses();
    // False, leaving the copy as it was, for an address longer than any browser takes.
    bool commitEdit();
    QString tooLongMessage() const;
    bool store();
    void updateOpenButton();
    QString unreadableMessage() const override;

    AppShell& shell;
    std::unique_ptr<Ui::EditURL> ui_;
    StringDic targetDic;
    StringDic storedDic;
    bool URLWasEdited = false;
    std::shared_ptr<TreeData> lastSelectedClass;
};

}  // namespace kestrel::gui
