#include "gui/panels/FindController.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/app/AppAction2.h"
#include "core/model/TreeSearch.h"
#include "gui/app/AppShell.h"
#include "gui/lists/FindResultView.h"
#include "gui/lists/MethodView.h"

namespace kestrel::gui {

FindController::FindController(AppShell& owner, QWidget* page, MethodView* classPanelMethodView)
    : ViewController(owner, page) {
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    targetView = new QComboBox(page);
    targetView->addItem(tr("Classes"), TreeSearch::kFindClasses);
    targetView->addItem(tr("Methods"), TreeSearch::kFindMethods);
    targetView->addItem(tr("Functions and macros"), TreeSearch::kFindFunctions);
    targetView->addItem(tr("Enum constants"), TreeSearch::kFindConstants);
    keywordView = new QComboBox(page);
    keywordView->setEditable(true);
    keywordView->setInsertPolicy(QComboBox::NoInsert);  // the history is kept by the rules below
    keywordView->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    keywordView->lineEdit()->setPlaceholderText(tr("All these words, any case"));
    keywordView->setToolTip(tr("Keywords, all of which must occur, in any case"));
    keywordView->lineEdit()->setClearButtonEnabled(true);
    findButton = new QPushButton(tr("&Find"), page);
    row->addWidget(new QLabel(tr("Find:"), page));
    row->addWidget(targetView);
    row->addWidget(keywordView, 1);
    row->addWidget(findButton);
    layout->addLayout(row);

    resultView = new FindResultView(page);
    resultView->setPlaceholderText(tr("Type keywords above: classes, methods, functions or enum constants whose text holds "
                                      "all of them, in any case, are listed here as you type."));
    layout->addWidget(resultView, 1);

    auto* bottom = new QHBoxLayout;
    classNameView = new QLineEdit(page);
    classNameView->setReadOnly(true);
    classNameView->setPlaceholderText(tr("select a result"));
    classNameView->setToolTip(tr("Calls made from a method result are sent to this class"));
    classNameView->setMaximumWidth(260);
    resultCountView = new QLabel(page);
    bottom->addWidget(new QLabel(tr("Receiver:"), page));
    bottom->addWidget(classNameView);
    bottom->addStretch(1);
    bottom->addWidget(resultCountView);
    layout->addLayout(bottom);

    resultView->setClassNameView(classNameView);
    resultView->setTreeView([&owner] { return owner.getMainView(); });
    resultView->setMethodView(classPanelMethodView, [&owner] { owner.setTabViewPage(0); });

    typing_.setSingleShot(true);
    typing_.setInterval(kTypingPause);
    connect(&typing_, &QTimer::timeout, this, &FindController::search);
    connect(targetView, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { doTargetKindSelect(targetView->itemData(index).toInt()); });
    connect(keywordView->lineEdit(), &QLineEdit::textEdited, this, [this] {
        picked_ = false;
        typing_.start();
    });
    connect(keywordView, qOverload<int>(&QComboBox::activated), this, [this] {
        picked_ = true;
        doFindClass();
    });
    // Return confirms the text here; the combo box's own handling would take a typed text
    // equal to a history item for that item.
    keywordView->lineEdit()->installEventFilter(this);
    connect(findButton, &QPushButton::clicked, this, &FindController::doFindClass);
}

bool FindController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == keywordView->lineEdit()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            doFindClass();
            return true;
        }
    }
    return ViewController::eventFilter(watched, event);
}

void FindController::doTargetKindSelect(int mode) {
    const bool changed = mode != findMode;
    findMode = mode;
    resultView->setDrawMode(mode);
    resultCountView->clear();
    // The same words, looked for among the other kind of things.
    if (changed) typing_.start();
}

void FindController::doFindClass() {
    typing_.stop();
    const std::string text = keywordView->currentText().toStdString();
    history_.record(text, picked_);
    const QString shown = keywordView->currentText();
    keywordView->blockSignals(true);
    keywordView->clear();
    for (const std::string& item : history_.items()) keywordView->addItem(QString::fromStdString(item));
    keywordView->setMaxVisibleItems(std::max(1, keywordView->count()));
    keywordView->setCurrentIndex(-1);
    keywordView->setEditText(shown);
    keywordView->blockSignals(false);
    search();
}

void FindController::search() {
    typing_.stop();
    const std::string text = keywordView->currentText().toStdString();
    std::vector<std::string> keywords = TreeSearch::commandToToken(text);
    if (keywords.empty()) return;  // results and count line stay as they were
    lastSearch_ = text;
    AppAction2& app = owner.app();
    std::optional<std::vector<TreeSearch::Result>> results;
    if (findMode == TreeSearch::kFindClasses) results = TreeSearch::doClassNameFind(keywords, app.classStraightList);
    if (findMode == TreeSearch::kFindMethods) results = TreeSearch::doMethodFind(keywords, app.classStraightList);
    if (findMode == TreeSearch::kFindFunctions) results = TreeSearch::doFuncFind(keywords, app.functions);
    if (findMode == TreeSearch::kFindConstants) results = TreeSearch::doConstantFind(keywords, app.enumList);
    const std::size_t count = results ? results->size() : 0;
    resultView->setResults(std::move(results));
    if (count == 0) resultView->setPlaceholderText(tr("Nothing found"));
    resultCountView->setText(QString::fromStdString(TreeSearch::countLine(findMode, count)));
}

void FindController::TreeFileWasChanged() {
    // The results named records of the tree before; a rebuild makes new ones.
    classNameView->clear();
    resultView->setResults(std::nullopt);
    resultCountView->clear();
    if (lastSearch_ && keywordView->currentText().toStdString() == *lastSearch_) search();
}

}  // namespace kestrel::gui
