#pragma once
// The desktop program started as a user starts it, on the small framework of
// tests/data/gui_tree (KitObject > KitView > KitButton, KitLabel; KitProxy without methods)
// unless told otherwise, with HOME in a throw-away folder. Notifications are recorded by name as
// they are posted.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/ClassData.h"
#include "core/platform/NotificationCenter.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "gui/app/AppShell.h"
#include "gui/treeview/TreeView.h"
#include "support/TempHome.h"

namespace kestrel::test {

class ShellFixture : public ::testing::Test {
protected:
    void TearDown() override { quit(); }

    // Starts the program (building the tree the first time, loading it after); without a
    // frameworks root it takes the system's, as a user's start does.
    gui::AppShell& launch(
        std::optional<std::string> root = std::string(KESTREL_TEST_DATA_DIR) + "/gui_tree/Frameworks") {
        quit();
        ProcessState::reset();
        shell = std::make_unique<gui::AppShell>(gui::LaunchOptions{std::move(root), std::nullopt});
        NotificationCenter::defaultCenter().addObserver(this, std::nullopt, [this](const Notification& n) {
            posted.push_back(n.name);
        });
        shell->applicationWillFinishLaunching();
        shell->applicationDidFinishLaunching();
        if (QWidget* tree = shell->getTreeWindow()) tree->resize(600, 400);
        QApplication::processEvents();
        return *shell;
    }
    // Quits as the Quit command does: the termination writes, then the windows go.
    void quit() {
        if (!shell) return;
        shell->applicationWillTerminate();
        NotificationCenter::defaultCenter().removeObserver(this);
        shell.reset();
        QApplication::processEvents();
    }

    gui::TreeView& view() { return *shell->getMainView(); }
    std::shared_ptr<ClassData> named(const std::string& name) { return shell->app().findClassByName(name); }
    // A point in the view inside the named class's box, dx points from its left edge.
    QPoint inBox(const std::string& name, int dx = 30) {
        const TreeRect b = named(name)->getBounds();
        return QPoint(static_cast<int>(b.x) + dx, static_cast<int>(b.y) + 9);
    }
    void click(QPoint at) { QTest::mouseClick(&view(), Qt::LeftButton, {}, at); }
    // The tree view takes the keyboard focus, as after a click in its window.
    void focusTree() {
        QApplication::setActiveWindow(shell->getTreeWindow());
        view().setFocus();
        QApplication::processEvents();
    }
    // The main window made the active one, as after a click in it.
    void activateMain() {
        QApplication::setActiveWindow(shell->getMainWindow());
        QApplication::processEvents();
    }
    // A key as the user types it: to the widget with the focus (or the active window).
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        QTest::keyClick(to, static_cast<Qt::Key>(key), mods);
    }
    void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    QScrollArea& scrollArea() { return *qobject_cast<QScrollArea*>(view().parentWidget()->parentWidget()); }
    bool treeChanged() { return ProcessState::prefData()->treeChanged; }
    // Answers the next modal dialog with code once it runs; dialogAsked tells whether one came.
    // A newer answer replaces one not yet given.
    void answerNextDialog(int code) {
        dialogAsked = false;
        answer = std::make_unique<QTimer>();
        answer->setSingleShot(true);
        answer->callOnTimeout([this, code] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialogAsked = true;
                modal->done(code);
            }
        });
        answer->start(0);
    }

    TempHome home;
    std::unique_ptr<gui::AppShell> shell;
    std::vector<std::string> posted;
    std::unique_ptr<QTimer> answer;
    bool dialogAsked = false;
};

}  // namespace kestrel::test
