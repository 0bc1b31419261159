#include "gui/panels/FindController.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/app/AppAction2.h"
#include "core/model/TreeSearch.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/platform/NotificationCenter.h"
#include "core/text/DeprecatedEntries.h"
#include "gui/app/AppShell.h"
#include "gui/lists/FindResultView.h"
#include "gui/lists/MethodView.h"
#include "gui/panels/ClassController.h"
#include "gui/panels/QuickHelpView.h"
#include "gui/treeview/TreeView.h"

namespace kestrel::gui {

FindController::FindController(AppShell& owner, QWidget* page, ClassController* classPanel)
    : ViewController(owner, page) {
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    targetView = new QComboBox(page);
    targetView->addItem(tr("Classes"), TreeSearch::kFindClasses);
    targetView->addItem(tr("Methods"), TreeSearch::kFindMethods);
    targetView->addItem(tr("Functions and macros"), TreeSearch::kFindFunctions);
    targetView->addItem(tr("Enum constants"), TreeSearch::kFindConstants);
    // Methods first: their declarations and calls are what is taken away most.
    targetView->setCurrentIndex(targetView->findData(findMode));
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
    resultView->setDrawMode(findMode);
    hint_ = tr("Type keywords above: classes, methods, functions or enum constants whose text holds "
               "all of them, in any case, are listed here as you type.");
    resultView->setPlaceholderText(hint_);
    resultView->setDelegate(this);
    // Quick Help of the selected result under the results.
    quickHelpView = new QuickHelpView(page);
    quickHelpView->setToolTip(tr("The documentation comment, availability and place of the selected result, from its header"));
    auto* splitter = new QSplitter(Qt::Vertical, page);
    splitter->addWidget(resultView);
    splitter->addWidget(quickHelpView);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({320, 160});
    layout->addWidget(splitter, 1);

    auto* bottom = new QHBoxLayout;
    // The receiver of a call copied from a method result is the result's own class, and every
    // selected result sets it: shown as a value, not as a field to type into.
    classNameView = new QLineEdit(page);
    classNameView->setReadOnly(true);
    classNameView->setFrame(false);
    classNameView->setFocusPolicy(Qt::NoFocus);
    QPalette shown = classNameView->palette();
    shown.setColor(QPalette::Base, shown.color(QPalette::Window));
    classNameView->setPalette(shown);
    classNameView->setPlaceholderText(tr("select a result"));
    classNameView->setToolTip(tr("Calls copied or dragged from a method result are sent to its class"));
    classNameView->setMaximumWidth(260);
    resultCountView = new QLabel(page);
    bottom->addWidget(new QLabel(tr("Receiver:"), page));
    bottom->addWidget(classNameView);
    bottom->addStretch(1);
    bottom->addWidget(resultCountView);
    layout->addLayout(bottom);

    resultView->setClassNameView(classNameView);
    resultView->setTreeView([&owner] { return owner.getMainView(); });
    resultView->setMethodShower([this, classPanel](const TreeSearch::Result& row) { showMethod(row, classPanel); });

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
    keywordView->installEventFilter(this);
    resultView->installEventFilter(this);
    connect(findButton, &QPushButton::clicked, this, &FindController::doFindClass);
    connect(quickHelpView, &QuickHelpView::placeRequested, this,
            [this](const QuickHelpText::Content& content) { this->owner.showQuickHelpPlace(content); });
    showQuickHelp(-1);
    observe("DeprecatedVisibilityChangedMessage", [this](const std::any&) {
        if (lastSearch_) search();
    });
}

void FindController::lineSelected(int index) { showQuickHelp(index); }

void FindController::showQuickHelp(int index) {
    const auto& results = resultView->results();
    if (index < 0 || index >= static_cast<int>(results.size())) {
        quickHelpView->showPlaceholder(tr("Select a result to see what its header says of it."));
        return;
    }
    const TreeSearch::Result& row = results[static_cast<std::size_t>(index)];
    const NotesLookup& notes = owner.notes();
    if (row.method && row.classRecord)
        quickHelpView->showContent(QuickHelpText::forMethod(notes, row.classRecord, *row.method));
    else if (row.constant && row.enumRecord)
        quickHelpView->showContent(QuickHelpText::forConstant(notes, row.enumRecord, row.constant->name));
    else if (row.function)
        quickHelpView->showContent(QuickHelpText::forRecord(notes, row.function));
    else
        quickHelpView->showContent(QuickHelpText::forRecord(notes, row.classRecord));
}

bool FindController::eventFilter(QObject* watched, QEvent* event) {
    // The combo box has the focus and hands most keys to its line edit; it keeps Up and Down
    // (and Escape) for its history: both are watched.
    if (event->type() == QEvent::KeyPress && (watched == keywordView->lineEdit() || watched == keywordView)) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        const bool plain = (press->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            doFindClass();
            return true;
        }
        if (key == Qt::Key_Down && plain) {
            enterResults();
            return true;
        }
        if (key == Qt::Key_Escape && plain) {
            clearSearch();
            return true;
        }
    }
    // Up from the first result goes back to the field, to type on.
    if (event->type() == QEvent::KeyPress && watched == resultView && resultView->getSelectLine() <= 0) {
        const auto* press = static_cast<QKeyEvent*>(event);
        if (press->key() == Qt::Key_Up && (press->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            keywordView->setFocus(Qt::ShortcutFocusReason);
            keywordView->lineEdit()->end(false);
            return true;
        }
    }
    return ViewController::eventFilter(watched, event);
}

void FindController::enterResults() {
    if (typing_.isActive()) search();  // the results of every key typed so far
    if (resultView->rowCount() == 0) return;
    resultView->setFocus(Qt::TabFocusReason);
    resultView->selectRow(0);
}

void FindController::clearSearch() {
    typing_.stop();
    keywordView->clearEditText();
    resultView->setResults(std::nullopt);
    resultView->setPlaceholderText(hint_);
    resultCountView->clear();
    lastSearch_.reset();
    showQuickHelp(-1);
}

void FindController::showMethod(const TreeSearch::Result& row, ClassController* classPanel) {
    // The class first, as a click on its box would show it (the tree window may be closed, or
    // its selection moved since), then the method as its class's menu announces it.
    if (TreeView* tree = owner.getMainView()) {
        if (row.classRecord && tree->selectedClass() != row.classRecord) tree->selectClass(row.classRecord);
    } else if (classPanel && row.classRecord) {
        classPanel->classObjSelected(row.classRecord);
    }
    const bool keys = resultView->hasFocus();
    NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage", *row.method);
    // The keys follow the method into the class panel.
    if (keys && classPanel) classPanel->getMethodView()->setFocus(Qt::OtherFocusReason);
}

void FindController::focusKeywordView() {
    keywordView->setFocus(Qt::ShortcutFocusReason);
    keywordView->lineEdit()->selectAll();
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
    const NotesLookup& notes = owner.notes();
    auto shown = DeprecatedEntries::filter(
        results ? std::move(*results) : std::vector<TreeSearch::Result>{},
        [&](const TreeSearch::Result& row) { return DeprecatedEntries::isDeprecated(notes, row); },
        AppShell::hidesDeprecated());
    const std::size_t count = shown.rows.size();
    resultView->setResults(std::move(shown.rows));
    resultView->setStruckRows(std::move(shown.struck));
    showQuickHelp(-1);
    if (count == 0) resultView->setPlaceholderText(tr("Nothing found"));
    resultCountView->setText(QString::fromStdString(TreeSearch::countLine(findMode, count)));
}

void FindController::TreeFileWasChanged() {
    // The results named records of the tree before; a rebuild makes new ones.
    classNameView->clear();
    resultView->setResults(std::nullopt);
    resultCountView->clear();
    showQuickHelp(-1);
    if (lastSearch_ && keywordView->currentText().toStdString() == *lastSearch_) search();
}

}  // namespace kestrel::gui
