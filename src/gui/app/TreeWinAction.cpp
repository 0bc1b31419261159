#include "gui/app/TreeWinAction.h"

#include <QEvent>
#include <QMainWindow>
#include <QPalette>
#include <QScrollArea>
#include <QWidget>

#include "gui/app/AppShell.h"
#include "gui/treeview/TreeView.h"
#include "ui_TreeWindow.h"

namespace kestrel::gui {

TreeWinAction::TreeWinAction(AppShell& owner) : QObject(&owner), owner_(owner) {
    // A tool window of the main window: it floats above it and closing the main window ends
    // the program.
    window_ = new QWidget(owner.getMainWindow(), Qt::Tool);
    window_->setAttribute(Qt::WA_DeleteOnClose);
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
}

TreeWinAction::~TreeWinAction() {
    if (owner_.getTreeWinController() == this) owner_.setTreeWinController(nullptr);
}

bool TreeWinAction::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close) windowWillClose();
    return QObject::eventFilter(watched, event);
}

void TreeWinAction::windowWillClose() {
    owner_.setTreeWinController(nullptr);
    deleteLater();
}

void TreeWinAction::setWindowAlpha(double alpha) {
    if (!window_) return;
    if (alpha <= 0) {
        window_->hide();
        return;
    }
    window_->setWindowOpacity(alpha);
    if (!window_->isVisible()) window_->show();
}

}  // namespace kestrel::gui
