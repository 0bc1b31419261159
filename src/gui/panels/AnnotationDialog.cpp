#include "gui/panels/AnnotationDialog.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QStringList>
#include <QStyle>

#include "gui/app/WindowPlacement.h"

namespace kestrel::gui {

QDialog* AnnotationDialog::makeWindow() {
    auto* dialog = new QDialog;
    WindowPlacement::keepAboveMainWindow(*dialog);
    return dialog;
}

void AnnotationDialog::watchWindow(QDialog& dialog, QWidget& messageBox, QLabel& messageIcon, QLabel& messageView) {
    messageBox_ = &messageBox;
    messageView_ = &messageView;
    messageIcon.setPixmap(dialog.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
    connect(&dialog, &QDialog::rejected, this, &AnnotationDialog::doCancelButton);  // Escape
    dialog.installEventFilter(this);
}

QString AnnotationDialog::getMessage() const {
    return messageBox_ && !messageBox_->isHidden() && messageView_ ? messageView_->text() : QString();
}

void AnnotationDialog::showMessage(const QString& text) {
    if (!messageBox_ || !messageView_) return;
    QStringList lines;
    if (storeUnreadable) lines << unreadableMessage();
    if (!text.isEmpty()) lines << text;
    messageView_->setText(lines.join(QLatin1Char('\n')));
    messageBox_->setVisible(!lines.isEmpty());
}

void AnnotationDialog::end() {
    if (window) window->hide();
    deleteLater();
}

bool AnnotationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && !ending_ && isWindow(watched)) {
        event->ignore();
        doOkButton();
        return true;
    }
    return DialogController::eventFilter(watched, event);
}

}  // namespace kestrel::gui
