#include "gui/app/DialogController.h"

#include <QDialog>

namespace kestrel::gui {

DialogController::DialogController(QObject* owner) : owner(owner) {}

DialogController::~DialogController() { delete window; }

void DialogController::load() {
    if (!window) window = loadWindow();
    windowObject_ = window.data();
}

void DialogController::beginDialog() {
    isModal = false;
    load();
    if (window) window->show();
    orderFrontWindow();
}

int DialogController::beginModalDialog() {
    load();
    isModal = true;
    int code = 0;
    if (window) {
        window->setWindowModality(Qt::ApplicationModal);
        code = window->exec();
        delete window;
    }
    deleteLater();
    return code;
}

void DialogController::doOkButton() {
    if (isModal && window)
        window->done(1);
    else
        doDialogAction(1);
}

void DialogController::doCancelButton() {
    if (isModal && window)
        window->done(0);
    else
        doDialogAction(0);
}

void DialogController::doDialogAction(int) {}

void DialogController::orderFrontWindow() {
    if (!window) return;
    window->raise();
    window->activateWindow();
}

}  // namespace kestrel::gui
