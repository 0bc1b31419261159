#include "gui/panels/MargeController.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <optional>

#include "core/model/AnnotationFiles.h"
#include "core/platform/InfoPlist.h"
#include "core/platform/NotificationCenter.h"
#include "core/platform/PlistFile.h"
#include "gui/app/AppShell.h"
#include "gui/app/QtText.h"
#include "gui/app/WindowPlacement.h"
#include "gui/panels/selectSheet.h"
#include "ui_commentMarge.h"

namespace kestrel::gui {

MargeController::MargeController(AppShell& owner, AskFunction ask)
    : DialogController(&owner), action(owner), ask_(std::move(ask)) {
    setParent(&owner);
    if (!ask_) {
        ask_ = [this](const std::string& key, const std::string& stored, const std::string& imported) {
            selectSheet sheet(key, stored, imported, window);
            const int code = sheet.runDialog();
            sheet.closeDialog();
            return code;
        };
    }
}

MargeController::~MargeController() = default;

QDialog* MargeController::loadWindow() {
    auto* dialog = new QDialog(WindowPlacement::mainWindow());
    ui_ = std::make_unique<Ui::commentMarge>();
    ui_->setupUi(dialog);
    QStyle* style = dialog->style();
    ui_->iconView->setPixmap(style->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(48, 48));
    ui_->messageIcon->setPixmap(style->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    ui_->targetView->setTextFormat(Qt::PlainText);
    QPushButton* ok = ui_->buttonBox->button(QDialogButtonBox::Ok);
    ok->setText(tr("&Import"));
    ok->setEnabled(false);

    target.clear();
    actionMode = 0;
    ActionSwitch = new QButtonGroup(dialog);
    ActionSwitch->addButton(ui_->keepButton, 0);
    ActionSwitch->addButton(ui_->overwriteButton, 1);
    ActionSwitch->addButton(ui_->askButton, 2);
    connect(ActionSwitch, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) doActionSwitch(id);
    });
    connect(ui_->chooseButton, &QPushButton::clicked, this, &MargeController::openImportPanel);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &MargeController::doOkButton);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &MargeController::doCancelButton);
    dialog->installEventFilter(this);
    dialog->adjustSize();
    WindowPlacement::centre(*dialog);
    return dialog;
}

QLabel* MargeController::getTargetView() const { return ui_ ? ui_->targetView : nullptr; }

QString MargeController::getMessage() const {
    return ui_ && !ui_->messageFrame->isHidden() ? ui_->messageView->text() : QString();
}

void MargeController::openImportPanel() {
    if (!window) return;
    if (!importPanel) {
        importPanel = new QFileDialog(window, tr("Choose a Comment File to Import"), QDir::homePath());
        importPanel->setOption(QFileDialog::DontUseNativeDialog);
        importPanel->setFileMode(QFileDialog::ExistingFile);
        importPanel->setAcceptMode(QFileDialog::AcceptOpen);
        importPanel->setLabelText(QFileDialog::Accept, tr("Import"));
        connect(importPanel, &QFileDialog::fileSelected, this, &MargeController::chooseFile);
        connect(importPanel, &QFileDialog::finished, this, &MargeController::panelDidEnd);
    }
    importPanel->open();  // window-modal: a sheet on the dialog
}

void MargeController::panelDidEnd(int result) {
    const bool first = firstPanel_;
    firstPanel_ = false;
    // Cancelling the file dialog that opened with the merge cancels the merge; a later one
    // leaves the chosen file as it was.
    if (first && result == QDialog::Rejected) doDialogAction(0);
}

void MargeController::chooseFile(const QString& path) {
    if (!ui_) return;
    firstPanel_ = false;
    target = path;
    ui_->targetView->setText(qText(InfoPlist::localizedString("CommentImportFront")) + QFileInfo(path).fileName() +
                             qText(InfoPlist::localizedString("CommentImportRear")));
    ui_->targetView->setToolTip(QDir::toNativeSeparators(path));
    ui_->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(true);
    showMessage({});
    // Chosen from elsewhere than the file dialog: the dialog is done with.
    if (importPanel && importPanel->isVisible() && sender() != importPanel) importPanel->hide();
}

void MargeController::doActionSwitch(int tag) {
    actionMode = tag;
    if (ActionSwitch && ActionSwitch->button(tag) && !ActionSwitch->button(tag)->isChecked())
        ActionSwitch->button(tag)->setChecked(true);
}

void MargeController::showMessage(const QString& text) {
    if (!ui_) return;
    ui_->messageView->setText(text);
    ui_->messageFrame->setVisible(!text.isEmpty());
    if (window && !text.isEmpty()) window->adjustSize();
}

bool MargeController::doImport() {
    const QString ownPath = qText(AnnotationFiles::getCommentFilePath());
    const std::optional<StringDic> opened = AnnotationFiles::getCommentDic();
    std::optional<StringDic> current = opened;
    if (!current) {
        showMessage(tr("Your comments could not be read from %1, so nothing was imported. "
                       "The file is left as it is.")
                        .arg(ownPath));
        return false;
    }
    if (target.isEmpty()) {
        showMessage(tr("Choose the comment file to import first."));
        return false;
    }
    const std::optional<PlistDict> imported = PlistFile::readDictionary(QFile::encodeName(target).toStdString());
    if (!imported) {
        showMessage(tr("\"%1\" could not be read as a comment file. Choose another file, or Cancel.")
                        .arg(QFileInfo(target).fileName()));
        return false;
    }
    bool changed = false;
    for (const auto& [key, value] : *imported) {
        const std::string* comment = value.getString();
        if (!comment) continue;
        auto stored = current->find(key);
        if (stored == current->end()) {
            current->emplace(key, *comment);
            changed = true;
        } else if (actionMode == 1) {
            stored->second = *comment;
            changed = true;
        } else if (actionMode == 2) {
            // Asked even when both are the same: the answer is the user's.
            if (ask_(key, stored->second, *comment) == 1) stored->second = *comment;
            changed = true;
        }
    }
    // Merged into the file as it is now (another window may have written it while the
    // questions were answered).
    if (changed && !AnnotationFiles::mergeCommentDic(*opened, *current)) {
        showMessage(tr("Your comments could not be saved to %1, so nothing was imported. Check that "
                       "the folder can be written to and that the disk is not full, then try again.")
                        .arg(ownPath));
        return false;
    }
    return true;
}

void MargeController::doOkButton() {
    if (ending_) return;
    if (doImport()) {
        DialogController::doOkButton();
    } else {
        QApplication::beep();
    }
}

void MargeController::doDialogAction(int code) {
    if (ending_) return;
    ending_ = true;
    if (!action.EndMargeComment(code, this)) {
        ending_ = false;
        return;
    }
    if (window) window->hide();
    // Also after a cancel: the readers look again whatever happened.
    NotificationCenter::defaultCenter().post("CommentDicWasChangedNotification");
    deleteLater();
}

bool MargeController::eventFilter(QObject* watched, QEvent* event) {
    if (isWindow(watched)) {
        switch (event->type()) {
            case QEvent::Show:
                // The file dialog comes at once, over the dialog just shown.
                if (firstPanel_ && !importPanel) {
                    QMetaObject::invokeMethod(
                        this, [this] { if (firstPanel_ && !importPanel && !ending_) openImportPanel(); },
                        Qt::QueuedConnection);
                }
                break;
            case QEvent::Close:
                // The close box cancels.
                if (!ending_) doDialogAction(0);
                if (!ending_) event->ignore();
                return true;
            case QEvent::KeyPress:
                if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                    doCancelButton();
                    return true;
                }
                break;
            default:
                break;
        }
    }
    return DialogController::eventFilter(watched, event);
}

}  // namespace kestrel::gui
