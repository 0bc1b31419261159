#include "gui/panels/selectSheet.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/app/QtText.h"
#include "gui/app/WindowPlacement.h"
#include "ui_selectSheet.h"

namespace kestrel::gui {

selectSheet::selectSheet(const std::string& key, const std::string& current, const std::string& imported,
                         QWidget* targetWin)
    : window(new QDialog(targetWin ? targetWin : WindowPlacement::mainWindow())),
      ui_(std::make_unique<Ui::selectSheet>()) {
    ui_->setupUi(window);
    ui_->titleView->setText(tr("You already have a comment on <b>%1</b>. Which one do you want to keep?")
                                .arg(qText(key).toHtmlEscaped()));
    ui_->originalCommentView->setPlainText(qText(current));
    ui_->newCommentView->setPlainText(qText(imported));
    connect(ui_->takeButton, &QPushButton::clicked, this, [this] { doDicaloButton(0); });
    connect(ui_->keepButton, &QPushButton::clicked, this, [this] { doDicaloButton(1); });
    window->resize(window->sizeHint().expandedTo(QSize(520, 280)));
}

selectSheet::~selectSheet() { delete window; }

int selectSheet::runDialog() {
    if (!window) return 0;
    window->setWindowModality(Qt::ApplicationModal);
    return window->exec() == 1 ? 1 : 0;
}

void selectSheet::doDicaloButton(int tag) {
    if (window) window->done(tag == 0 ? 1 : 0);
}

void selectSheet::closeDialog() {
    if (!window) return;
    window->hide();
    window->deleteLater();
}

}  // namespace kestrel::gui
