#include "gui/app/AboutController.h"

#include <QApplication>
#include <QDialog>

#include "core/app/AboutText.h"
#include "gui/app/WindowPlacement.h"
#include "ui_About.h"

namespace kestrel::gui {

AboutController::AboutController(std::size_t classCount, QObject* parent) : QObject(parent), classCount_(classCount) {}

AboutController::~AboutController() { delete window; }

int AboutController::beginModalDialog() {
    window = new QDialog(WindowPlacement::mainWindow());
    Ui::About ui;
    ui.setupUi(window);
    ui.iconView->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    QFont name = ui.nameView->font();
    name.setPointSizeF(name.pointSizeF() * 1.4);
    name.setBold(true);
    ui.nameView->setFont(name);
    ui.nameView->setText(QStringLiteral("Kestrel %1").arg(QApplication::applicationVersion()));
    ui.messageView->setText(tr("A browser for the programming interfaces of Objective-C frameworks."));
    ui.statusView->setText(QString::fromStdString(AboutText::statusText(classCount_)));
    ui.okButton->setFocusPolicy(Qt::NoFocus);
    connect(ui.okButton, &QPushButton::clicked, this, &AboutController::doOkButton);
    window->adjustSize();
    WindowPlacement::centre(*window);
    const int code = window->exec();
    delete window;
    return code;
}

void AboutController::doOkButton() {
    if (window) window->done(1);
}

}  // namespace kestrel::gui
