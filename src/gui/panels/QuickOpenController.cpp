#include "gui/panels/QuickOpenController.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QScreen>
#include <algorithm>

#include "core/app/AppAction2.h"
#include "core/platform/Host.h"
#include "core/platform/NotificationCenter.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "core/text/QuickOpenText.h"
#include "gui/app/AppShell.h"
#include "gui/app/QtText.h"
#include "gui/lists/QuickOpenView.h"
#include "ui_QuickOpen.h"

namespace kestrel::gui {

QuickOpenController::QuickOpenController(AppShell& owner) : QObject(&owner), owner_(owner) {
    typing_.setSingleShot(true);
    typing_.setInterval(0);  // once the keys typed so far are in the field
    connect(&typing_, &QTimer::timeout, this, &QuickOpenController::search);
    NotificationCenter::defaultCenter().addObserver(this, "TreeFileWasChangedMessage",
                                                    [this](const Notification&) { treeChanged(); });
}

QuickOpenController::~QuickOpenController() {
    NotificationCenter::defaultCenter().removeObserver(this);
    delete window_.data();
}

QDialog* QuickOpenController::getWindow() const { return window_.data(); }
QLineEdit* QuickOpenController::getQueryView() const { return ui_ ? ui_->queryView : nullptr; }
QuickOpenView* QuickOpenController::getResultView() const { return ui_ ? ui_->resultView : nullptr; }
QLabel* QuickOpenController::getCountView() const { return ui_ ? ui_->countView : nullptr; }

void QuickOpenController::makeWindow() {
    // A pop-up: above the window it came from, gone with a click elsewhere.
    window_ = new QDialog(owner_.getMainWindow(), Qt::Popup);
    ui_ = std::make_unique<Ui::QuickOpen>();
    ui_->setupUi(window_);
    // A pop-up has no frame of its own: a line sets it off from the window below.
    window_->setStyleSheet(QStringLiteral("QDialog#QuickOpen { border: 1px solid palette(dark); }"));
    QFont larger = ui_->queryView->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.25);
    ui_->queryView->setFont(larger);
    for (QLabel* label : {ui_->hintView, ui_->countView}) {
        QPalette dim = label->palette();
        dim.setColor(QPalette::WindowText, dim.color(QPalette::PlaceholderText));
        label->setPalette(dim);
    }
    ui_->resultView->setPlaceholderText(tr("Type the letters of a name, in order"));
    ui_->resultView->setOpener([this] { goToSelected(); });
    ui_->queryView->installEventFilter(this);
    connect(ui_->queryView, &QLineEdit::textChanged, this, [this] { typing_.start(); });
}

void QuickOpenController::buildIndex() {
    AppAction2& app = owner_.app();
    app.ensureNotes();  // the rows' availability
    index_.build(app.classStraightList, app);
    search_.reset();
    stale_ = false;
}

void QuickOpenController::treeChanged() {
    // The rows name records of the tree before; a new tree makes new ones.
    stale_ = true;
    index_.clear();
    search_.reset();
    if (ui_) ui_->resultView->setEntries(nullptr, {});
    if (isOpen()) {
        buildIndex();
        search();
    }
}

bool QuickOpenController::isOpen() const { return window_ && window_->isVisible(); }

void QuickOpenController::open() {
    // A class cut from the tree since the index was made is stale too.
    if (stale_ || index_.classCount() != owner_.app().classStraightList.size()) buildIndex();
    if (!window_) makeWindow();
    place();
    window_->show();
    window_->raise();
    window_->activateWindow();
    ui_->queryView->setFocus(Qt::PopupFocusReason);
    ui_->queryView->selectAll();
    search();
}

void QuickOpenController::close() {
    typing_.stop();
    if (window_) window_->hide();
}

void QuickOpenController::place() {
    // Over the window in use (the tree window, a viewer), a little below its top, as wide as suits it.
    QWidget* anchor = owner_.getMainWindow();
    if (QWidget* active = QApplication::activeWindow(); active && active != window_) anchor = active;
    const QRect frame = anchor->frameGeometry();
    const QRect screen = anchor->screen() ? anchor->screen()->availableGeometry() : frame;
    const int rowHeight = ui_->resultView->rowHeight();
    const int width = std::min(std::clamp(frame.width() * 4 / 5, 640, 880), std::max(320, screen.width() - 40));
    const int height = std::min(ui_->queryView->sizeHint().height() + 15 * rowHeight + ui_->hintView->sizeHint().height() +
                                    48,
                                std::max(240, screen.height() - 80));
    int x = frame.x() + (frame.width() - width) / 2;
    int y = frame.y() + std::min(frame.height() / 8, 120);
    x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() - width));
    y = std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() - height));
    window_->setGeometry(x, y, width, height);
}

void QuickOpenController::search() {
    typing_.stop();
    if (!ui_) return;
    const std::string text = ui_->queryView->text().toStdString();
    std::vector<QuickOpenSearch::Hit> hits = search_.find(text, kRows);
    std::vector<std::uint32_t> entries;
    entries.reserve(hits.size());
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    const bool hideDeprecated = pref && pref->hideDeprecated;
    for (const QuickOpenSearch::Hit& hit : hits)
        if (!hideDeprecated || !index_.isDeprecated(hit.entry)) entries.push_back(hit.entry);
    ui_->resultView->setEntries(&index_, std::move(entries));
    if (!hits.empty()) ui_->resultView->selectRow(0);
    const std::size_t count = search_.matchCount();
    if (FuzzyRank::queryOf(text).empty())
        ui_->countView->clear();
    else if (count == 0)
        ui_->countView->setText(tr("Nothing matches"));
    else if (count > hits.size())
        ui_->countView->setText(tr("best %1 of %2").arg(hits.size()).arg(QLocale().toString(qulonglong(count))));
    else
        ui_->countView->setText(count == 1 ? tr("1 match") : tr("%1 matches").arg(count));
    ui_->resultView->setPlaceholderText(FuzzyRank::queryOf(text).empty() ? tr("Type the letters of a name, in order")
                                                                         : tr("Nothing has these letters in order"));
}

void QuickOpenController::goToSelected() {
    if (typing_.isActive()) search();  // the results of every key typed so far
    const std::optional<std::uint32_t> entry = ui_ ? ui_->resultView->selectedEntry() : std::nullopt;
    if (!entry) return;
    const QuickOpenText::Destination to = QuickOpenText::destinationOf(index_, *entry);
    close();
    owner_.showDestination(to);
}

bool QuickOpenController::copySelected() {
    if (typing_.isActive()) search();
    const std::optional<std::uint32_t> entry = ui_ ? ui_->resultView->selectedEntry() : std::nullopt;
    if (!entry) return false;
    QApplication::clipboard()->setText(qText(QuickOpenText::copyText(index_, *entry, owner_.getDragStyleMode())));
    return true;
}

bool QuickOpenController::eventFilter(QObject* watched, QEvent* event) {
    if (!ui_ || watched != ui_->queryView || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* press = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = press->modifiers() & ~Qt::KeypadModifier;
    if (press->matches(QKeySequence::Copy) && !ui_->queryView->hasSelectedText()) {
        copySelected();
        return true;
    }
    if (mods != Qt::NoModifier) return QObject::eventFilter(watched, event);
    switch (press->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            goToSelected();
            return true;
        case Qt::Key_Escape:
            close();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (typing_.isActive()) search();
            ui_->resultView->moveSelection(press->key());
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace kestrel::gui
