#include "gui/app/TreeWinAction.h"

#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QScrollArea>
#include <QWidget>

#include "core/platform/NotificationCenter.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "gui/app/AppShell.h"
#include "gui/treeview/TreeView.h"
#include "ui_TreeWindow.h"

namespace kestrel::gui {

TreeWinAction::TreeWinAction(AppShell& owner) : QObject(&owner), owner_(owner) {
    window_ = new QWidget(nullptr, Qt::Window);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    if (QMainWindow* main = owner.getMainWindow()) {
        for (QAction* item : main->menuBar()->actions())
            if (QMenu* menu = item->menu())
                for (QAction* command : menu->actions())
                    if (!command->isSeparator() && !command->menu()) window_->addAction(command);
        main->installEventFilter(this);
    }
    Ui::TreeWindow ui;
    ui.setupUi(window_);
    QPalette white = ui.scrollArea->viewport()->palette();
    white.setColor(QPalette::Window, Qt::white);
    ui.scrollArea->viewport()->setPalette(white);
    ui.scrollArea->viewport()->setAutoFillBackground(true);
    mainView = new TreeView(owner);
    ui.scrollArea->setWidget(mainView);
    owner.setMainView(mainView);
    owner.setTreeWinController(this);
    window_->installEventFilter(this);
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, &TreeWinAction::step);
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.addObserver(this, "StartWipeOutNinjyaEffectMessage", [this](const Notification&) { startNinjyaEffect(); });
    center.addObserver(this, "StartWipeInNinjyaEffectMessage", [this](const Notification&) { endNinjyaEffect(); });
}

TreeWinAction::~TreeWinAction() {
    NotificationCenter::defaultCenter().removeObserver(this);
    if (owner_.getTreeWinController() == this) owner_.setTreeWinController(nullptr);
}

namespace {
float preferredAlpha() {
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    const float alpha = pref ? pref->cWindowAlphaValue : 1.0f;
    return alpha > 0.0f && alpha <= 1.0f ? alpha : 1.0f;
}
}  // namespace

void TreeWinAction::startNinjyaEffect() {
    if (!window_) return;
    timer_.stop();
    fade_ = Fade::Out;
    stepCount_ = 0;
    alpha_ = window_->isVisible() ? window_->windowOpacity() : 0.0;
    timer_.start(0);  // the first step at once
}

void TreeWinAction::endNinjyaEffect() {
    if (!window_) return;
    timer_.stop();
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    const double delay = pref ? pref->cWindowDisplayDelay : 0.0;
    fade_ = Fade::Waiting;
    timer_.start(delay > 0 ? static_cast<int>(delay * 1000) : 0);
}

void TreeWinAction::step() {
    switch (fade_) {
        case Fade::Out:
            if (stepCount_++ < kSteps && (alpha_ = static_cast<float>(alpha_ - kStep)) > 0) {
                setWindowAlpha(alpha_);
                timer_.start(kStepMilliseconds);
                return;
            }
            setWindowAlpha(0);
            break;
        case Fade::Waiting:
            fade_ = Fade::In;
            stepCount_ = 0;
            alpha_ = 0;
            step();
            return;
        case Fade::In:
            if (stepCount_++ < kSteps && preferredAlpha() > (alpha_ = static_cast<float>(alpha_ + kStep))) {
                setWindowAlpha(alpha_);
                timer_.start(kStepMilliseconds);
                return;
            }
            setWindowAlpha(preferredAlpha());
            break;
        case Fade::None:
            break;
    }
    fade_ = Fade::None;
    timer_.stop();
}

bool TreeWinAction::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched == window_) windowWillClose();
    // The main window closed (not minimised): the tree window goes with it.
    if (event->type() == QEvent::Hide && !event->spontaneous() && window_ && watched == owner_.getMainWindow())
        window_->close();
    return QObject::eventFilter(watched, event);
}

void TreeWinAction::windowWillClose() {
    owner_.setTreeWinController(nullptr);
    deleteLater();
}

void TreeWinAction::setWindowAlpha(double alpha) {
    steps_.push_back(static_cast<float>(alpha));
    if (!window_) return;
    if (alpha <= 0) {
        window_->hide();
        return;
    }
    window_->setWindowOpacity(alpha);
    if (!window_->isVisible()) window_->show();
}

}  // namespace kestrel::gui
