#include "gui/panels/EditCommentController.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <numeric>

#include "core/app/AppAction2.h"
#include "core/model/TreeSearch.h"
#include "core/platform/NotificationCenter.h"
#include "gui/app/AppShell.h"
#include "gui/app/QtText.h"
#include "gui/app/WindowPlacement.h"
#include "gui/lists/SideTextView.h"
#include "ui_EditComments.h"

namespace kestrel::gui {

namespace {

QString unreadableText() {
    return EditCommentController::tr(
               "Your comments could not be read from %1. None are shown here, and none can be "
               "saved, so that the file stays as it is.")
        .arg(qText(AnnotationFiles::getCommentFilePath()));
}

}  // namespace

EditCommentController::EditCommentController(AppShell& owner) : DialogController(&owner), action(owner) {
    setParent(&owner);
}

EditCommentController::~EditCommentController() = default;

QDialog* EditCommentController::loadWindow() {
    auto* dialog = new QDialog(WindowPlacement::mainWindow());
    ui_ = std::make_unique<Ui::EditComments>();
    ui_->setupUi(dialog);
    ui_->messageIcon->setPixmap(dialog->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    ui_->methodListView->setPlaceholderText(tr("Nothing to show"));
    ui_->methodListView->setDelegate(this);
    ui_->splitter->setStretchFactor(0, 3);
    ui_->splitter->setStretchFactor(1, 2);

    KEYWasEdited = CommentWasEdited = DicWasEdited = false;
    editMode = 0;
    connect(ui_->modeMenu, &QComboBox::currentIndexChanged, this, &EditCommentController::changeMode);
    connect(ui_->withoutCommentSwitchView, &QCheckBox::toggled, this, [this] { changeFilter(kWithoutCommentTag); });
    connect(ui_->keywordSwitchView, &QCheckBox::toggled, this, [this] { changeFilter(kKeywordSwitchTag); });
    connect(ui_->findButtonView, &QPushButton::clicked, this, [this] { changeFilter(kFindTag); });
    connect(ui_->keywordView, &QLineEdit::textEdited, this, &EditCommentController::keywordWasEdited);
    connect(ui_->commentView, &QPlainTextEdit::textChanged, this, &EditCommentController::commentTextChanged);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &EditCommentController::doOkButton);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &EditCommentController::doCancelButton);
    ui_->keywordView->installEventFilter(this);
    ui_->commentTitleView->installEventFilter(this);
    dialog->installEventFilter(this);

    makeStartData();
    targetLine = -1;
    commentDic = AnnotationFiles::getCommentDic();
    openedDic = commentDic;
    fillCommentView({}, false);
    if (!commentDic) showMessage(unreadableText());
    checkKeyWordLine();
    dialog->resize(dialog->sizeHint().expandedTo(QSize(680, 600)));
    WindowPlacement::centre(*dialog);
    return dialog;
}

TextArrayView* EditCommentController::getMethodListView() const { return ui_ ? ui_->methodListView : nullptr; }
QComboBox* EditCommentController::getModeMenu() const { return ui_ ? ui_->modeMenu : nullptr; }
QLabel* EditCommentController::getTotalCountView() const { return ui_ ? ui_->totalCountView : nullptr; }
QLabel* EditCommentController::getVisibleCountView() const { return ui_ ? ui_->visibleCountView : nullptr; }
QCheckBox* EditCommentController::getWithoutCommentSwitchView() const {
    return ui_ ? ui_->withoutCommentSwitchView : nullptr;
}
QCheckBox* EditCommentController::getKeywordSwitchView() const { return ui_ ? ui_->keywordSwitchView : nullptr; }
QLineEdit* EditCommentController::getKeywordView() const { return ui_ ? ui_->keywordView : nullptr; }
QPushButton* EditCommentController::getFindButtonView() const { return ui_ ? ui_->findButtonView : nullptr; }
QPlainTextEdit* EditCommentController::getCommentView() const { return ui_ ? ui_->commentView : nullptr; }

QString EditCommentController::getMessage() const {
    return ui_ && !ui_->messageFrame->isHidden() ? ui_->messageView->text() : QString();
}

void EditCommentController::makeStartData() {
    if (editMode == 0) {
        owners_.emplace(action.app().classStraightList, action.app().protocolList);
        methodList = owners_->methods();
    } else {
        owners_.reset();
        methodList = action.app().makeFuncList();
    }
    filteredRows_.resize(methodList.size());
    std::iota(filteredRows_.begin(), filteredRows_.end(), std::size_t{0});
    showList();
}

void EditCommentController::showList() {
    filterdList.clear();
    std::vector<std::string> owners;
    for (std::size_t row : filteredRows_) {
        filterdList.push_back(methodList[row]);
        if (owners_) owners.push_back(owners_->sideText(row));
    }
    ui_->methodListView->setRows(filterdList, std::move(owners));
    showCounts();
}

void EditCommentController::showCounts() {
    ui_->totalCountView->setNum(static_cast<int>(methodList.size()));
    ui_->visibleCountView->setNum(static_cast<int>(filterdList.size()));
}

void EditCommentController::lineSelected(int line) {
    targetLine = line;
    if (line >= 0 && line < static_cast<int>(filterdList.size())) {
        QString text;
        if (commentDic) {
            auto found = commentDic->find(filterdList[static_cast<size_t>(line)]);
            if (found != commentDic->end()) text = qText(found->second);
        }
        fillCommentView(text, commentDic.has_value());
        const std::string& item = filterdList[static_cast<size_t>(line)];
        commentTitle_ = owners_ ? owners_->caption(item) : MethodOwners::Caption{"Comment on ", item, ""};
    } else {
        fillCommentView({}, false);
    }
    showCommentTitle();
}

void EditCommentController::showCommentTitle() {
    // The method gives way: what the caption says about sharing always shows.
    QLabel* label = ui_->commentTitleView;
    const QString front = qText(commentTitle_.front);
    const QString rear = qText(commentTitle_.rear);
    const QFontMetrics metrics = label->fontMetrics();
    const int room = label->width() - metrics.horizontalAdvance(front + rear);
    label->setText(front + metrics.elidedText(qText(commentTitle_.subject), Qt::ElideMiddle, std::max(room, 0)) + rear);
    label->setToolTip(label->text() == getCommentCaption() ? QString() : getCommentCaption());
}

QString EditCommentController::getCommentCaption() const { return qText(commentTitle_.text()); }

void EditCommentController::lineUnSelected(int line) {
    if (line < 0 || line >= static_cast<int>(filterdList.size())) return;
    if (CommentWasEdited) {
        targetLine = line;
        commitComment();
    }
    fillCommentView({}, false);
    targetLine = -1;
    showCommentTitle();
}

void EditCommentController::commitComment() {
    if (!commentDic || targetLine < 0 || targetLine >= static_cast<int>(filterdList.size())) return;
    const QString text = ui_->commentView->toPlainText();
    (*commentDic)[filterdList[static_cast<size_t>(targetLine)]] = text.toStdString();
    DicWasEdited = true;
    filledText_ = text;
    CommentWasEdited = false;
    window->setWindowModified(true);
}

void EditCommentController::fillCommentView(const QString& text, bool editable) {
    QPlainTextEdit* view = ui_->commentView;
    filling_ = true;
    view->setPlainText(text);
    view->moveCursor(QTextCursor::End);  // typing goes on from the end
    filling_ = false;
    filledText_ = view->toPlainText();
    CommentWasEdited = false;
    commentTitle_ = {tr("Comment").toStdString(), "", ""};
    view->setReadOnly(!editable);
    if (!commentDic)
        view->setPlaceholderText(tr("Your comments could not be read."));
    else if (editable)
        view->setPlaceholderText(tr("No comment yet: type one here."));
    else
        view->setPlaceholderText(tr("Select a line to see or write its comment."));
    if (window) window->setWindowModified(DicWasEdited);
}

void EditCommentController::commentTextChanged() {
    if (filling_) return;
    CommentWasEdited = ui_->commentView->toPlainText() != filledText_;
    window->setWindowModified(DicWasEdited || CommentWasEdited);
}

void EditCommentController::checkKeyWordLine() {
    const bool on = ui_->keywordSwitchView->isChecked();
    ui_->keywordView->setEnabled(on);
    ui_->findButtonView->setEnabled(on && KEYWasEdited);
}

void EditCommentController::keywordWasEdited() {
    KEYWasEdited = true;
    ui_->findButtonView->setEnabled(ui_->keywordSwitchView->isChecked());
}

void EditCommentController::changeFilter(int tag) {
    lineUnSelected(targetLine);
    checkKeyWordLine();
    filteredRows_.resize(methodList.size());
    std::iota(filteredRows_.begin(), filteredRows_.end(), std::size_t{0});
    if (ui_->withoutCommentSwitchView->isChecked()) removeCommentedItem(filteredRows_);
    if (tag == kFindTag) {
        KEYWasEdited = false;
        ui_->findButtonView->setEnabled(false);
        removeByString(filteredRows_, ui_->keywordView->text().toStdString());
    } else if (!ui_->keywordView->text().isEmpty()) {
        // The list is shown without the keyword filter now: Find can apply it again.
        KEYWasEdited = true;
        checkKeyWordLine();
    }
    showList();
}

void EditCommentController::removeCommentedItem(std::vector<std::size_t>& rows) const {
    // The file as saved: what was typed since the editor opened does not hide an item.
    const std::optional<StringDic> saved = AnnotationFiles::getCommentDic();
    if (!saved) return;
    std::erase_if(rows, [&](std::size_t row) { return saved->count(methodList[row]) > 0; });
}

void EditCommentController::removeByString(std::vector<std::size_t>& rows, const std::string& keywords) const {
    const std::vector<std::string> tokens = TreeSearch::commandToToken(keywords);
    if (tokens.empty()) return;
    std::erase_if(rows, [&](std::size_t row) { return !TreeSearch::matches(methodList[row], tokens); });
}

void EditCommentController::changeMode(int tag) {
    if (tag == editMode) return;
    editMode = tag;
    {
        const QSignalBlocker blocker(ui_->modeMenu);
        ui_->modeMenu->setCurrentIndex(tag == 0 ? 0 : 1);
    }
    lineUnSelected(targetLine);
    makeStartData();
    targetLine = -1;
    // The new list is shown whole: the switches and the find button say so. The typed keywords
    // stay, ready to be applied to it.
    {
        const QSignalBlocker blocker(ui_->withoutCommentSwitchView);
        ui_->withoutCommentSwitchView->setChecked(false);
    }
    if (!ui_->keywordView->text().isEmpty()) KEYWasEdited = true;
    checkKeyWordLine();
}

void EditCommentController::showMessage(const QString& text) {
    ui_->messageView->setText(text);
    ui_->messageFrame->setVisible(!text.isEmpty());
}

void EditCommentController::doDialogAction(int code) {
    if (ending_) return;
    if (code == 1) {
        if (!commentDic) {
            showMessage(unreadableText() + QLatin1Char(' ') + tr("Cancel closes the editor."));
            QApplication::beep();
            return;
        }
        if (CommentWasEdited) commitComment();
        if (DicWasEdited) {
            // Merged into the file as it is now: comments confirmed meanwhile in another
            // window stay; only what was changed here is applied.
            std::optional<StringDic> merged = AnnotationFiles::mergeCommentDic(*openedDic, *commentDic);
            if (!merged) {
                // Told apart for the message only: either way the file stays as it was.
                showMessage(AnnotationFiles::getCommentDic()
                                ? tr("Your comments could not be saved to %1. Nothing was changed; "
                                     "check that the folder can be written to and that the disk is "
                                     "not full, then press OK again.")
                                      .arg(qText(AnnotationFiles::getCommentFilePath()))
                                : unreadableText());
                QApplication::beep();
                return;
            }
            openedDic = commentDic = std::move(merged);
            DicWasEdited = false;
            NotificationCenter::defaultCenter().post("CommentDicWasChangedNotification");
        }
    }
    end(code);
}

void EditCommentController::end(int code) {
    ending_ = true;
    if (!action.EndEditComment(code, this)) {
        ending_ = false;
        return;
    }
    if (window) window->hide();
    deleteLater();
}

bool EditCommentController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && isWindow(watched)) {
        // The close box is OK; when OK cannot end the dialog, it stays.
        if (!ending_) doDialogAction(1);
        if (!ending_) event->ignore();
        return true;
    }
    if (event->type() == QEvent::Resize && ui_ && watched == ui_->commentTitleView) showCommentTitle();
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (watched == ui_->keywordView && enter) {
            // Return in the keyword field finds; it never ends the dialog.
            if (ui_->findButtonView->isEnabled()) changeFilter(kFindTag);
            return true;
        }
        if (key == Qt::Key_Escape && isWindow(watched)) {
            // Escape cancels only while nothing is changed: a stray key never loses comments.
            if (!DicWasEdited && !CommentWasEdited) doDialogAction(0);
            return true;
        }
    }
    return DialogController::eventFilter(watched, event);
}

}  // namespace kestrel::gui
