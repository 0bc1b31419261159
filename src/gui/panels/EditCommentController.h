#pragma once
// The comment editor ("EditComments"), a modeless dialog: every method (each class's own, its
// categories', then the protocols') or every function and macro, narrowed by two filters, and
// the comment of the selected one, edited in a working copy of the comment file.
//
//   pop-up          tag 0 methods, 1 functions; a new mode shows its whole list
//   without-comment changeFilter(1): only items with no entry in the comment file ON DISK
//   keyword switch  changeFilter(2): enables the keyword field; the list loses its keyword filter
//   find button     changeFilter(3): the only one that applies the keywords (all must occur)
//   leaving a line  stores its comment in the working copy when the user changed the text
//   OK, close box   stores the working copy when it changed (atomically) and posts
//                   CommentDicWasChangedNotification; a failed write keeps the dialog open
//   Cancel          loses every change
//
// Each method row shows, dimmed at its right, the class, category or protocol it comes from
// (with "+N" when N others declare the same text); the comment's caption says how many share
// it, since a comment belongs to the text and shows on every one of them.
//
// The comment view is read-only while no line is selected; text put there by the editor
// itself never counts as an edit. A comment file that is there but cannot be read is never
// replaced: the editor says so, shows no comments, takes none, and refuses OK.
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/AnnotationFiles.h"
#include "core/text/MethodOwners.h"
#include "gui/app/DialogController.h"
#include "gui/lists/TextArrayView.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace Ui {
class EditComments;
}

namespace kestrel::gui {

class AppShell;

class EditCommentController : public DialogController, public TextArrayViewDelegate {
    Q_OBJECT
public:
    enum FilterTag { kWithoutCommentTag = 1, kKeywordSwitchTag = 2, kFindTag = 3 };

    explicit EditCommentController(AppShell& owner);
    ~EditCommentController() override;

    QString getNibname() const override { return QStringLiteral("EditComments"); }

    void changeMode(int tag);
    void changeFilter(int tag);
    // 1 (OK, the close box): keeps what was typed; 0 (Cancel): drops it. Then the owner is told.
    void doDialogAction(int code) override;

    void lineSelected(int line) override;
    void lineUnSelected(int line) override;

    TextArrayView* getMethodListView() const;
    QComboBox* getModeMenu() const;
    QLabel* getTotalCountView() const;
    QLabel* getVisibleCountView() const;
    QCheckBox* getWithoutCommentSwitchView() const;
    QCheckBox* getKeywordSwitchView() const;
    QLineEdit* getKeywordView() const;
    QPushButton* getFindButtonView() const;
    QPlainTextEdit* getCommentView() const;
    // The problem the dialog shows (an unreadable comment file, a failed write); empty for none.
    QString getMessage() const;
    int getEditMode() const { return editMode; }
    int getTargetLine() const { return targetLine; }
    bool commentWasEdited() const { return CommentWasEdited; }
    bool dicWasEdited() const { return DicWasEdited; }
    const std::vector<std::string>& getFilterdList() const { return filterdList; }
    // The caption above the comment, whole (the label may shorten the method in it).
    QString getCommentCaption() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    QDialog* loadWindow() override;

private:
    void makeStartData();
    // Shows the rows of filteredRows_ (indices into methodList) with their owners.
    void showList();
    void checkKeyWordLine();
    void keywordWasEdited();
    void commentTextChanged();
    // The selected line's text into the working copy, the line staying selected.
    void commitComment();
    // Puts text into the comment view without it counting as an edit.
    void fillCommentView(const QString& text, bool editable);
    void removeCommentedItem(std::vector<std::size_t>& rows) const;
    void removeByString(std::vector<std::size_t>& rows, const std::string& keywords) const;
    void showCounts();
    // "Comment on" the selected item, the item shortened in the middle to the label's width.
    void showCommentTitle();
    void showMessage(const QString& text);
    void end(int code);

    AppShell& action;
    std::unique_ptr<Ui::EditComments> ui_;
    // None when the comment file is there but cannot be read.
    std::optional<StringDic> commentDic;
    std::optional<StringDic> openedDic;  // the store as the editor read it: what OK changes is measured against it
    std::vector<std::string> filterdList;
    std::vector<std::string> methodList;
    std::vector<std::size_t> filteredRows_;
    // Who declares each method (methods mode only).
    std::optional<MethodOwners> owners_;
    bool KEYWasEdited = false;
    bool CommentWasEdited = false;
    bool DicWasEdited = false;
    int targetLine = -1;
    int editMode = 0;
    // The text the editor last put into the comment view; the user's text is compared with it.
    QString filledText_;
    MethodOwners::Caption commentTitle_;
    bool filling_ = false;
    bool ending_ = false;
};

}  // namespace kestrel::gui
