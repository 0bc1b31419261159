#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/model/AnnotationFiles.h"
#include "gui/lists/ClassListView.h"
#include "gui/lists/MethodView.h"
#include "gui/panels/ClassController.h"
#include "gui/panels/FunctionController.h"
#include "gui/panels/HedderTextView.h"
#include "gui/panels/HedderViewer.h"
#include "support/ShellFixture.h"
#include "support/TempDir.h"

using namespace kestrel;
using namespace kestrel::gui;
using kestrel::test::ShellFixture;
using kestrel::test::TempDir;

namespace {

// A header of 300 lines: "display" on lines 40, 150 and 260; the class on line 150.
std::string longHeader() {
    std::string text;
    for (int line = 1; line <= 300; ++line) {
        if (line == 150) text += "@interface KitPanel : KitView  // display\n";
        else if (line == 40 || line == 260) text += "- (void)display;\n";
        else text += "// line " + std::to_string(line) + "\n";
    }
    return text;
}

class HedderViewerTest : public ShellFixture {
protected:
    void SetUp() override { launch(); }
    HedderViewer& viewer() { return shell->getHedderViewer(); }
    HedderTextView& text() { return *viewer().getTextView(); }
    QString status() { return viewer().getFindStatusView()->text(); }
    int cursorLine() { return text().textCursor().block().blockNumber() + 1; }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    QAction& showHeaderCommand() { return *shell->actionFor(MenuCommand::ShowHeader); }
    TempDir dir;
};

}  // namespace

TEST_F(HedderViewerTest, OpensAtTheLineMarkedAThirdFromTheTop) {
    const std::string path = dir.write("KitPanel.h", longHeader());
    viewer().show(path, 150, "KitPanel");
    QWidget* window = viewer().getWindow();
    ASSERT_TRUE(window->isVisible());
    QApplication::setActiveWindow(window);
    EXPECT_EQ(window->windowTitle(), "KitPanel.h \u2014 KitPanel");
    EXPECT_EQ(text().markedLine(), 150);
    EXPECT_EQ(cursorLine(), 150);
    const int first = text().firstVisibleLine();
    const int shown = text().visibleLineCount();
    EXPECT_GT(shown, 10);
    EXPECT_LE(first, 150);
    EXPECT_LT(150, first + shown);
    EXPECT_NEAR(150 - first, shown / 3, 2);  // about a third from the top
    EXPECT_FALSE(viewer().getNoteView()->isVisible());
    EXPECT_TRUE(text().isReadOnly());

    // A second show replaces file and line in the same window, where the user left it.
    window->setGeometry(window->geometry().translated(13, 7).adjusted(0, 0, -20, -10));
    const QRect placed = window->geometry();
    const std::string other = dir.write("Other.h", "@interface Other\n@end\n");
    viewer().show(other, 1, "Other");
    EXPECT_EQ(viewer().getWindow(), window);
    EXPECT_EQ(window->geometry(), placed);
    EXPECT_EQ(text().blockCount(), 3);
    EXPECT_EQ(text().markedLine(), 1);
    EXPECT_EQ(text().firstVisibleLine(), 1);
}

TEST_F(HedderViewerTest, FindStepsThroughTheMatchesAndEscapeClosesTheBar) {
    viewer().show(dir.write("KitPanel.h", longHeader()), 150, "KitPanel");
    QWidget* window = viewer().getWindow();
    QApplication::setActiveWindow(window);
    text().setFocus();
    key(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(viewer().getFindBar()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), viewer().getFindField());

    // Typing finds from the cursor on: the match on the marked line comes first.
    QTest::keyClicks(viewer().getFindField(), "DISPLAY");
    EXPECT_EQ(status(), "2 of 3");
    EXPECT_EQ(cursorLine(), 150);
    EXPECT_EQ(text().textCursor().selectedText(), "display");
    EXPECT_EQ(text().extraSelections().size(), 1 + 3);  // the marked line and every match
    key(Qt::Key_Return);
    EXPECT_EQ(status(), "3 of 3");
    EXPECT_EQ(cursorLine(), 260);
    key(Qt::Key_F3);  // wraps round
    EXPECT_EQ(status(), "1 of 3");
    EXPECT_EQ(cursorLine(), 40);
    const int line40 = cursorLine();
    EXPECT_LE(text().firstVisibleLine(), line40);  // the match is scrolled into view
    EXPECT_LT(line40, text().firstVisibleLine() + text().visibleLineCount());
    key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(status(), "3 of 3");
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(status(), "2 of 3");

    QTest::keyClicks(viewer().getFindField(), "xyz");
    EXPECT_EQ(status(), "Not found");
    EXPECT_EQ(text().extraSelections().size(), 1);  // only the marked line

    key(Qt::Key_Escape);
    EXPECT_FALSE(viewer().getFindBar()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &text());
    EXPECT_TRUE(window->isVisible());
    key(Qt::Key_Escape);  // with the bar closed, Escape closes the window
    EXPECT_FALSE(window->isVisible());
}

// Files it cannot show are said in the window, never a crash.
TEST_F(HedderViewerTest, WhatCannotBeShownIsSaid) {
    viewer().show(dir.str() + "/Gone.h", 12, "Gone");
    EXPECT_TRUE(viewer().getWindow()->isVisible());
    EXPECT_TRUE(viewer().getNoteView()->isVisible());
    EXPECT_TRUE(viewer().getNoteView()->text().contains("no longer there"));
    EXPECT_EQ(text().toPlainText(), "");
    EXPECT_FALSE(viewer().getOpenInEditorButton()->isEnabled());

    viewer().show(dir.str(), 1, "");
    EXPECT_TRUE(viewer().getNoteView()->text().contains("is a folder"));

    const std::string large = dir.str() + "/Large.h";
    std::ofstream(large).put('x');
    std::filesystem::resize_file(large, 17u * 1024 * 1024);  // sparse: costs no disk
    viewer().show(large, 1, "");
    EXPECT_TRUE(viewer().getNoteView()->text().contains("17.0 MB"));
    EXPECT_TRUE(viewer().getOpenInEditorButton()->isEnabled());  // an editor may open it

    viewer().show(dir.write("Latin.h", "// \xA9 1997 \xFF\n@interface Kit\n"), 2, "Kit");
    EXPECT_TRUE(viewer().getNoteView()->text().contains("2 bytes of this file are not UTF-8"));
    EXPECT_EQ(text().document()->firstBlock().text(), QString::fromUtf8("// \uFFFD 1997 \uFFFD"));
    EXPECT_EQ(text().markedLine(), 2);

    // A line the header no longer has, and a declaration it does not hold.
    viewer().show(dir.write("Short.h", "@interface Kit\n@end\n"), 40, "Kit");
    EXPECT_TRUE(viewer().getNoteView()->text().contains("past the end"));
    EXPECT_EQ(text().markedLine(), 0);
    viewer().show(dir.write("Short.h", "@interface Kit\n@end\n"), 0, "KitGone");
    EXPECT_TRUE(viewer().getNoteView()->text().contains("No line of this header declares KitGone"));
    viewer().show(dir.write("Fine.h", "@interface Kit\n@end\n"), 1, "Kit");
    EXPECT_FALSE(viewer().getNoteView()->isVisible());
}

TEST_F(HedderViewerTest, ShowHeaderOpensTheSelectionsDeclaration) {
    EXPECT_FALSE(showHeaderCommand().isEnabled());  // nothing selected
    click(inBox("KitButton"));
    QApplication::processEvents();
    ASSERT_TRUE(showHeaderCommand().isEnabled());
    showHeaderCommand().trigger();
    EXPECT_TRUE(viewer().getPath().endsWith("Kit.framework/Headers/KitView.h")) << viewer().getPath().toStdString();
    EXPECT_EQ(text().document()->findBlockByNumber(viewer().getLine() - 1).text(), "@interface KitButton : KitView");
    EXPECT_EQ(text().markedLine(), viewer().getLine());

    // With a method chosen, at the method: here in a category of the class.
    click(inBox("KitView"));
    QApplication::processEvents();
    NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage", std::string("-(void)drawRect:(KitRect)rect"));
    showHeaderCommand().trigger();
    EXPECT_EQ(text().document()->findBlockByNumber(viewer().getLine() - 1).text(), "- (void)drawRect:(KitRect)rect;");
    EXPECT_EQ(viewer().getWindow()->windowTitle(), "KitView.h \u2014 -[KitView drawRect:]");

    // A function chosen in the Functions tab.
    shell->getTabView()->setCurrentIndex(2);
    ClassListView& functions = *shell->getFunctionController()->getMainView();
    for (int row = 0; row < functions.rowCount(); ++row)
        if (functions.getTextFromArray(row) == "void KitBeep(void)") functions.doClickAction(row);
    ASSERT_NE(functions.selectedRecord(), nullptr);
    ASSERT_TRUE(showHeaderCommand().isEnabled());
    showHeaderCommand().trigger();
    EXPECT_TRUE(viewer().getPath().endsWith("KitObject.h"));
    EXPECT_EQ(text().document()->findBlockByNumber(viewer().getLine() - 1).text(), "extern void KitBeep(void);");
    EXPECT_EQ(viewer().getWindow()->windowTitle(), "KitObject.h \u2014 KitBeep");
}

TEST_F(HedderViewerTest, OpenInEditorRunsTheCommandWithoutAShellOrSaysWhyNot) {
    const std::string path = dir.write("My Header's.h", "@interface Kit\n@end\n");
    const std::string record = dir.str() + "/args.txt";
    // The test's own recorder: a program given its arguments one by one (the file name has a
    // blank and a quote: it must arrive as one argument).
    ProcessState::prefData()->editorCommand =
        "/bin/sh -c 'printf \"%s\\n\" \"$@\" > \"$0\"' '" + record + "' --line %l %f";
    viewer().show(path, 2, "Kit");
    viewer().getOpenInEditorButton()->click();
    std::string written;
    for (int i = 0; i < 100 && written.find(".h\n") == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(record);
        written.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_EQ(written, "--line\n2\n" + path + "\n");
    EXPECT_FALSE(viewer().getNoteView()->isVisible());

    ProcessState::prefData()->editorCommand = "no-such-editor-anywhere --goto %f:%l";
    viewer().getOpenInEditorButton()->click();
    EXPECT_TRUE(viewer().getNoteView()->isVisible());
    EXPECT_TRUE(viewer().getNoteView()->text().contains("“no-such-editor-anywhere” was not found"));
    ProcessState::prefData()->editorCommand = "/nonexistent/editor %f";
    viewer().getOpenInEditorButton()->click();
    EXPECT_TRUE(viewer().getNoteView()->text().contains("could not be started"));
    viewer().show(path, 1, "Kit");  // said once: the next header starts clean
    EXPECT_FALSE(viewer().getNoteView()->isVisible());
}
