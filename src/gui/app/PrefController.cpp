#include "gui/app/PrefController.h"

#include <QButtonGroup>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "core/model/MethodMenu.h"
#include "core/platform/EditorCommand.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "gui/app/AppShell.h"
#include "gui/app/PrefFonts.h"
#include "gui/app/PrefSdkChoice.h"
#include "gui/app/WindowPlacement.h"
#include "ui_Pref.h"

namespace kestrel::gui {

namespace {

QString delayText(int tenths) { return QObject::tr("%1 s").arg(tenths / 10); }

}  // namespace

PrefController::PrefController(AppShell& owner) : QObject(&owner), owner(owner) {}

PrefController::~PrefController() { delete window; }

void PrefController::begin() {
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    if (!pref) return;
    window = new QDialog(owner.getMainWindow());
    ui_ = std::make_unique<Ui::Pref>();
    ui_->setupUi(window);
    mWidthMatrix = new QButtonGroup(window);
    mWidthMatrix->addButton(ui_->noLimitButton, 0);
    mWidthMatrix->addButton(ui_->limitButton, 1);

    sdkChoice = new PrefSdkChoice(ui_->sdkPathView, ui_->chooseSdkButton, ui_->defaultSdkButton, ui_->sdkNameView,
                                  pref->sdkPath, owner.defaultFrameworksRoot(), window);

    ui_->mWidthLimitView->setMinimum(MethodMenu::kMinimumLimit);
    ui_->mWidthLimitView->setValue(pref->numLimitCharactors);
    (pref->menuWidthHasLimit ? ui_->limitButton : ui_->noLimitButton)->setChecked(true);
    ui_->mWidthLimitView->setEnabled(pref->menuWidthHasLimit);
    ui_->useCommentSwitch->setChecked(pref->useCommentInMenu);
    ui_->addLFSwitch->setChecked(pref->addLF);
    ui_->addMenuSeparetorSwitch->setChecked(pref->addMenuSeparetor);
    const QFont font = PrefFonts::currentFont();
    ui_->fontView->setCurrentFont(font);
    ui_->fontSizeView->setValue(static_cast<int>(std::lround(font.pointSizeF())));

    QWidget* classWindow = owner.getTreeWindow();
    const double alpha = classWindow ? classWindow->windowOpacity() : pref->cWindowAlphaValue;
    ui_->alfaSlider->setValue(static_cast<int>(std::lround(alpha * 100)));
    ui_->alphaValueView->setText(tr("%1 %").arg(ui_->alfaSlider->value()));
    QPalette dimmed = ui_->alphaNoteView->palette();
    dimmed.setColor(QPalette::WindowText, dimmed.color(QPalette::PlaceholderText));
    ui_->alphaNoteView->setPalette(dimmed);
    ui_->editorCommandView->setText(QString::fromStdString(pref->editorCommand));
    ui_->editorNoteView->setPalette(dimmed);
    ui_->editorProblemView->hide();
    ui_->delaySlider->setValue(static_cast<int>(std::lround(pref->cWindowDisplayDelay * 10)));
    ui_->delaySlider->setPageStep(10);
    ui_->delaySlider->setTickInterval(10);
    ui_->delaySlider->setTickPosition(QSlider::TicksBelow);
    ui_->delayValueView->setText(delayText(ui_->delaySlider->value()));

    connect(mWidthMatrix, &QButtonGroup::idClicked, this, [this](int tag) { ui_->mWidthLimitView->setEnabled(tag == 1); });
    connect(ui_->alfaSlider, &QSlider::valueChanged, this, &PrefController::changeAlfaValue);
    connect(ui_->delaySlider, &QSlider::valueChanged, this,
            [this](int tenths) { ui_->delayValueView->setText(delayText(tenths)); });
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &PrefController::doOkButton);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &PrefController::doCancelButton);
    connect(window, &QDialog::rejected, this, &PrefController::doCancelButton);  // Escape, the close box

    window->adjustSize();
    // The wrapped notes need the height their lines take at the width the dialog got.
    if (QLayout* layout = window->layout(); layout && layout->hasHeightForWidth())
        window->resize(window->width(), std::max(window->height(), layout->totalHeightForWidth(window->width())));
    WindowPlacement::centre(*window);
    window->show();
    window->raise();
    window->activateWindow();
}

void PrefController::changeAlfaValue(int hundredths) {
    ui_->alphaValueView->setText(tr("%1 %").arg(hundredths));
    if (QWidget* classWindow = owner.getTreeWindow()) classWindow->setWindowOpacity(hundredths / 100.0);
}

void PrefController::doOkButton() {
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    if (!pref || ended_) return;
    // An editor command that cannot be cut into words is said, and the dialog stays as it is.
    const std::string editorCommand = ui_->editorCommandView->text().trimmed().toStdString();
    std::string problem;
    if (editorCommand.size() > PrefData::kLongestEditorCommand) problem = tr("The command is too long.").toStdString();
    else EditorCommand::split(editorCommand, &problem);
    ui_->editorProblemView->setText(QString::fromStdString(problem));
    ui_->editorProblemView->setVisible(!problem.empty());
    if (!problem.empty()) {
        ui_->editorCommandView->setFocus();
        return;
    }
    if (!sdkChoice->acceptable()) {  // the dialog stays as it is, saying why
        sdkChoice->showProblem();
        return;
    }
    pref->editorCommand = editorCommand;
    const bool sdkChanged = sdkChoice->chosen() != pref->sdkPath;
    pref->sdkPath = sdkChoice->chosen();
    pref->prefChanged = true;
    if (mWidthMatrix->checkedId() == 0) {
        pref->menuWidthHasLimit = false;
    } else {
        pref->menuWidthHasLimit = true;
        pref->numLimitCharactors = ui_->mWidthLimitView->value();
    }
    pref->useCommentInMenu = ui_->useCommentSwitch->isChecked();
    pref->addLF = ui_->addLFSwitch->isChecked();
    pref->addMenuSeparetor = ui_->addMenuSeparetorSwitch->isChecked();
    QWidget* classWindow = owner.getTreeWindow();
    pref->cWindowAlphaValue =
        static_cast<float>(classWindow ? classWindow->windowOpacity() : ui_->alfaSlider->value() / 100.0);
    pref->cWindowDisplayDelay = static_cast<float>(ui_->delaySlider->value() / 10);  // whole seconds
    const QFont chosen(ui_->fontView->currentFont().family(), ui_->fontSizeView->value());
    const QFont current = PrefFonts::currentFont();
    if (chosen.family() != current.family() || chosen.pointSize() != static_cast<int>(std::lround(current.pointSizeF())))
        pref->setFont(PrefFont{chosen.family().toStdString(), static_cast<double>(chosen.pointSize())});
    owner.preferencesChanged();
    end();
    if (sdkChanged) owner.sdkChosen();
}

void PrefController::doCancelButton() {
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    if (QWidget* classWindow = owner.getTreeWindow(); classWindow && pref)
        classWindow->setWindowOpacity(pref->cWindowAlphaValue);
    end();
}

void PrefController::end() {
    if (ended_) return;
    ended_ = true;
    if (window) window->hide();
    owner.EndPref(this);
    deleteLater();
}

}  // namespace kestrel::gui
