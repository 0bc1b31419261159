#include "gui/panels/StructEnumViewerController.h"

#include <QButtonGroup>
#include <QEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

#include "core/app/AppAction2.h"
#include "core/model/EnumData.h"
#include "core/model/StructData.h"
#include "gui/lists/StructEnumView.h"
#include "core/platform/NotificationCenter.h"
#include "gui/app/AppShell.h"
#include "gui/app/WindowPlacement.h"
#include "ui_StructEnumViewer.h"

namespace kestrel::gui {

StructEnumViewerController::StructEnumViewerController(AppShell& owner) : QObject(&owner), action(owner) {}

StructEnumViewerController::~StructEnumViewerController() {
    NotificationCenter::defaultCenter().removeObserver(this);
    delete window;
}

void StructEnumViewerController::begin() {
    mode = 0;
    window = new QWidget(action.getMainWindow(), Qt::Tool);
    ui_ = std::make_unique<Ui::StructEnumViewer>();
    ui_->setupUi(window);
    ui_->listView->setIndexView(ui_->indexView);
    ui_->listView->setCountView(ui_->countView);
    auto* modes = new QButtonGroup(window);
    modes->addButton(ui_->structModeButton, 0);
    modes->addButton(ui_->enumModeButton, 1);
    connect(modes, &QButtonGroup::idClicked, this, &StructEnumViewerController::changeMode);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &StructEnumViewerController::doOkButton);
    auto* escape = new QShortcut(QKeySequence::Cancel, window);
    connect(escape, &QShortcut::activated, this, &StructEnumViewerController::doOkButton);
    window->installEventFilter(this);
    NotificationCenter::defaultCenter().addObserver(this, "TreeFileWasChangedMessage",
                                                    [this](const Notification&) { showList(); });
    showList();
    window->resize(720, 480);
    WindowPlacement::centre(*window);
    window->show();
    window->raise();
    window->activateWindow();
}

StructEnumView* StructEnumViewerController::getListView() const { return ui_ ? ui_->listView : nullptr; }
TextArrayView* StructEnumViewerController::getIndexView() const { return ui_ ? ui_->indexView : nullptr; }
QLabel* StructEnumViewerController::getCountView() const { return ui_ ? ui_->countView : nullptr; }

void StructEnumViewerController::changeMode(int tag) {
    if (tag == mode) return;
    mode = tag;
    if (tag == 0 || tag == 1) showList();
}

void StructEnumViewerController::showList() {
    if (!ui_) return;
    AppAction2& app = action.app();
    StructEnumView::Records records;
    if (mode == 0) records.assign(app.structList.begin(), app.structList.end());
    if (mode == 1) records.assign(app.enumList.begin(), app.enumList.end());
    ui_->listView->setRecords(std::move(records));
}

void StructEnumViewerController::showRecord(const std::shared_ptr<StructEnumData>& record,
                                            std::optional<std::size_t> constant) {
    if (!record || !ui_) return;
    const int wanted = record->whoAreYou() == kEnumDataKind ? 1 : 0;
    if (wanted != mode) {
        (wanted == 1 ? ui_->enumModeButton : ui_->structModeButton)->setChecked(true);
        changeMode(wanted);
    }
    const StructEnumView::Records& rows = ui_->listView->records();
    const auto found = std::find(rows.begin(), rows.end(), record);
    if (found == rows.end()) return;
    ui_->listView->selectRow(static_cast<int>(found - rows.begin()));
    // The definition's first row is the enum's head; each constant a row after it.
    if (constant) ui_->indexView->selectRow(static_cast<int>(*constant) + 1);
    window->raise();
    window->activateWindow();
    ui_->listView->setFocus(Qt::OtherFocusReason);
}

void StructEnumViewerController::doOkButton() {
    if (ending_) return;
    ending_ = true;
    action.EndStructEnumViewer();
    if (window) window->hide();
    deleteLater();
}

bool StructEnumViewerController::eventFilter(QObject* watched, QEvent* event) {
    // The close box is OK: else the command would stay disabled for good.
    if (event->type() == QEvent::Close && watched == window) doOkButton();
    return QObject::eventFilter(watched, event);
}

}  // namespace kestrel::gui
