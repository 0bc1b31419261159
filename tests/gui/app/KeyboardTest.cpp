// The desktop program by the keyboard alone: keys in, the clipboard and the rows on screen out.
// No menu is ever opened here, so every shortcut must find its command ready by itself.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "gui/lists/FindResultView.h"
#include "gui/lists/MethodView.h"
#include "gui/panels/ClassController.h"
#include "gui/panels/FindController.h"
#include "support/ShellFixture.h"

using namespace kestrel;
using namespace kestrel::gui;
using kestrel::test::ShellFixture;
using Names = std::vector<std::string>;

namespace {

class KeyboardTest : public ShellFixture {
protected:
    void SetUp() override {
        launch();
        QApplication::clipboard()->clear();
    }
    QString clipboard() { return QApplication::clipboard()->text(); }
    FindController& find() { return *shell->getFindController(); }
    FindResultView& results() { return *find().getResultView(); }
    int tab() { return shell->getTabView()->currentIndex(); }
    Names rows() {
        Names out;
        for (int i = 0; i < results().rowCount(); ++i) out.push_back(results().getTextFromArray(i).value_or("?"));
        return out;
    }
};

}  // namespace

TEST_F(KeyboardTest, ShortcutsFindTheirCommandReadyBeforeAnyMenuWasOpened) {
    // A method chosen from KitView's menu, its row clicked in the class panel, Ctrl+C.
    click(inBox("KitView"));
    NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage", std::string("-(void)display"));
    activateMain();
    MethodView& method = *shell->getClassController()->getMethodView();
    QTest::mouseClick(method.viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    ASSERT_EQ(QApplication::focusWidget(), &method);
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "-(void)display;\n");

    // In the tree window too, whose keys the main window's menus do not see.
    focusTree();
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "KitView");
}

TEST_F(KeyboardTest, FindTypeDownCopyEscapeAndReturn) {
    activateMain();
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(tab(), AppShell::kFindTab);
    ASSERT_EQ(QApplication::focusWidget(), find().getKeywordView());
    EXPECT_EQ(find().getFindMode(), 1);  // methods, at first
    type("display");
    QApplication::processEvents();  // the search runs once the typed keys are in
    EXPECT_EQ(rows(), (Names{"-(void)display", "-(void)setNeedsDisplay:(BOOL)flag"}));  // the exact name first
    press(Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), &results());
    EXPECT_EQ(results().getSelectLine(), 0);
    EXPECT_EQ(view().selectedClass(), named("KitView"));
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "-(void)display;");
    press(Qt::Key_Up);  // from the first result back to the field, to type on
    EXPECT_EQ(QApplication::focusWidget(), find().getKeywordView());
    press(Qt::Key_Down);

    // The receiver is shown, not typed: the result's class, out of the keys' way.
    QLineEdit& receiver = *find().getClassNameView();
    EXPECT_EQ(receiver.text(), "KitView");
    EXPECT_EQ(receiver.focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(receiver.hasFrame());

    // Ctrl+F again selects the text to type over; Escape empties field and list.
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(find().getKeywordView()->lineEdit()->selectedText(), "display");
    press(Qt::Key_Escape);
    EXPECT_EQ(find().getKeywordView()->currentText(), "");
    EXPECT_EQ(results().rowCount(), 0);
    EXPECT_TRUE(find().getResultCountView()->text().isEmpty());

    // One letter, then at once Down and Ctrl+C: the search for it has run by then.
    type("i");
    press(Qt::Key_Down);
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "-(id)init;");

    // Return on a method shows it in the class panel as its class's menu does, argument
    // types and all; the keys follow it there.
    press(Qt::Key_F, Qt::ControlModifier);
    type("drawrect");
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    ClassController& panel = *shell->getClassController();
    EXPECT_EQ(tab(), AppShell::kClassTab);
    EXPECT_EQ(panel.getMethodView()->getMethod(), "-(void)drawRect:(KitRect)rect");
    EXPECT_EQ(panel.getArgumentInfoView()->toPlainText().toStdString(),
              "typedef  struct _KitRect  KitRect;\nstruct  _KitRect\n{\n float x; float y; float width; float height;\n};");
    EXPECT_EQ(shell->getClassNameView()->text(), "KitView");
    EXPECT_EQ(QApplication::focusWidget(), panel.getMethodView());
    press(Qt::Key_Down);  // highlights it, ready to copy
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "-(void)drawRect:(KitRect)rect;\n");

    // With the tree window closed the class panel still shows the method's class.
    shell->getTreeWindow()->close();
    QApplication::processEvents();
    press(Qt::Key_F, Qt::ControlModifier);
    type("settitle");
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_EQ(shell->getClassNameView()->text(), "KitButton");
    EXPECT_EQ(panel.getMethodView()->getMethod(), "-(void)setTitle:(id)title");
}

TEST_F(KeyboardTest, TabsRoundAndRound) {
    activateMain();
    press(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(tab(), AppShell::kFunctionTab);
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tab(), AppShell::kClassTab);
    press(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tab(), AppShell::kFunctionTab);
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);  // as X11 reports it
    EXPECT_EQ(tab(), AppShell::kFindTab);
    EXPECT_EQ(QApplication::focusWidget(), find().getKeywordView());
    press(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(tab(), AppShell::kClassTab);
    press(Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(tab(), AppShell::kFindTab);
}

TEST_F(KeyboardTest, TheTreeByArrowsAndItsMenuByKeys) {
    std::vector<std::pair<std::string, QPoint>> menus;  // title, where it opened
    view().setMenuPresenter([&](QMenu& menu, const QPoint& at) { menus.emplace_back(menu.title().toStdString(), at); });
    focusTree();
    auto selected = [&] { return view().selectedClass() ? *view().selectedClass()->getName() : std::string("none"); };
    press(Qt::Key_Return);  // nothing selected: no menu
    EXPECT_TRUE(menus.empty());
    press(Qt::Key_Down);  // the first root
    EXPECT_EQ(selected(), "KitObject");
    std::vector<std::string> path;
    for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Left,
                    Qt::Key_Left, Qt::Key_Down}) {
        press(key);
        path.push_back(selected());
    }
    EXPECT_EQ(path, (std::vector<std::string>{"KitView", "KitButton", "KitLabel", "KitLabel", "KitButton", "KitView",
                                              "KitObject", "KitObject", "KitProxy"}));
    // Right into a folded class unfolds it.
    press(Qt::Key_Up);
    named("KitObject")->setShowSubTree(false);
    view().reLayout();
    press(Qt::Key_Right);
    EXPECT_EQ(selected(), "KitView");
    EXPECT_TRUE(named("KitObject")->getShowSubTree());
    EXPECT_TRUE(treeChanged());

    // Return, Enter, Space, Shift+F10 and the Menu key open the method menu under the box.
    press(Qt::Key_Return);
    press(Qt::Key_Enter);
    press(Qt::Key_Space);
    press(Qt::Key_F10, Qt::ShiftModifier);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(0, 0), view().mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(&view(), &menuKey);
    ASSERT_EQ(menus.size(), 5u);
    const TreeRect box = named("KitView")->getBounds();
    const QPoint under = view().mapToGlobal(QPoint(static_cast<int>(box.x), static_cast<int>(box.y + box.height)));
    for (const auto& [title, at] : menus) {
        EXPECT_EQ(title, "KitView");
        EXPECT_EQ(at, under);
    }
    // A right click opens the menu of the box under it.
    QContextMenuEvent right(QContextMenuEvent::Mouse, inBox("KitLabel"), view().mapToGlobal(inBox("KitLabel")));
    QApplication::sendEvent(&view(), &right);
    EXPECT_EQ(menus.back().first, "KitLabel");
    EXPECT_EQ(selected(), "KitLabel");
}
