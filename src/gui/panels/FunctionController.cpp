#include "gui/panels/FunctionController.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "core/app/AppAction2.h"
#include "core/model/AnnotationFiles.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/TreeData.h"
#include "core/platform/NotificationCenter.h"
#include "core/text/ArgumentInfo.h"
#include "core/text/DeprecatedEntries.h"
#include "core/text/FunctionFilter.h"
#include "gui/app/AppShell.h"
#include "gui/app/QtText.h"
#include "gui/panels/QuickHelpView.h"

namespace kestrel::gui {

namespace {


struct Kind {
    const char* title;
    int tag;
};
constexpr Kind kKinds[] = {
    {"All kinds", 0},           {"FOUNDATION_EXPORT", kFoundationExportKind},
    {"FOUNDATION_STATIC_INLINE", kFoundationStaticInlineKind}, {"APPKIT_EXTERN", kAppkitExternKind},
    {"CG_INLINE", kCGInlineKind}, {"CG_EXTERN", kCGExternKind},   {"extern", kExternKind},
};

QPlainTextEdit* readOnlyText(QWidget* parent, const QString& placeholder) {
    auto* text = new QPlainTextEdit(parent);
    text->setReadOnly(true);
    text->setPlaceholderText(placeholder);
    return text;
}

}  // namespace

FunctionController::FunctionController(AppShell& owner, QWidget* page) : ViewController(owner, page) {
    auto* layout = new QVBoxLayout(page);
    auto* filters = new QFormLayout;
    TargetListMenu = new QComboBox(page);
    for (const Kind& kind : kKinds) TargetListMenu->addItem(QString::fromLatin1(kind.title), kind.tag);
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(TargetListMenu);
    functionFilterButton = new QButtonGroup(page);
    const char* const filterTitles[] = {"&Everything", "F&unctions", "C&onstants"};
    for (int tag = 0; tag < 3; ++tag) {
        auto* button = new QRadioButton(tr(filterTitles[tag]), page);
        functionFilterButton->addButton(button, tag);
        kindRow->addWidget(button);
    }
    functionFilterButton->button(0)->setChecked(true);
    functionFilterButton->button(1)->setToolTip(tr("Only declarations with parentheses: functions and macros"));
    functionFilterButton->button(2)->setToolTip(tr("Only declarations without parentheses: constants and variables"));
    kindRow->addStretch(1);
    FrameWorkListMenu = new QComboBox(page);
    HeaderListMenu = new QComboBox(page);
    for (QComboBox* menu : {FrameWorkListMenu, HeaderListMenu}) {
        menu->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        menu->setMaxVisibleItems(24);
    }
    auto* placeRow = new QHBoxLayout;
    placeRow->addWidget(FrameWorkListMenu);
    placeRow->addWidget(new QLabel(tr("Header:"), page));
    placeRow->addWidget(HeaderListMenu);
    placeRow->addStretch(1);
    filters->addRow(tr("Kind:"), kindRow);
    filters->addRow(tr("Framework:"), placeRow);
    layout->addLayout(filters);

    mainView = new ClassListView(page);
    mainView->setController(this);
    mainView->setToolTip(tr("Drag or copy a line to paste it in the style chosen at the top of the window"));
    auto* counts = new QHBoxLayout;
    countView = new QLabel(page);
    filterdCountView = new QLabel(page);
    counts->addStretch(1);
    counts->addWidget(filterdCountView);
    counts->addWidget(new QLabel(tr("of"), page));
    counts->addWidget(countView);
    counts->addWidget(new QLabel(tr("listed"), page));

    selectLineView = new QLineEdit(page);
    selectLineView->setReadOnly(true);
    selectLineView->setPlaceholderText(tr("The declaration of the selected line"));
    infoView = readOnlyText(page, tr("The classes, types, structs and enums it mentions"));
    infoView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    infoView->setLineWrapMode(QPlainTextEdit::NoWrap);
    commentView = readOnlyText(page, tr("Your comment on it"));

    auto* splitter = new QSplitter(Qt::Vertical, page);
    auto* listBox = new QWidget(splitter);
    auto* listLayout = new QVBoxLayout(listBox);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(mainView, 1);
    listLayout->addLayout(counts);
    auto* details = new QWidget(splitter);
    auto* detailLayout = new QVBoxLayout(details);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    detailLayout->addWidget(selectLineView);
    // Quick Help beside the argument information and the comment, which share the other half.
    quickHelpView = new QuickHelpView(details);
    quickHelpView->setToolTip(tr("The documentation comment, availability and place of the selected line, from its header"));
    auto* texts = new QHBoxLayout;
    auto* notes = new QVBoxLayout;
    notes->addWidget(infoView, 3);
    notes->addWidget(commentView, 2);
    texts->addWidget(quickHelpView, 1);
    texts->addLayout(notes, 1);
    detailLayout->addLayout(texts, 1);
    splitter->addWidget(listBox);
    splitter->addWidget(details);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    connect(TargetListMenu, qOverload<int>(&QComboBox::activated), this, &FunctionController::targetMenuSelected);
    connect(functionFilterButton, &QButtonGroup::idClicked, this, &FunctionController::functionFilterSelected);
    connect(FrameWorkListMenu, qOverload<int>(&QComboBox::activated), this, &FunctionController::frameworkMenuSelected);
    connect(HeaderListMenu, qOverload<int>(&QComboBox::activated), this, &FunctionController::headerMenuSelected);
    connect(quickHelpView, &QuickHelpView::placeRequested, this,
            [this](const QuickHelpText::Content& content) { this->owner.showQuickHelpPlace(content); });
    showQuickHelp(nullptr);
    observe("CommentDicWasChangedNotification", [this](const std::any&) { commentDicWasChanged(); });
    observe("DeprecatedVisibilityChangedMessage", [this](const std::any&) { showList(funcList); });
}

void FunctionController::showQuickHelp(const std::shared_ptr<TreeData>& record) {
    if (!record)
        quickHelpView->showPlaceholder(tr("Select a line to see what its header says of it."));
    else
        quickHelpView->showContent(QuickHelpText::forRecord(owner.notes(), record));
}

FunctionController::List FunctionController::createFuncList() const {
    return FunctionFilter::createFuncList(owner.app().functions, TargetListMenu->currentData().toInt(),
                                          filterSelectIndex);
}

FunctionController::List FunctionController::doFrameworkFilter(const List& list) {
    laseSelectedFrameworkMenuIndex = FrameWorkListMenu->currentIndex();
    if (laseSelectedFrameworkMenuIndex <= 0) return list;
    return FunctionFilter::byFramework(list, FrameWorkListMenu->currentText().toStdString());
}

void FunctionController::fillMenu(QComboBox* menu, const std::vector<std::string>& titles) {
    menu->clear();
    for (const std::string& title : titles) menu->addItem(qText(title));
}

void FunctionController::showList(const List& list) {
    const NotesLookup& notes = owner.notes();
    auto shown = DeprecatedEntries::filter(
        ClassListView::Records(list.begin(), list.end()),
        [&](const std::shared_ptr<TreeData>& record) { return record && notes.isDeprecated(*record); },
        AppShell::hidesDeprecated());
    filterdCountView->setText(QString::number(shown.rows.size()));
    mainView->setRecords(std::move(shown.rows));
    mainView->setStruckRows(std::move(shown.struck));
    showQuickHelp(nullptr);
}

void FunctionController::TreeFileWasChanged() {
    const QString all = QString::number(owner.app().functions.size());
    countView->setText(all);
    filterdCountView->setText(all);
    funcList = createFuncList();
    fillMenu(FrameWorkListMenu, FunctionFilter::frameworkTitles(funcList));
    laseSelectedFrameworkMenuIndex = 0;
    fillMenu(HeaderListMenu, FunctionFilter::headerTitles(funcList));
    laseSelectedHeaderMenuIndex = 0;
    showList(funcList);
    selectLineView->clear();
}

void FunctionController::targetMenuSelected(int index) {
    if (index == laseSelectedTargetMenuIndex) return;
    TreeFileWasChanged();
    laseSelectedTargetMenuIndex = index;
    selectLineView->clear();
}

void FunctionController::functionFilterSelected(int tag) {
    if (tag == filterSelectIndex) return;
    filterSelectIndex = tag;
    TreeFileWasChanged();
}

void FunctionController::frameworkMenuSelected(int index) {
    if (index == laseSelectedFrameworkMenuIndex) return;
    selectLineView->clear();
    funcList = doFrameworkFilter(createFuncList());
    fillMenu(HeaderListMenu, FunctionFilter::headerTitles(funcList));
    laseSelectedHeaderMenuIndex = 0;
    showList(funcList);
}

void FunctionController::headerMenuSelected(int index) {
    if (index == laseSelectedHeaderMenuIndex) return;
    selectLineView->clear();
    funcList = doFrameworkFilter(createFuncList());
    if (index > 0) funcList = FunctionFilter::byHeader(funcList, HeaderListMenu->itemText(index).toStdString());
    showList(funcList);
    laseSelectedHeaderMenuIndex = index;
}

bool FunctionController::showFunction(const std::shared_ptr<FunctionMacrosData>& record) {
    auto rowOf = [&] {
        const ClassListView::Records& rows = mainView->records();
        const auto found = std::find(rows.begin(), rows.end(), std::static_pointer_cast<TreeData>(record));
        return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    };
    if (!record) return false;
    int row = rowOf();
    if (row < 0) {
        // Every kind, functions and constants alike, every framework and header.
        TargetListMenu->setCurrentIndex(0);
        laseSelectedTargetMenuIndex = 0;
        functionFilterButton->button(0)->setChecked(true);
        filterSelectIndex = 0;
        TreeFileWasChanged();
        row = rowOf();
    }
    if (row < 0) return false;
    mainView->selectRow(row);
    mainView->setFocus(Qt::OtherFocusReason);
    return true;
}

void FunctionController::classSelected(const std::shared_ptr<TreeData>& record) {
    if (!record) return;
    const std::string name = record->getName().value_or("");
    selectLineView->setText(qText(name));
    selectLineView->setCursorPosition(0);
    AppAction2& app = owner.app();
    infoView->setPlainText(qText(ArgumentInfo(app.getLinker(), &app.typedefList).forDeclaration(name).value_or("")));
    std::optional<StringDic> comments = AnnotationFiles::getCommentDic();
    auto found = comments ? comments->find(name) : StringDic::const_iterator{};
    commentView->setPlainText(comments && found != comments->end() ? qText(found->second) : QString());
    showQuickHelp(record);
    NotificationCenter::defaultCenter().post("FunctionWasSelectedMessage", name);
    owner.updateCommands();  // Show Header follows the chosen function
}

void FunctionController::commentDicWasChanged() {
    std::optional<StringDic> comments = AnnotationFiles::getCommentDic();
    // The selected function's comment, as stored now.
    if (std::shared_ptr<TreeData> record = mainView->selectedRecord(); record && record->getName()) {
        auto found = comments ? comments->find(*record->getName()) : StringDic::const_iterator{};
        commentView->setPlainText(comments && found != comments->end() ? qText(found->second) : QString());
    }
    mainView->setCommentDic(comments ? std::make_shared<const StringDic>(std::move(*comments)) : nullptr);
}

}  // namespace kestrel::gui
