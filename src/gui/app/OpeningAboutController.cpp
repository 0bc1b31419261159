#include "gui/app/OpeningAboutController.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWindow>
#include <cmath>

#include "core/app/AboutText.h"
#include "gui/app/QtText.h"
#include "gui/app/WindowPlacement.h"
#include "ui_OpeningAbout.h"

namespace kestrel::gui {

namespace {
constexpr int kBarSteps = 1000;   // the bar's 0..100 in tenths
constexpr qint64 kPaintGapMs = 15;
constexpr qint64 kWholePaintGapMs = 250;
constexpr int kShowWaitMs = 1000;

}  // namespace

OpeningAboutController::OpeningAboutController(QObject* parent) : QObject(parent) {}

OpeningAboutController::~OpeningAboutController() { delete window; }

void OpeningAboutController::load() {
    window = new QDialog(WindowPlacement::mainWindow());
    ui_ = std::make_unique<Ui::OpeningAbout>();
    ui_->setupUi(window);
    ui_->iconView->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    QFont name = ui_->nameView->font();
    name.setPointSizeF(name.pointSizeF() * 1.4);
    name.setBold(true);
    ui_->nameView->setFont(name);
    connect(ui_->okButton, &QPushButton::clicked, this, &OpeningAboutController::aboutEnd);
}

void OpeningAboutController::beginOpening(const QString& title) {
    mode = 1;
    load();
    ui_->okButton->hide();
    ui_->progressBar->setRange(0, kBarSteps);
    ui_->progressBar->setValue(0);
    window->setWindowTitle(title);
    window->adjustSize();
    WindowPlacement::centre(*window);
    window->show();
    window->raise();
    paintWhenShown();
}

void OpeningAboutController::paintWhenShown() {
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(kShowWaitMs);
    // Every window shown so far (the main and tree windows too) is waited for: one not yet
    // shown when the work begins stays a black box until it ends. The deadline's timer wakes
    // the wait when the window system says nothing.
    auto allShown = [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && !(top->windowHandle() && top->windowHandle()->isExposed())) return false;
        return true;
    };
    while (window && !allShown() && deadline.isActive())
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    // What waits to be painted goes first; then this window.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!window) return;
    window->repaint();
    lastPaint_.start();
    lastWholePaint_.start();
}

void OpeningAboutController::beginAbout(std::size_t classCount) {
    mode = 0;
    load();
    ui_->progressBar->hide();
    ui_->okButton->setFocusPolicy(Qt::NoFocus);
    window->setWindowTitle(tr("About Kestrel"));
    ui_->statusView->setText(qText(AboutText::statusText(classCount)));
    ui_->messageView->clear();
    window->adjustSize();
    WindowPlacement::centre(*window);
    window->show();
    window->raise();
    window->activateWindow();
}

void OpeningAboutController::setProgressBarValue(double value) {
    if (!window) return;
    progress_ = value;
    const int steps = static_cast<int>(std::lround(std::clamp(value, 0.0, 100.0) * kBarSteps / 100.0));
    if (ui_->progressBar->maximum() == 0 || steps == ui_->progressBar->value()) return;
    ui_->progressBar->setValue(steps);
    paintNow(ui_->progressBar, value >= 100.0);
}

void OpeningAboutController::addProgressBarValue(double amount) { setProgressBarValue(progress_ + amount); }

void OpeningAboutController::setIndeterminate(bool flag) {
    if (!window) return;
    if (flag) {
        ui_->progressBar->setRange(0, 0);
        return;
    }
    ui_->progressBar->setRange(0, kBarSteps);
    ui_->progressBar->setValue(static_cast<int>(std::lround(progress_ * kBarSteps / 100.0)));
}

void OpeningAboutController::setStatusMessage(const std::string& text) {
    if (!window) return;
    ui_->statusView->setText(qText(text));
    paintNow(ui_->statusView, false);
}

void OpeningAboutController::setMessage(const std::string& text) {
    if (!window) return;
    ui_->messageView->setText(qText(text));
    paintNow(ui_->messageView, true);
}

void OpeningAboutController::paintNow(QWidget* control, bool force) {
    if (!window || !window->isVisible()) return;
    if (!force && lastPaint_.isValid() && lastPaint_.elapsed() < kPaintGapMs) return;
    if (lastWholePaint_.isValid() && lastWholePaint_.elapsed() >= kWholePaintGapMs) {
        window->repaint();
        lastWholePaint_.restart();
    } else {
        control->repaint();
    }
    lastPaint_.restart();
}

void OpeningAboutController::setNote(const std::string& text) {
    if (!window) return;
    ui_->noteView->setText(qText(text));
    ui_->noteView->setVisible(!text.empty());
    window->adjustSize();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);  // laid out and shown now
}

void OpeningAboutController::setSdkName(const std::string& name, const std::string& path) {
    if (!window) return;
    ui_->sdkView->setText(tr("Frameworks of %1").arg(qText(name)));
    ui_->sdkView->setToolTip(qText(path));
    ui_->sdkView->setVisible(!name.empty());
    paintNow(ui_->sdkView, true);
}

QString OpeningAboutController::sdkText() const { return ui_ ? ui_->sdkView->text() : QString(); }

QString OpeningAboutController::noteText() const { return ui_ ? ui_->noteView->text() : QString(); }

QString OpeningAboutController::statusText() const { return ui_ ? ui_->statusView->text() : QString(); }

QString OpeningAboutController::messageText() const { return ui_ ? ui_->messageView->text() : QString(); }

void OpeningAboutController::aboutEnd() {
    if (window) window->hide();
    deleteLater();
}

}  // namespace kestrel::gui
