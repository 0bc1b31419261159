#include "gui/panels/ClassController.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <set>

#include "core/app/AppAction2.h"
#include "core/model/AnnotationFiles.h"
#include "core/model/ClassData.h"
#include "core/text/ArgumentInfo.h"
#include "core/text/DeprecatedEntries.h"
#include "core/text/MethodLists.h"
#include "gui/app/AppShell.h"
#include "gui/app/QtText.h"
#include "gui/lists/InheritedMethodView.h"
#include "gui/lists/MethodView.h"
#include "gui/panels/QuickHelpView.h"

namespace kestrel::gui {

namespace {

QLineEdit* readOnlyField(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    return field;
}

QPlainTextEdit* readOnlyText(QWidget* parent, const QString& placeholder) {
    auto* text = new QPlainTextEdit(parent);
    text->setReadOnly(true);
    text->setPlaceholderText(placeholder);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    return text;
}

// "NSResponder : NSObject", loops cut.
QString superclassChain(const ClassData& record) {
    QString chain;
    std::set<const HasMethodsData*> seen{&record};
    for (const HasMethodsData* up = record.superClass(); up && seen.insert(up).second; up = up->superClass())
        chain += (chain.isEmpty() ? QString() : QStringLiteral(" : ")) + qText(up->getName());
    if (chain.isEmpty() && record.superName()) chain = qText(record.superName()) + QObject::tr(" (not in the tree)");
    return chain;
}

}  // namespace

ClassController::ClassController(AppShell& owner, QWidget* page, QLineEdit* nameField)
    : ViewController(owner, page), classNameView(nameField) {
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    fwNameView = readOnlyField(page);
    hedderFileNameView = readOnlyField(page);
    superClassView = readOnlyField(page);
    urlButton = new QPushButton(tr("Open &Documentation"), page);
    urlButton->setEnabled(false);
    urlButton->setToolTip(tr("Opens the documentation address stored for this class"));
    auto* headerRow = new QHBoxLayout;
    headerRow->addWidget(hedderFileNameView, 1);
    headerRow->addWidget(urlButton);
    form->addRow(tr("Framework:"), fwNameView);
    form->addRow(tr("Header:"), headerRow);
    form->addRow(tr("Inherits from:"), superClassView);
    layout->addLayout(form);

    methodView = new MethodView(page);
    methodView->setClassNameView(classNameView);
    // Room for a method of several selector parts, in rows of the list font; longer ones scroll.
    methodView->setHeightInRows(2, 8);
    methodView->setToolTip(tr("Click to highlight, then copy, or drag it into your code"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    argumentInfoView = readOnlyText(page, tr("The classes, types, structs and enums the method mentions"));
    argumentInfoView->setFont(fixed);
    methodView->setArgumentView(argumentInfoView);
    CommentView = readOnlyText(page, tr("Your comment on the method"));
    CommentView->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    inheritedSwitch = new QCheckBox(tr("Show &all methods, inherited ones included"), page);
    inheritedView = new InheritedMethodView(page);
    inheritedView->setClassNameView(classNameView);
    inheritedView->hide();

    auto* splitter = new QSplitter(Qt::Vertical, page);
    auto* methodBox = new QWidget(splitter);
    auto* methodLayout = new QVBoxLayout(methodBox);
    methodLayout->setContentsMargins(0, 0, 0, 0);
    methodLayout->addWidget(new QLabel(tr("Method:"), methodBox));
    methodLayout->addWidget(methodView);
    // Quick Help under the method: what the header says of it, its availability, its place.
    auto* quickHelpBox = new QWidget(splitter);
    auto* quickHelpLayout = new QVBoxLayout(quickHelpBox);
    quickHelpLayout->setContentsMargins(0, 0, 0, 0);
    quickHelpLayout->addWidget(new QLabel(tr("Quick Help:"), quickHelpBox));
    quickHelpView = new QuickHelpView(quickHelpBox);
    quickHelpView->setToolTip(tr("The documentation comment, availability and place of the method, from its header"));
    quickHelpLayout->addWidget(quickHelpView);
    auto* infoBox = new QWidget(splitter);
    auto* infoLayout = new QVBoxLayout(infoBox);
    infoLayout->setContentsMargins(0, 0, 0, 0);
    infoLayout->addWidget(new QLabel(tr("Argument types:"), infoBox));
    infoLayout->addWidget(argumentInfoView);
    auto* commentBox = new QWidget(splitter);
    auto* commentLayout = new QVBoxLayout(commentBox);
    commentLayout->setContentsMargins(0, 0, 0, 0);
    commentLayout->addWidget(new QLabel(tr("Comment:"), commentBox));
    commentLayout->addWidget(CommentView);
    // The methods a class responds to, when asked for, come first: a click there fills the
    // method, argument and comment views below.
    splitter->addWidget(inheritedView);
    splitter->addWidget(methodBox);
    splitter->addWidget(quickHelpBox);
    splitter->addWidget(infoBox);
    splitter->addWidget(commentBox);
    splitter->setStretchFactor(0, 4);
    splitter->setStretchFactor(1, 0);
    splitter->setStretchFactor(2, 3);
    splitter->setStretchFactor(3, 1);
    splitter->setStretchFactor(4, 1);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({320, 5 * methodView->rowHeight(), 150, 70, 70});
    layout->addWidget(splitter, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(inheritedSwitch);
    bottom->addStretch(1);
    ClassCountView = new QLabel(page);
    bottom->addWidget(ClassCountView);
    layout->addLayout(bottom);

    connect(inheritedSwitch, &QCheckBox::toggled, this, [this](bool on) {
        inheritedView->setVisible(on);
        showInherited();
    });
    connect(urlButton, &QPushButton::clicked, this, [this] { this->owner.openURL(); });
    connect(quickHelpView, &QuickHelpView::placeRequested, this,
            [this](const QuickHelpText::Content& content) { this->owner.showQuickHelpPlace(content); });
    showQuickHelp();

    observe("ClassDidUnselectedMessage", [this](const std::any&) { resetInfoView(); });
    observe("ClassObjSelectedMessage", [this](const std::any& object) {
        if (const auto* record = std::any_cast<std::shared_ptr<ClassData>>(&object)) classObjSelected(*record);
    });
    observe("ClassMethodWasSelectedMessage", [this](const std::any& object) {
        if (const auto* method = std::any_cast<std::string>(&object)) classMethodWasSelected(*method);
    });
    observe("CommentDicWasChangedNotification", [this](const std::any&) { showStoredComment(); });
    observe("URLDicWasChangedNotification", [this](const std::any&) { showStoredURL(); });
    observe("DeprecatedVisibilityChangedMessage", [this](const std::any&) {
        showInherited();
        showQuickHelp();
    });
}

void ClassController::TreeFileWasChanged() {
    ClassCountView->setText(tr("%1 classes").arg(owner.app().classStraightList.size()));
}

void ClassController::resetInfoView() {
    shownClass.reset();
    fwNameView->clear();
    hedderFileNameView->clear();
    classNameView->clear();
    superClassView->clear();
    CommentView->clear();
    urlButton->setEnabled(false);
    methodView->setMethod("");
    showInherited();
    showQuickHelp();
}

void ClassController::classObjSelected(const std::shared_ptr<ClassData>& record) {
    if (!record) return;
    const bool another = record != shownClass;
    shownClass = record;
    fwNameView->setText(qText(record->frameWorkName()));
    hedderFileNameView->setText(qText(record->hedderName()));
    classNameView->setText(qText(record->getName()));
    superClassView->setText(superclassChain(*record));
    superClassView->setCursorPosition(0);
    showStoredURL();
    // The method shown, and its comment, belonged to the class selected before.
    if (another) {
        methodView->setMethod("");
        CommentView->clear();
    }
    showInherited();
    showQuickHelp();
}

void ClassController::showStoredURL() {
    std::optional<std::string> url =
        shownClass && shownClass->getName() ? AnnotationFiles::getClassURL(*shownClass->getName()) : std::nullopt;
    urlButton->setEnabled(url && !url->empty());
}

void ClassController::showStoredComment() {
    const std::optional<std::string>& method = methodView->getMethod();
    if (!method || method->empty()) return;
    std::optional<StringDic> comments = AnnotationFiles::getCommentDic();
    auto found = comments ? comments->find(*method) : StringDic::const_iterator{};
    CommentView->setPlainText(comments && found != comments->end() ? qText(found->second) : QString());
}

void ClassController::classMethodWasSelected(const std::string& method) {
    methodView->setMethod(method);
    AppAction2& app = owner.app();
    std::optional<std::string> info = ArgumentInfo(app.getLinker(), &app.typedefList).forDeclaration(method);
    argumentInfoView->setPlainText(qText(info));
    CommentView->clear();
    showStoredComment();
    showQuickHelp();
    owner.setTabViewPage(0);
}

void ClassController::showQuickHelp() {
    const std::string method = methodView->getMethod().value_or("");
    if (!shownClass) {
        methodView->setStruckRows({});
        quickHelpView->showPlaceholder(tr("Select a class, then a method, to see what its header says of it."));
        return;
    }
    QuickHelpText::Content content = method.empty() ? QuickHelpText::forRecord(owner.notes(), shownClass)
                                                    : QuickHelpText::forMethod(owner.notes(), shownClass, method);
    methodView->setStruckRows(std::vector<bool>(static_cast<std::size_t>(methodView->rowCount()),
                                                !method.empty() && content.deprecated));
    quickHelpView->showContent(std::move(content));
}

void ClassController::showInherited() {
    if (!inheritedSwitch->isChecked() || !shownClass) {
        inheritedView->setMethods(std::nullopt);
        return;
    }
    const NotesLookup& notes = owner.notes();
    const ClassData& shown = *shownClass;
    auto methods = DeprecatedEntries::filter(
        MethodLists::inheritedMethods(shown),
        [&](const InheritedMethod& m) { return DeprecatedEntries::isDeprecated(notes, shown, m.method); },
        AppShell::hidesDeprecated());
    inheritedView->setMethods(std::move(methods.rows));
    inheritedView->setStruckRows(std::move(methods.struck));
}

}  // namespace kestrel::gui
