// Quick Help in the Class, Find and Functions tabs, its link into the header viewer, and
// deprecated entries struck through everywhere and hidden by View > Hide Deprecated, on a small
// framework whose header documents and deprecates what it declares.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include "core/app/MenuCommands.h"
#include "gui/lists/ClassListView.h"
#include "gui/lists/FindResultView.h"
#include "gui/lists/InheritedMethodView.h"
#include "gui/lists/MethodView.h"
#include "gui/panels/ClassController.h"
#include "gui/panels/FindController.h"
#include "gui/panels/FunctionController.h"
#include "gui/panels/HedderViewer.h"
#include "gui/panels/QuickHelpView.h"
#include "support/ShellFixture.h"
#include "support/TempDir.h"

using namespace kestrel;
using namespace kestrel::gui;
using kestrel::test::ShellFixture;
using kestrel::test::TempDir;

namespace {

const char* const kHeader =
    "/** The root of all. */\n"                                                               // 1
    "@interface DocObject\n"                                                                  // 2
    "- (id)init;\n"                                                                           // 3
    "@end\n"                                                                                  // 4
    "\n"                                                                                      // 5
    "/**\n"                                                                                   // 6
    " * A view that <em>draws</em>.\n"                                                        // 7
    " */\n"                                                                                   // 8
    "@interface DocView : DocObject\n"                                                        // 9
    "/**\n"                                                                                   // 10
    " * @abstract Draws the view.\n"                                                          // 11
    " * @param rect The rectangle to draw.\n"                                                 // 12
    " */\n"                                                                                   // 13
    "- (void)drawRect:(int)rect;\n"                                                           // 14
    "- (void)lockFocus __attribute__((availability(macos,introduced=10.0,deprecated=10.14,"
    "message=\"Use -drawRect:\")));\n"                                                        // 15
    "- (void)display;\n"                                                                      // 16
    "@end\n"                                                                                  // 17
    "\n"                                                                                      // 18
    "/// Makes a rectangle.\n"                                                                // 19
    "extern int DocMakeRect(int x, int y) __attribute__((availability(macos,introduced=10.0,deprecated=10.9)));\n"
    "extern int DocCurrentRect(void);\n";                                                     // 21

class QuickHelpTest : public ShellFixture {
protected:
    void SetUp() override {
        dir.write("Frameworks/Doc.framework/Headers/DocView.h", kHeader);
        launch(dir.str() + "/Frameworks");
        shell->getMainWindow()->show();
    }
    ClassController& classPanel() { return *shell->getClassController(); }
    QString quickHelp(QuickHelpView* view) { return view->toPlainText(); }
    void selectClass(const std::string& name) { view().selectClass(named(name)); }
    QAction& hideCommand() { return *shell->actionFor(MenuCommand::HideDeprecated); }
    std::vector<std::string> inheritedRows() {
        std::vector<std::string> rows;
        for (const InheritedMethod& m : classPanel().getInheritedView()->methods()) rows.push_back(m.method);
        return rows;
    }
    int rowOf(const TextArrayView& list, const std::string& text) {
        for (int i = 0; i < list.rowCount(); ++i)
            if (list.getTextFromArray(i).value_or("").find(text) != std::string::npos) return i;
        return -1;
    }
    // A click on the first link of a Quick Help view, where it is drawn.
    void clickLink(QuickHelpView* view) {
        view->resize(400, 300);
        view->show();
        QApplication::processEvents();
        QTextCursor at = view->document()->find(QStringLiteral("DocView.h"));
        ASSERT_FALSE(at.isNull());
        at.setPosition(at.selectionStart() + 2);
        const QPoint point = view->cursorRect(at).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
    }

    TempDir dir;
};

}  // namespace

TEST_F(QuickHelpTest, TheClassTabShowsTheMethodsDocumentationElseItsClasssAndTheLinkOpensTheHeaderThere) {
    selectClass("DocView");
    QuickHelpView* help = classPanel().getQuickHelpView();
    EXPECT_TRUE(quickHelp(help).contains("A view that draws.")) << quickHelp(help).toStdString();  // the class's

    NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage", std::string("-(void)drawRect:(int)rect"));
    const QString drawn = quickHelp(help);
    EXPECT_TRUE(drawn.contains("Draws the view.")) << drawn.toStdString();
    EXPECT_TRUE(drawn.contains("rect")) << drawn.toStdString();
    EXPECT_TRUE(drawn.contains("The rectangle to draw.")) << drawn.toStdString();
    EXPECT_TRUE(drawn.contains("DocView.h, line 14")) << drawn.toStdString();
    EXPECT_FALSE(classPanel().getMethodView()->isRowStruck(0));

    NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage", std::string("-(void)lockFocus"));
    const QString locked = quickHelp(help);
    EXPECT_TRUE(locked.contains("From DocView:")) << locked.toStdString();  // no comment of its own
    EXPECT_TRUE(locked.contains("macOS 10.0+")) << locked.toStdString();
    EXPECT_TRUE(locked.contains("Deprecated in macOS 10.14: use -drawRect:")) << locked.toStdString();
    EXPECT_TRUE(help->toHtml().contains("Deprecated in macOS 10.14"));
    EXPECT_TRUE(classPanel().getMethodView()->isRowStruck(0));

    // The link: the header viewer at the method's line.
    clickLink(help);
    HedderViewer& viewer = shell->getHedderViewer();
    ASSERT_TRUE(viewer.getWindow() && viewer.getWindow()->isVisible());
    EXPECT_TRUE(viewer.getPath().endsWith("Doc.framework/Headers/DocView.h")) << viewer.getPath().toStdString();
    EXPECT_EQ(viewer.getLine(), 15);

    // Nothing selected: a short dimmed line, never an empty box.
    NotificationCenter::defaultCenter().post("ClassDidUnselectedMessage");
    EXPECT_TRUE(quickHelp(help).startsWith("Select a class")) << quickHelp(help).toStdString();
}

TEST_F(QuickHelpTest, DeprecatedEntriesAreStruckThroughAndTheSwitchHidesThemEverywhere) {
    ASSERT_TRUE(hideCommand().isCheckable());
    EXPECT_FALSE(hideCommand().isChecked());  // a new preferences file shows them

    // The tree's method menu: the deprecated method struck through.
    auto menuItems = [this] {
        std::vector<std::pair<std::string, bool>> items;
        view().setMenuPresenter([&](QMenu& menu, const QPoint&) {
            for (QAction* action : menu.actions())
                if (!action->isSeparator() && !action->menu())
                    items.emplace_back(action->text().toStdString(), action->font().strikeOut());
        });
        QTest::mouseDClick(&view(), Qt::LeftButton, {}, inBox("DocView"));
        return items;
    };
    auto shownItems = menuItems();
    EXPECT_NE(std::find(shownItems.begin(), shownItems.end(), std::pair<std::string, bool>{"-(void)lockFocus", true}),
              shownItems.end());
    EXPECT_NE(std::find(shownItems.begin(), shownItems.end(), std::pair<std::string, bool>{"-(void)display", false}),
              shownItems.end());

    // The Class tab's list of every method.
    selectClass("DocView");
    classPanel().getInheritedSwitch()->setChecked(true);
    InheritedMethodView& inherited = *classPanel().getInheritedView();
    const int locked = rowOf(inherited, "lockFocus");
    ASSERT_GE(locked, 0);
    EXPECT_TRUE(inherited.isRowStruck(locked));
    EXPECT_FALSE(inherited.isRowStruck(rowOf(inherited, "display")));

    // Find results.
    FindController& find = *shell->getFindController();
    find.doTargetKindSelect(TreeSearch::kFindMethods);
    find.focusKeywordView();
    QTest::keyClicks(find.getKeywordView()->lineEdit(), "o");
    QTest::keyClick(find.getKeywordView()->lineEdit(), Qt::Key_Return);
    FindResultView& results = *find.getResultView();
    ASSERT_GE(rowOf(results, "lockFocus"), 0);
    EXPECT_TRUE(results.isRowStruck(rowOf(results, "lockFocus")));
    const int foundCount = results.rowCount();

    // The Functions tab.
    FunctionController& functions = *shell->getFunctionController();
    ClassListView& list = *functions.getMainView();
    ASSERT_GE(rowOf(list, "DocMakeRect"), 0);
    EXPECT_TRUE(list.isRowStruck(rowOf(list, "DocMakeRect")));
    EXPECT_FALSE(list.isRowStruck(rowOf(list, "DocCurrentRect")));
    list.selectRow(rowOf(list, "DocMakeRect"));
    const QString made = quickHelp(functions.getQuickHelpView());
    EXPECT_TRUE(made.contains("Makes a rectangle.")) << made.toStdString();
    EXPECT_TRUE(made.contains("Deprecated in macOS 10.9")) << made.toStdString();

    // The switch: gone from every list and menu, kept in the preferences.
    hideCommand().trigger();
    EXPECT_TRUE(hideCommand().isChecked());
    EXPECT_TRUE(ProcessState::prefData()->hideDeprecated);
    EXPECT_TRUE(ProcessState::prefData()->prefChanged);
    EXPECT_EQ(rowOf(inherited, "lockFocus"), -1);
    EXPECT_GE(rowOf(inherited, "display"), 0);
    EXPECT_EQ(rowOf(results, "lockFocus"), -1);
    EXPECT_EQ(results.rowCount(), foundCount - 1);
    EXPECT_EQ(rowOf(list, "DocMakeRect"), -1);
    EXPECT_GE(rowOf(list, "DocCurrentRect"), 0);
    auto hiddenItems = menuItems();
    for (const auto& item : hiddenItems) EXPECT_EQ(item.first.find("lockFocus"), std::string::npos);
    EXPECT_FALSE(hiddenItems.empty());

    // And back.
    hideCommand().trigger();
    EXPECT_GE(rowOf(inherited, "lockFocus"), 0);
    EXPECT_GE(rowOf(list, "DocMakeRect"), 0);
}

TEST_F(QuickHelpTest, AFindResultShowsItsQuickHelp) {
    FindController& find = *shell->getFindController();
    find.doTargetKindSelect(TreeSearch::kFindMethods);
    find.focusKeywordView();
    QTest::keyClicks(find.getKeywordView()->lineEdit(), "drawRect");
    QTest::keyClick(find.getKeywordView()->lineEdit(), Qt::Key_Return);
    QuickHelpView* help = find.getQuickHelpView();
    EXPECT_TRUE(quickHelp(help).startsWith("Select a result")) << quickHelp(help).toStdString();
    QTest::keyClick(find.getKeywordView()->lineEdit(), Qt::Key_Down);  // into the results, the first selected
    EXPECT_TRUE(quickHelp(help).contains("Draws the view.")) << quickHelp(help).toStdString();
    EXPECT_TRUE(quickHelp(help).contains("DocView.h, line 14")) << quickHelp(help).toStdString();
}

TEST_F(QuickHelpTest, QuickHelpsTextIsSelectedAndCopied) {
    selectClass("DocView");
    NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage", std::string("-(void)drawRect:(int)rect"));
    QuickHelpView* help = classPanel().getQuickHelpView();
    QApplication::setActiveWindow(shell->getMainWindow());
    help->setFocus();
    QTest::keyClick(help, Qt::Key_A, Qt::ControlModifier);
    shell->updateCommands();
    QAction& copy = *shell->actionFor(MenuCommand::Copy);
    ASSERT_TRUE(copy.isEnabled());
    copy.trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().contains("Draws the view.")) << QApplication::clipboard()->text().toStdString();
}
