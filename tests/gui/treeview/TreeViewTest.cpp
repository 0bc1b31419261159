#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "core/model/TreeLayout.h"
#include "gui/lists/MethodView.h"
#include "gui/panels/ClassController.h"
#include "support/ShellFixture.h"

using namespace kestrel;
using kestrel::test::ShellFixture;

namespace {

using Names = std::vector<std::string>;

// A menu as titles, "-" for a separator and "+title" for an item holding a submenu.
Names titlesOf(QMenu& menu) {
    Names out;
    for (QAction* a : menu.actions()) {
        if (a->isSeparator())
            out.push_back("-");
        else
            out.push_back(std::string(a->menu() ? "+" : "").append(a->text().toStdString()));
    }
    return out;
}

QMenu* submenu(QMenu& menu, const QString& title) {
    for (QAction* a : menu.actions())
        if (a->menu() && a->text() == title) {
            emit a->menu()->aboutToShow();  // filled when it opens
            return a->menu();
        }
    return nullptr;
}

class TreeViewTest : public ShellFixture {
protected:
    void SetUp() override {
        launch();
        posted.clear();
    }
    // Double-clicks a box and answers what the menu showed; choose: the title of an item to pick.
    Names openMenu(const std::string& name, std::function<void(QMenu&)> use = {}) {
        Names shown;
        view().setMenuPresenter([&](QMenu& menu, const QPoint&) {
            shown = titlesOf(menu);
            if (use) use(menu);
        });
        QTest::mouseDClick(&view(), Qt::LeftButton, {}, inBox(name));
        return shown;
    }
    QScrollBar* vertical() { return scrollArea().verticalScrollBar(); }
};

}  // namespace

TEST_F(TreeViewTest, PressingSelectsAndAnnouncesByRecord) {
    click(inBox("KitView"));
    EXPECT_EQ(posted, (Names{"ClassObjSelectedMessage"}));
    EXPECT_TRUE(named("KitView")->getSelectFlag());
    posted.clear();
    click(inBox("KitButton"));
    EXPECT_EQ(posted, (Names{"ClassDidUnselectedMessage", "ClassObjSelectedMessage"}));
    EXPECT_FALSE(named("KitView")->getSelectFlag());
    posted.clear();
    click(inBox("KitButton"));  // again: announced again, nothing dropped
    EXPECT_EQ(posted, (Names{"ClassObjSelectedMessage"}));
    posted.clear();
    click(QPoint(5, 300));
    EXPECT_EQ(posted, (Names{"ClassDidUnselectedMessage"}));
    EXPECT_EQ(shell->getSelectedClass(), nullptr);
    EXPECT_EQ(view().selectedClass(), nullptr);
}

TEST_F(TreeViewTest, ASecondClassOfTheSameNameIsAnotherRecord) {
    auto twin = std::make_shared<ClassData>("KitView", std::nullopt);
    shell->app().classList.push_back(twin);
    shell->app().classStraightList.push_back(twin);
    view().setTreeData(shell->app().classList);
    click(inBox("KitView"));
    const TreeRect b = twin->getBounds();
    click(QPoint(static_cast<int>(b.x) + 30, static_cast<int>(b.y) + 9));
    EXPECT_TRUE(twin->getSelectFlag());
    EXPECT_FALSE(named("KitView")->getSelectFlag());
    shell->app().removeSelectedClass();  // a cut takes the twin alone
    EXPECT_NE(named("KitView"), nullptr);
    EXPECT_EQ(shell->app().classStraightList.size(), 5u);
}

TEST_F(TreeViewTest, FoldingKeepsTheClickedBoxWhereItWasOnScreen) {
    shell->getTreeWindow()->resize(200, 40);
    QApplication::processEvents();
    vertical()->setValue(12);
    const QPoint before = view().mapToGlobal(inBox("KitObject"));
    click(inBox("KitObject", 135));  // the fold zone: the box's rightmost points
    EXPECT_FALSE(named("KitObject")->getShowSubTree());
    EXPECT_EQ(view().mapToGlobal(inBox("KitObject")), before);
    EXPECT_EQ(view().frame(), (TreeRect{20, 5, 172, 18 + 5 + 18 + 32}));
    EXPECT_TRUE(treeChanged());
    // Hidden classes keep their boxes but cannot be hit there.
    EXPECT_EQ(TreeLayout::findByPoint(view().getTreeData(), {200, 20}), nullptr);
    // A double click is two presses: each toggles.
    click(inBox("KitObject", 135));
    QTest::mouseDClick(&view(), Qt::LeftButton, {}, inBox("KitObject", 135));
    EXPECT_FALSE(named("KitObject")->getShowSubTree());
}

TEST_F(TreeViewTest, MethodMenusAndChoosingAMethod) {
    const std::int32_t kitView = named("KitView")->getID();
    Names shown = openMenu("KitView", [&](QMenu& menu) {
        EXPECT_EQ(menu.actions()[2]->data().toInt(), kitView);
        EXPECT_EQ(menu.actions()[4]->data().toInt(), kitView + 2);
        EXPECT_EQ(titlesOf(*submenu(menu, "Categories")), (Names{"+KitView.h : (Drawing)"}));
        menu.actions()[3]->trigger();
    });
    EXPECT_EQ(shown, (Names{"+Categories", "-", "-(id)initWithFrame:(int)frame", "-(void)display",
                            "-(void)setNeedsDisplay:(BOOL)flag"}));
    EXPECT_EQ(posted.back(), "ClassMethodWasSelectedMessage");
    EXPECT_EQ(shell->getClassController()->getMethodView()->getMethod(), "-(void)display");

    // Protocols nest: KitObject adopts KitCoding, which adopts KitCopying.
    openMenu("KitObject", [](QMenu& menu) {
        EXPECT_EQ(titlesOf(menu), (Names{"+Protocols", "-", "+(id)alloc", "-(id)init", "-(void)dealloc"}));
        QMenu* coding = submenu(*submenu(menu, "Protocols"), "<KitCoding>");
        ASSERT_NE(coding, nullptr);
        EXPECT_EQ(titlesOf(*coding), (Names{"+Protocols", "-", "-(void)encodeWithCoder:(id)coder",
                                            "-(id)initWithCoder:(id)coder"}));
        EXPECT_EQ(titlesOf(*submenu(*coding, "Protocols")), (Names{"+<KitCopying>"}));
    });
    // A class without methods gets the one-item menu, named after the class just selected; its
    // item does nothing.
    EXPECT_EQ(openMenu("KitProxy", [](QMenu& menu) { menu.actions()[0]->trigger(); }), (Names{"KitProxy has no methods"}));
    EXPECT_EQ(posted.back(), "ClassObjSelectedMessage");
}

TEST_F(TreeViewTest, CutRemovesTheSelectedSubtreeAndCopyTakesTheName) {
    click(inBox("KitButton"));
    focusTree();
    shell->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "KitButton");
    EXPECT_EQ(view().createDragStrings(), "KitButton");
    click(inBox("KitView"));
    focusTree();
    shell->cut();
    EXPECT_EQ(shell->app().classStraightList.size(), 2u);
    EXPECT_EQ(named("KitButton"), nullptr);
    EXPECT_EQ(view().selectedClass(), nullptr);
    EXPECT_EQ(view().frame(), (TreeRect{20, 5, 172, 18 + 5 + 18 + 32}));
    EXPECT_TRUE(treeChanged());
    EXPECT_FALSE(view().canCopy());
}

TEST_F(TreeViewTest, KeysAreSwallowedAndSelectionsScrollIntoView) {
    shell->getTreeWindow()->resize(150, 30);
    QApplication::processEvents();
    QTest::keyClick(&view(), Qt::Key_Down);
    QTest::keyClick(&view(), Qt::Key_PageDown);
    EXPECT_EQ(vertical()->value(), 0);
    // A box out of view comes to the middle; one partly in view stays put.
    view().selectClass(named("KitLabel"), true);
    const QRect visible = view().visibleRect();
    const TreeRect label = named("KitLabel")->getBounds();
    EXPECT_TRUE(visible.intersects(QRect(static_cast<int>(label.x), static_cast<int>(label.y), 140, 18)));
    const int scrolled = vertical()->value();
    view().scrollToselection();
    EXPECT_EQ(vertical()->value(), scrolled);
}

// A fold keeps the clicked box where it was on screen even where the tree then ends before the
// visible area (a fold near its end, or above its top): the view reaches beyond the tree, so
// that the next click at the same place hits the same class again.
TEST_F(TreeViewTest, AFoldNearTheEndOrTheTopKeepsTheBoxUnderThePointer) {
    shell->getTreeWindow()->resize(220, 60);
    QApplication::processEvents();
    // A point in a box's fold zone, on screen.
    auto foldZone = [&](const std::string& name) {
        const TreeRect b = named(name)->getBounds();
        return view().mapToGlobal(view().viewPoint({b.maxX() - 4, b.y + 9}).toPoint());
    };
    auto clickOnScreen = [&](QPoint global) { click(view().mapFromGlobal(global)); };

    vertical()->setValue(vertical()->maximum());  // the end of the tree
    scrollArea().horizontalScrollBar()->setValue(scrollArea().horizontalScrollBar()->maximum());
    const QPoint kitView = foldZone("KitView");
    clickOnScreen(kitView);
    EXPECT_FALSE(named("KitView")->getShowSubTree());
    EXPECT_EQ(foldZone("KitView"), kitView);
    clickOnScreen(kitView);  // the same place: the same class, unfolded again
    EXPECT_TRUE(named("KitView")->getShowSubTree());
    EXPECT_EQ(foldZone("KitView"), kitView);

    vertical()->setValue(0);  // the top: folding KitObject moves it up, above the visible area
    const QPoint kitObject = foldZone("KitObject");
    clickOnScreen(kitObject);
    EXPECT_FALSE(named("KitObject")->getShowSubTree());
    EXPECT_EQ(foldZone("KitObject"), kitObject);
    EXPECT_EQ(view().frame(), (TreeRect{20, 5, 172, 18 + 5 + 18 + 32}));  // the tree's own frame is exact
    clickOnScreen(kitObject);
    EXPECT_TRUE(named("KitObject")->getShowSubTree());
    // A later layout drops what the view reached beyond the tree.
    view().reLayout();
    EXPECT_EQ(view().viewPoint({0, 0}), QPointF(0, 0));
    EXPECT_EQ(view().height(), 96);
}
