#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "core/model/AnnotationFiles.h"
#include "core/platform/PrefData.h"
#include "gui/lists/ClassListView.h"
#include "gui/lists/FindResultView.h"
#include "gui/lists/InheritedMethodView.h"
#include "gui/lists/MethodView.h"
#include "gui/lists/StructEnumView.h"
#include "gui/panels/ClassController.h"
#include "gui/panels/EditCommentController.h"
#include "gui/panels/EditUrlController.h"
#include "gui/panels/FindController.h"
#include "gui/panels/FunctionController.h"
#include "gui/panels/StructEnumViewerController.h"
#include "support/ShellFixture.h"

using namespace kestrel;
using namespace kestrel::gui;
using kestrel::test::ShellFixture;
using Names = std::vector<std::string>;

namespace {

class PanelsTest : public ShellFixture {
protected:
    void SetUp() override {
        AnnotationFiles::writeCommentDic({{"-(void)display", "Draws the view.\nAt once."},
                                          {"void KitBeep(void)", "Beeps."}});
        launch();
    }
    void callStyle(bool on) {
        auto* button = shell->getMainWindow()->findChild<QRadioButton*>(on ? "callStyleButton" : "declarationStyleButton");
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QString copied(TextArrayView& view) {
        QApplication::clipboard()->clear();
        view.copy();
        return QApplication::clipboard()->text();
    }
    void choose(const std::string& method) {
        NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage", method);
    }
    ClassController& classPanel() { return *shell->getClassController(); }
    FindController& findPanel() { return *shell->getFindController(); }
    FunctionController& functions() { return *shell->getFunctionController(); }
    void find(int mode, const QString& text) {
        findPanel().doTargetKindSelect(mode);
        findPanel().getKeywordView()->setEditText(text);
        findPanel().doFindClass();
    }
};

Names rowsOf(const TextArrayView& view) {
    Names out;
    for (int i = 0; i < view.rowCount(); ++i) out.push_back(view.getTextFromArray(i).value_or("?"));
    return out;
}

}  // namespace

TEST_F(PanelsTest, ClassPanelFollowsTheTree) {
    EXPECT_EQ(classPanel().getClassCountView()->text(), "5 classes");
    click(inBox("KitView"));
    EXPECT_EQ(classPanel().getClassNameView()->text(), "KitView");
    EXPECT_FALSE(classPanel().getUrlButton()->isEnabled());
    choose("-(void)drawRect:(KitRect)rect");
    EXPECT_EQ(classPanel().getMethodView()->getMethod(), "-(void)drawRect:(KitRect)rect");
    EXPECT_EQ(classPanel().getArgumentInfoView()->toPlainText().toStdString(),
              "typedef  struct _KitRect  KitRect;\nstruct  _KitRect\n{\n float x; float y; float width; float height;\n};");
    EXPECT_TRUE(classPanel().getCommentView()->toPlainText().isEmpty());
    choose("-(void)display");
    EXPECT_EQ(classPanel().getCommentView()->toPlainText(), "Draws the view.\nAt once.");
    EXPECT_EQ(shell->getTabView()->currentIndex(), 0);

    // Another class: the method shown would take it as its receiver, so it goes.
    click(inBox("KitButton"));
    EXPECT_EQ(classPanel().getMethodView()->getMethod(), "");
    EXPECT_TRUE(classPanel().getArgumentInfoView()->toPlainText().isEmpty());
    // A URL stored for the class enables the button.
    AnnotationFiles::writeURLDic(StringDic{{"KitLabel", "https://example.org/KitLabel"}});
    click(inBox("KitLabel"));
    EXPECT_TRUE(classPanel().getUrlButton()->isEnabled());
    click(QPoint(5, 300));
    EXPECT_TRUE(classPanel().getClassNameView()->text().isEmpty());
    EXPECT_FALSE(classPanel().getUrlButton()->isEnabled());
}

TEST_F(PanelsTest, MethodViewCopiesInEitherStyle) {
    click(inBox("KitView"));
    choose("-(void)display");
    MethodView& view = *classPanel().getMethodView();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(copied(view), "-(void)display;\n");
    callStyle(true);
    EXPECT_EQ(copied(view), "[KitView*_VALUE display];\n");
    ProcessState::prefData()->addLF = false;
    EXPECT_EQ(copied(view), "[KitView*_VALUE display];");
}

TEST_F(PanelsTest, InheritedMethodsNearestFirst) {
    click(inBox("KitButton"));
    classPanel().getInheritedSwitch()->setChecked(true);
    InheritedMethodView& view = *classPanel().getInheritedView();
    ASSERT_GT(view.rowCount(), 5);
    EXPECT_EQ(view.getTextFromArray(0), "-(void)setTitle:(id)title");
    EXPECT_EQ(view.getSideText(0), "KitButton");
    EXPECT_EQ(view.getSideText(1), "KitView");
    view.doClickAction(1);
    EXPECT_EQ(classPanel().getMethodView()->getMethod(), view.getTextFromArray(1));
}

TEST_F(PanelsTest, FindCountsHistoryAndModes) {
    find(0, "KIT");
    EXPECT_EQ(findPanel().getResultCountView()->text(), "  5 classes found");
    find(0, "view ");  // a trailing space changes nothing
    EXPECT_EQ(findPanel().getResultCountView()->text(), "  1 class found");
    find(0, "   ");  // no keyword: no search, the last results stay
    EXPECT_EQ(findPanel().getResultView()->rowCount(), 1);
    find(1, "init");
    EXPECT_EQ(findPanel().getResultView()->getDrawMode(), 1);
    EXPECT_EQ(findPanel().getResultCountView()->text(), "  2 methods found");
    find(2, "kit");
    EXPECT_EQ(findPanel().getResultCountView()->text(), "  3 Functions/Macros found");
    // Another mode empties list and count; the same mode only the count.
    findPanel().doTargetKindSelect(0);
    EXPECT_EQ(findPanel().getResultView()->rowCount(), 0);
    EXPECT_TRUE(findPanel().getResultCountView()->text().isEmpty());

    for (int i = 0; i < 11; ++i) find(0, QString("text %1").arg(i));
    find(0, "text 10");  // typed again: added again
    const auto& items = findPanel().history().items();
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[0], "text 10");
    EXPECT_EQ(items[1], "text 10");
    EXPECT_EQ(findPanel().getKeywordView()->count(), 10);
}

TEST_F(PanelsTest, FindResultsSelectInTheTreeAndCopyOnTheirClass) {
    // KitButton hides in a folded subtree: it is unfolded and KitButton itself selected.
    named("KitObject")->setShowSubTree(false);
    view().reLayout();
    find(1, "title");
    FindResultView& results = *findPanel().getResultView();
    results.doClickAction(0);
    EXPECT_EQ(view().selectedClass(), named("KitButton"));
    EXPECT_TRUE(named("KitObject")->getShowSubTree());
    EXPECT_EQ(findPanel().getClassNameView()->text(), "KitButton");
    EXPECT_EQ(copied(results), "-(void)setTitle:(id)title;");
    callStyle(true);
    EXPECT_EQ(copied(results), "[KitButton*_VALUE setTitle:(id)title];");  // never a line feed
    results.doDoubleClick();
    EXPECT_EQ(classPanel().getMethodView()->getMethod(), "-(void)setTitle:(id)title");
    results.doClickAction(-1);  // below the results: the tree's selection goes
    EXPECT_EQ(view().selectedClass(), nullptr);

    find(2, "beep");
    results.doClickAction(0);
    EXPECT_EQ(copied(results), "void KitBeep(void)");

    // Enum constants, each with its enum beside it; one is copied as its name.
    find(3, "kitstate");
    EXPECT_EQ(rowsOf(results), (Names{"KitOn", "KitOff"}));  // ranked: the shorter name first
    EXPECT_EQ(results.getSideText(0), "KitState");
    EXPECT_EQ(findPanel().getResultCountView()->text(), "  2 constants found");
    results.doClickAction(0);
    EXPECT_EQ(copied(results), "KitOn");
}

TEST_F(PanelsTest, FunctionBrowserFiltersAndTexts) {
    FunctionController& f = functions();
    ClassListView& list = *f.getMainView();
    EXPECT_EQ(list.rowCount(), 3);
    EXPECT_EQ(f.getCountView()->text(), "3");
    f.functionFilterSelected(1);  // with parentheses
    EXPECT_EQ(rowsOf(list), (Names{"NSString* KitStringFromRect(KitRect aRect)", "void KitBeep(void)"}));
    f.functionFilterSelected(2);
    EXPECT_EQ(rowsOf(list), Names{"int KitCount"});
    f.functionFilterSelected(0);
    EXPECT_EQ(f.getFrameWorkListMenu()->count(), 2);  // "Show all" and the one framework, once
    EXPECT_EQ(f.getHeaderListMenu()->count(), 2);
    f.getTargetListMenu()->setCurrentIndex(1);  // FOUNDATION_EXPORT: nothing of that kind
    f.targetMenuSelected(1);
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(f.getFrameWorkListMenu()->count(), 0);
    f.getTargetListMenu()->setCurrentIndex(0);
    f.targetMenuSelected(0);

    list.doClickAction(1);
    EXPECT_EQ(f.getSelectLineView()->text(), "void KitBeep(void)");
    EXPECT_EQ(f.getCommentView()->toPlainText(), "Beeps.");
    EXPECT_EQ(copied(list), "void KitBeep(void);");
    callStyle(true);
    EXPECT_EQ(copied(list), " KitBeep();");
    list.doClickAction(0);
    EXPECT_EQ(copied(list), "NSString*_Value =  KitStringFromRect(KitRect aRect);");
    EXPECT_TRUE(f.getInfoView()->toPlainText().contains("struct  _KitRect"));
    list.doClickAction(2);
    EXPECT_EQ(copied(list), "int KitCount");
}

TEST_F(PanelsTest, StructEnumViewerOneAtATime) {
    shell->ShowStructEnumViewer();
    StructEnumViewerController* viewer = shell->getStructEnumViewer();
    ASSERT_NE(viewer, nullptr);
    shell->ShowStructEnumViewer();
    EXPECT_EQ(shell->getStructEnumViewer(), viewer);
    EXPECT_FALSE(shell->validateMenuItem(400));
    StructEnumView& list = *viewer->getListView();
    EXPECT_EQ(rowsOf(list), Names{"_KitRect"});
    EXPECT_EQ(viewer->getCountView()->text(), "1");
    list.doClickAction(0);
    EXPECT_EQ(viewer->getIndexView()->rowCount(), 3);  // the body, a line a row
    viewer->changeMode(1);
    EXPECT_EQ(rowsOf(list), Names{"KitState"});
    EXPECT_EQ(viewer->getIndexView()->rowCount(), 0);
    // An enum shows and copies as source, a constant a row.
    list.doClickAction(0);
    EXPECT_EQ(viewer->getIndexView()->rowCount(), 4);
    EXPECT_EQ(copied(list), "enum KitState {\n    KitOff,\n    KitOn\n};");
    viewer->changeMode(1);  // again: nothing changes
    EXPECT_EQ(viewer->getMode(), 1);
    viewer->getWindow()->close();  // the close box ends it like OK
    EXPECT_EQ(shell->getStructEnumViewer(), nullptr);
    EXPECT_TRUE(shell->validateMenuItem(400));
    shell->ShowStructEnumViewer();
    EXPECT_EQ(shell->getStructEnumViewer()->getMode(), 0);
}

// The panels show what the editors just stored: the comment of the method shown, the URL
// button, the selected function's comment; the comment shown stays when only a URL changed.
TEST_F(PanelsTest, PanelsFollowWhatTheEditorsStore) {
    click(inBox("KitView"));
    choose("-(void)display");
    functions().getMainView()->doClickAction(1);  // void KitBeep(void)

    // The comment editor, in a mode, on an item: a new comment, and OK.
    auto write = [this](int mode, const std::string& item, const QString& text) {
        shell->EditComment();
        EditCommentController& editor = *shell->getCommentEditor();
        editor.changeMode(mode);
        const auto& rows = editor.getFilterdList();
        editor.getMethodListView()->doClickAction(static_cast<int>(std::find(rows.begin(), rows.end(), item) - rows.begin()));
        editor.getCommentView()->selectAll();
        QTest::keyClicks(editor.getCommentView(), text);
        editor.doOkButton();
    };
    write(0, "-(void)display", "Paints it.");
    EXPECT_EQ(classPanel().getCommentView()->toPlainText(), "Paints it.");
    write(1, "void KitBeep(void)", "Rings.");
    EXPECT_EQ(functions().getCommentView()->toPlainText(), "Rings.");

    EXPECT_FALSE(classPanel().getUrlButton()->isEnabled());
    shell->EditURL();
    EditUrlController& urls = *shell->getURLeditor();
    urls.selectClassNamed("KitView");
    QTest::keyClicks(urls.getURLView(), "https://example.org/KitView");
    urls.doOkButton();
    EXPECT_TRUE(classPanel().getUrlButton()->isEnabled());
    EXPECT_EQ(classPanel().getCommentView()->toPlainText(), "Paints it.");
    EXPECT_EQ(classPanel().getMethodView()->getMethod(), "-(void)display");
}

// What the panels say is spelled out whole: the find field's hint fits it, the tool tip of the
// methods found says nothing of declarations while calls are chosen, the method view's hint is
// not cut, and the count line spells "classes".
TEST_F(PanelsTest, TextsAreWholeAndTrue) {
    shell->getMainWindow()->resize(560, 700);  // as narrow as the main window goes
    shell->getTabView()->setCurrentIndex(1);
    QApplication::processEvents();
    QLineEdit* field = findPanel().getKeywordView()->lineEdit();
    const int room = field->contentsRect().width() - field->height() - 8;  // less the clear button
    EXPECT_LE(field->fontMetrics().horizontalAdvance(field->placeholderText()), room)
        << field->placeholderText().toStdString();

    callStyle(true);
    find(1, "init");
    EXPECT_FALSE(findPanel().getResultView()->toolTip().contains("declaration"));
    find(0, "kit");
    EXPECT_EQ(findPanel().getResultCountView()->text(), "  5 classes found");

    shell->getTabView()->setCurrentIndex(0);
    QApplication::processEvents();
    MethodView& method = *classPanel().getMethodView();
    ASSERT_FALSE(method.getMethod() && !method.getMethod()->empty());
    const QRect needed = method.fontMetrics().boundingRect(method.viewport()->rect().adjusted(4, 0, -4, 0),
                                                           Qt::TextWordWrap, MethodView::noMethodText());
    EXPECT_LE(needed.height(), method.viewport()->height());
    EXPECT_FALSE(MethodView::noMethodText().contains("!!"));
}

// A class without a URL: Open Class URL says so, and offers the URL editor on that class.
TEST_F(PanelsTest, OpeningAMissingUrlSaysSo) {
    click(inBox("KitLabel"));
    QString said;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        said = box->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text().contains("URLs")) button->click();
    });
    shell->openURL();
    EXPECT_TRUE(said.contains("KitLabel")) << said.toStdString();
    ASSERT_NE(shell->getURLeditor(), nullptr);
    EXPECT_EQ(shell->getURLeditor()->getMainView()->selectedRecord(), named("KitLabel"));
    EXPECT_FALSE(shell->getURLeditor()->getURLView()->isReadOnly());
    shell->getURLeditor()->doCancelButton();
}
