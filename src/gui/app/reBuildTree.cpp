#include "gui/app/reBuildTree.h"

#include <QDialog>
#include <QPushButton>
#include <QStyle>

#include "core/platform/InfoPlist.h"
#include "gui/app/WindowPlacement.h"
#include "ui_warning.h"

namespace kestrel::gui {

QDialog* reBuildTree::loadWindow() {
    auto* dialog = new QDialog(WindowPlacement::mainWindow());
    Ui::warning ui;
    ui.setupUi(dialog);
    ui.titleView->setText(QString::fromStdString(InfoPlist::localizedString("rebuildTitle")));
    ui.iconView->setPixmap(dialog->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    ui.buttonBox->button(QDialogButtonBox::Ok)->setText(tr("&Rebuild"));
    connect(ui.buttonBox, &QDialogButtonBox::accepted, this, &reBuildTree::doOkButton);
    connect(ui.buttonBox, &QDialogButtonBox::rejected, this, &reBuildTree::doCancelButton);
    dialog->adjustSize();
    WindowPlacement::centre(*dialog);
    return dialog;
}

}  // namespace kestrel::gui
