#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <map>

#include "core/app/MenuCommands.h"
#include "gui/panels/EditCommentController.h"
#include "gui/app/AppShell.h"
#include "gui/app/OpeningAboutController.h"
#include "support/ShellFixture.h"

using namespace kestrel;
using kestrel::test::ShellFixture;
namespace fs = std::filesystem;

namespace {

class AppShellTest : public ShellFixture {
protected:
    // Inode and modification time of every file in the data folder: a rewrite (to a temporary
    // file, then moved into place) changes the inode.
    std::map<std::string, std::pair<ino_t, std::int64_t>> dataFiles() {
        std::map<std::string, std::pair<ino_t, std::int64_t>> files;
        for (const auto& e : fs::directory_iterator(home.data())) {
            struct stat info {};
            if (e.is_regular_file() && ::stat(e.path().c_str(), &info) == 0)
                files[e.path().filename().string()] = {info.st_ino, static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
        }
        return files;
    }
    bool enabled(MenuCommand command) {
        shell->updateCommands();
        return shell->actionFor(command)->isEnabled();
    }
};

}  // namespace

TEST_F(AppShellTest, FirstStartBuildsLaterStartsLoadAndALookWritesNothing) {
    launch();
    EXPECT_EQ(shell->app().getHedderCount(), 2u);  // built from the headers
    EXPECT_EQ(shell->app().classStraightList.size(), 5u);
    EXPECT_EQ(view().getTreeData().size(), 2u);
    EXPECT_EQ(shell->getAbout(), nullptr);  // the opening window is gone
    // The end of the start-up, in this order.
    std::vector<std::string> last(posted.end() - 2, posted.end());
    EXPECT_EQ(last, (std::vector<std::string>{"CommentDicWasChangedNotification", "TreeFileWasChangedMessage"}));
    quit();
    ASSERT_TRUE(fs::exists(home.dataFile("classData")));

    launch();
    EXPECT_EQ(shell->app().getHedderCount(), 0u);  // loaded
    EXPECT_EQ(shell->app().classStraightList.size(), 5u);
    auto before = dataFiles();
    quit();
    EXPECT_EQ(dataFiles(), before);

    // Selecting marks the tree as changed: it is written at quit, atomically.
    launch();
    click(inBox("KitLabel"));
    EXPECT_TRUE(treeChanged());
    before = dataFiles();
    quit();
    EXPECT_NE(dataFiles()["classData"], before["classData"]);
    EXPECT_FALSE(fs::exists(home.dataFile("classData.tmp")));

    // The stored selection is announced again, and announcing it changes nothing stored.
    posted.clear();
    launch();
    EXPECT_EQ(shell->getClassNameView()->text(), "KitLabel");
    EXPECT_EQ(view().selectedClass(), named("KitLabel"));
    EXPECT_FALSE(treeChanged());
}

TEST_F(AppShellTest, LoadsWhenTheDecisiveFilesAreThereAndBuildsWhenOneIsMissing) {
    launch();
    quit();
    // The files of the stored set, where the data folder's links lead.
    fs::remove(fs::canonical(home.dataFile("structData")));  // plays no part in the decision
    launch();
    EXPECT_EQ(shell->app().getHedderCount(), 0u);
    quit();
    fs::remove(fs::canonical(home.dataFile("categoryData")));
    launch();
    EXPECT_EQ(shell->app().getHedderCount(), 2u);
    quit();
    // There but unreadable: built again, and the user is told why.
    home.writeData("classData", "damaged");
    launch();
    EXPECT_EQ(shell->app().getHedderCount(), 2u);
    EXPECT_EQ(view().getTreeData().size(), 2u);
    EXPECT_TRUE(shell->getMainWindow()->statusBar()->currentMessage().contains("classData"));
}

TEST_F(AppShellTest, CancelledRebuildStillAnnouncesTheTree) {
    launch();
    posted.clear();
    answerNextDialog(0);
    shell->reBuildTree();
    EXPECT_EQ(posted, (std::vector<std::string>{"TreeFileWasChangedMessage"}));
    EXPECT_EQ(shell->app().getHedderCount(), 2u);  // still the first build's count: nothing rebuilt

    // A confirmed rebuild reads the headers again and shows the new tree.
    click(inBox("KitButton"));
    answerNextDialog(1);
    shell->reBuildTree();
    EXPECT_EQ(view().getTreeData().size(), 2u);
    EXPECT_EQ(shell->getSelectedClass(), nullptr);
    EXPECT_EQ(posted.back(), "TreeFileWasChangedMessage");
}

TEST_F(AppShellTest, MenuValidation) {
    launch();
    // Tag 0 would be refused by the table: Quit, Copy and Cut have rules of their own.
    EXPECT_TRUE(enabled(MenuCommand::Quit));
    focusTree();
    EXPECT_FALSE(enabled(MenuCommand::Copy));
    click(inBox("KitView"));
    focusTree();
    EXPECT_TRUE(enabled(MenuCommand::Copy));
    EXPECT_TRUE(enabled(MenuCommand::Cut));
    // The tree window is open: showing it brings it to the front.
    EXPECT_TRUE(enabled(MenuCommand::ShowTreeWindow));
    shell->getTreeWindow()->close();
    QApplication::processEvents();
    EXPECT_EQ(shell->getTreeWindow(), nullptr);
    EXPECT_EQ(shell->getMainView(), nullptr);
    EXPECT_TRUE(enabled(MenuCommand::ShowTreeWindow));
    shell->actionFor(MenuCommand::ShowTreeWindow)->trigger();
    ASSERT_NE(shell->getMainView(), nullptr);
    EXPECT_EQ(view().selectedClass(), named("KitView"));  // the selection survives the window
    EXPECT_TRUE(enabled(MenuCommand::OpenURL));  // a class is selected
    // The private-header dialog is open once at most.
    shell->addPrivateHedders();
    EXPECT_FALSE(enabled(MenuCommand::AddPrivateHedders));
    // A shortcut skips the menu: the command checks for itself.
    shell->getClassNameView()->setFocus();
    const std::size_t classes = shell->app().classStraightList.size();
    shell->actionFor(MenuCommand::Cut)->setEnabled(true);
    shell->actionFor(MenuCommand::Cut)->trigger();
    EXPECT_EQ(shell->app().classStraightList.size(), classes);
}

// (The drag style's radio group: the panels' copies in either style.)
TEST_F(AppShellTest, TheClassNameFieldFollowsTheSelection) {
    launch();
    click(inBox("KitButton"));
    EXPECT_EQ(shell->getClassNameView()->text(), "KitButton");
    click(QPoint(5, 300));
    EXPECT_EQ(shell->getClassNameView()->text(), "");
}

TEST_F(AppShellTest, TheCommentEditorAndAMergeAreNeverOpenTogether) {
    launch();
    shell->EditComment();
    ASSERT_NE(shell->getCommentEditor(), nullptr);
    EXPECT_FALSE(enabled(MenuCommand::MargeComment));
    shell->MargeComment();
    EXPECT_EQ(shell->getMargeEditor(), nullptr);
    shell->getCommentEditor()->doCancelButton();
    EXPECT_EQ(shell->getCommentEditor(), nullptr);
    EXPECT_TRUE(enabled(MenuCommand::MargeComment));
}

// The tree window is an ordinary window beside the main one, not one floating above it: either
// comes to the front when used. Ctrl+T brings it forward, the main window's shortcuts work in it,
// and it closes with the main window.
TEST_F(AppShellTest, TheTreeWindowIsAnOrdinaryWindow) {
    launch();
    QWidget* tree = shell->getTreeWindow();
    QMainWindow* main = shell->getMainWindow();
    EXPECT_EQ(tree->windowType(), Qt::Window);
    EXPECT_EQ(tree->parentWidget(), nullptr);
    EXPECT_FALSE(tree->windowFlags() & Qt::WindowStaysOnTopHint);
    ASSERT_NE(tree->windowHandle(), nullptr);
    EXPECT_EQ(tree->windowHandle()->transientParent(), nullptr);

    QApplication::setActiveWindow(main);
    shell->getClassNameView()->setFocus();
    QTest::keyClick(shell->getClassNameView(), Qt::Key_T, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), tree);

    focusTree();  // a command of the main window's menus, from the tree window
    QTest::keyClick(&view(), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(shell->getStructEnumViewer(), nullptr);

    main->close();
    QApplication::processEvents();
    EXPECT_EQ(shell->getTreeWindow(), nullptr);
}

// The opening window has a title of its own and is painted before the work that blocks the
// program begins, and again as the work goes on, at the start and on a rebuild alike.
TEST_F(AppShellTest, TheOpeningWindowIsPaintedBeforeAndDuringTheWork) {
    // Who is painted, by the title of the window it is in.
    struct Paints : QObject {
        std::vector<std::pair<QString, QString>> seen;  // (window title, widget name)
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window()->objectName() == "OpeningAbout")
                    seen.emplace_back(widget->window()->windowTitle(), widget->objectName());
            return false;
        }
        bool saw(const QString& title, const QString& widget) const {
            return std::find(seen.begin(), seen.end(), std::pair(title, widget)) != seen.end();
        }
    } paints;
    qApp->installEventFilter(&paints);
    ProcessState::reset();
    shell = std::make_unique<gui::AppShell>(gui::LaunchOptions{std::string(KESTREL_TEST_DATA_DIR) + "/gui_tree/Frameworks", std::nullopt});
    shell->applicationWillFinishLaunching();
    // The work has not begun: the window is up and painted already.
    ASSERT_NE(shell->getAbout(), nullptr);
    QWidget* opening = shell->getAbout()->getWindow();
    EXPECT_TRUE(opening->windowHandle()->isExposed());
    EXPECT_NE(opening->windowTitle(), shell->getMainWindow()->windowTitle());
    EXPECT_TRUE(paints.saw(opening->windowTitle(), "OpeningAbout"));
    paints.seen.clear();
    shell->setMessage("Foundation");  // as the work reports, with no event loop running
    EXPECT_TRUE(paints.saw(opening->windowTitle(), "messageView"));
    shell->applicationDidFinishLaunching();
    EXPECT_EQ(shell->getAbout(), nullptr);

    paints.seen.clear();
    answerNextDialog(1);
    shell->reBuildTree();
    EXPECT_TRUE(paints.saw("Rebuilding the Class Tree", "OpeningAbout"));
    EXPECT_TRUE(paints.saw("Rebuilding the Class Tree", "messageView"));
    qApp->removeEventFilter(&paints);
}

// The build's other threads measure names with the default width; the window's font measures
// every record's display name once they are filed.
TEST_F(AppShellTest, DisplayNamesAreMeasuredWithTheWindowsFontWhicheverThreadReadTheHeader) {
    home.dir().write(".config/Kestrel.plist",
                     "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>fontName</key><string></string>"
                     "<key>pointSize</key><real>30</real></dict></plist>");
    for (int i = 0; i < 40; ++i) {
        const std::string name = "KitLongNamedView" + std::to_string(i);
        home.dir().write("fw/Kit.framework/Headers/" + name + ".h", "@interface " + name + "\n@end\n");
    }
    setenv("KESTREL_BUILD_THREADS", "4", 1);
    launch(home.dir().str() + "/fw");
    unsetenv("KESTREL_BUILD_THREADS");
    ASSERT_EQ(shell->app().classStraightList.size(), 40u);
    for (const auto& record : shell->app().classStraightList) {
        const std::string shown = record->getDisplayName().value_or("");
        record->makeDisplayName();
        EXPECT_EQ(shown, record->getDisplayName().value_or("")) << *record->getName();
        EXPECT_NE(shown, *record->getName());  // at 30 points the name is cut
    }
}
