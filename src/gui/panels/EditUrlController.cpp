#include "gui/panels/EditUrlController.h"

#include <QDialog>
#include <QPushButton>
#include <algorithm>

#include "core/app/AppAction2.h"
#include "core/model/ClassData.h"
#include "core/platform/NotificationCenter.h"
#include "gui/app/AppShell.h"
#include "gui/app/DesktopUrl.h"
#include "gui/app/QtText.h"
#include "gui/app/WindowPlacement.h"
#include "ui_EditURL.h"

namespace kestrel::gui {

EditUrlController::EditUrlController(AppShell& owner) : AnnotationDialog(&owner), shell(owner) {
    setParent(&owner);  // goes with the program when it quits with the editor open
}

EditUrlController::~EditUrlController() { NotificationCenter::defaultCenter().removeObserver(this); }

QDialog* EditUrlController::loadWindow() {
    QDialog* dialog = makeWindow();
    ui_ = std::make_unique<Ui::EditURL>();
    ui_->setupUi(dialog);
    watchWindow(*dialog, *ui_->messageBox, *ui_->messageIcon, *ui_->messageView);
    ui_->mainView->setController(this);
    ui_->mainView->setDelegate(this);
    ui_->mainView->setPlaceholderText(tr("No classes"));
    ui_->URLView->setReadOnly(true);
    // Long enough to take a pasted address whole and tell when it is too long (the field
    // would cut it silently at 32,767 characters).
    ui_->URLView->setMaxLength(static_cast<int>(AnnotationFiles::kLongestURL) + 1);
    connect(ui_->URLView, &QLineEdit::textEdited, this, [this] { URLWasEdited = true; });
    connect(ui_->URLView, &QLineEdit::textChanged, this, &EditUrlController::updateOpenButton);
    connect(ui_->openButton, &QPushButton::clicked, this, &EditUrlController::openURL);
    connect(ui_->filterView, &QLineEdit::textChanged, this, &EditUrlController::showClasses);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &EditUrlController::doOkButton);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &EditUrlController::doCancelButton);

    std::optional<StringDic> stored = AnnotationFiles::getURLStore();
    storeUnreadable = !stored;
    storedDic = stored.value_or(StringDic{});
    targetDic = storedDic;
    showMessage({});
    NotificationCenter::defaultCenter().addObserver(this, "TreeFileWasChangedMessage",
                                                    [this](const Notification&) { showClasses(); });
    showClasses();
    updateOpenButton();
    dialog->resize(dialog->sizeHint().expandedTo(QSize(600, 540)));
    WindowPlacement::centre(*dialog);
    return dialog;
}

ClassListView* EditUrlController::getMainView() const { return ui_ ? ui_->mainView : nullptr; }
QLineEdit* EditUrlController::getFilterView() const { return ui_ ? ui_->filterView : nullptr; }
QLineEdit* EditUrlController::getURLView() const { return ui_ ? ui_->URLView : nullptr; }
QPushButton* EditUrlController::getOpenButton() const { return ui_ ? ui_->openButton : nullptr; }

void EditUrlController::showClasses() {
    if (!ui_) return;
    const std::optional<std::string> shown = lastSelectedClass ? lastSelectedClass->getName() : std::nullopt;
    classSelected(nullptr);
    const QString filter = ui_->filterView->text().trimmed();
    ClassListView::Records records;
    for (const auto& record : shell.app().classStraightList) {
        if (record && record->getName() && qText(*record->getName()).contains(filter, Qt::CaseInsensitive))
            records.push_back(record);
    }
    std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
        return qText(*a->getName()).compare(qText(*b->getName()), Qt::CaseInsensitive) < 0;
    });
    // A rebuild makes new records: the class shown is found again by its name.
    auto kept = std::find_if(records.begin(), records.end(), [&](const auto& r) { return shown && r->getName() == shown; });
    const int keptLine = kept == records.end() ? -1 : static_cast<int>(kept - records.begin());
    ui_->mainView->setRecords(std::move(records));
    if (keptLine >= 0) ui_->mainView->doClickAction(keptLine);
}

bool EditUrlController::commitEdit() {
    bool kept = true;
    if (URLWasEdited && lastSelectedClass && lastSelectedClass->getName() && ui_) {
        const std::string url = ui_->URLView->text().trimmed().toStdString();
        if (url.size() > AnnotationFiles::kLongestURL)
            kept = false;
        else if (url.empty())
            targetDic.erase(*lastSelectedClass->getName());
        else
            targetDic[*lastSelectedClass->getName()] = url;
    }
    URLWasEdited = false;
    return kept;
}

QString EditUrlController::tooLongMessage() const {
    return tr("That address is longer than any browser accepts (more than 1 MB), so it was not kept.");
}

void EditUrlController::classSelected(const std::shared_ptr<TreeData>& record) {
    const bool kept = commitEdit();
    lastSelectedClass = record;
    if (!ui_) return;
    std::optional<std::string> url;
    if (record && record->getName())
        if (auto found = targetDic.find(*record->getName()); found != targetDic.end()) url = found->second;
    ui_->URLView->setReadOnly(!record);
    ui_->URLView->setText(qText(url));  // not an edit: textEdited comes from typing only
    showMessage(kept ? QString() : tooLongMessage());
    updateOpenButton();
}

void EditUrlController::selectClassNamed(const std::string& name) {
    if (!ui_) return;
    ui_->filterView->setText(qText(name));  // shows the classes holding the name
    const auto& records = ui_->mainView->records();
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i] && records[i]->getName() == name) return ui_->mainView->doClickAction(static_cast<int>(i));
}

void EditUrlController::lineSelected(int line) {
    if (line < 0) classSelected(nullptr);
}

void EditUrlController::updateOpenButton() {
    if (ui_) ui_->openButton->setEnabled(lastSelectedClass && !ui_->URLView->text().trimmed().isEmpty());
}

void EditUrlController::openURL() {
    if (!ui_) return;
    const QString text = ui_->URLView->text().trimmed();
    if (!text.isEmpty()) showMessage(DesktopUrl::open(text));
}

QString EditUrlController::unreadableMessage() const {
    return tr("Your class URLs could not be read from %1. That file is left as it is: nothing is stored until it "
              "is repaired or removed.")
        .arg(qText(AnnotationFiles::getURLFilePath()));
}

bool EditUrlController::store() {
    // Merged into the file as it is now: URLs stored meanwhile by another window stay.
    if (!storeUnreadable) {
        if (std::optional<StringDic> merged = AnnotationFiles::mergeURLDic(storedDic, targetDic)) {
            storedDic = targetDic = *merged;
            NotificationCenter::defaultCenter().post("URLDicWasChangedNotification");
            return true;
        }
    }
    storeUnreadable = storeUnreadable || !AnnotationFiles::getURLStore();
    if (storeUnreadable) {
        showMessage({});  // says it again
    } else {
        showMessage(tr("Your class URLs could not be stored in %1. The changes are still here: make room or make the "
                       "folder writable and press OK again, or press Cancel to give them up.")
                        .arg(qText(AnnotationFiles::getURLFilePath())));
    }
    return false;
}

void EditUrlController::doDialogAction(int code) {
    if (ending_) return;
    if (!commitEdit() && code == 1) {
        showMessage(tooLongMessage());  // stays open: the address can still be shortened
        URLWasEdited = true;
        return;
    }
    if (code == 1 && isEdited() && !store()) return;  // stays open, and says why
    ending_ = true;
    if (!shell.EndEditURL(code, this)) {
        ending_ = false;
        return;
    }
    end();
}

}  // namespace kestrel::gui
