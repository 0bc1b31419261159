// Quick Help's answers from a build's notes, through the stored tree and back, and from a tree
// stored before notes were kept.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/app/AppAction2.h"
#include "core/app/QuickHelp.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"
#include "support/TempHome.h"

using namespace kestrel;
using namespace kestrel::test;
namespace fs = std::filesystem;

namespace {

const char* kHeader =
    "/** A view. */\n"
    "@interface QView : QResponder\n"
    "/** Draws. @param r the rectangle */\n"
    "- (void)drawRect:(QRect)r;\n"
    "- (void)lockFocus __attribute__((availability(macos,introduced=10.0,deprecated=10.14,replacement=\"drawRect:\")));\n"
    "@end\n"
    "enum {\n  QModeA, ///< the first\n  QModeB\n};\n"
    "/// A number.\n"
    "typedef long QInteger;\n";

void build(AppAction2& app) {
    PrefFile::setUpPref();
    TextBuffer header{std::string(kHeader)};
    app.doAnalyseHedderFile(header, "QView.h", "Q.framework", false);
    app.linkTree();
    ProcessState::prefData()->treeChanged = app.functionsWasChanged = app.typedefListWasChanged = true;
}

}  // namespace

TEST(QuickHelp, AnswersDocAvailabilityHeaderAndLineAndKeepsThemThroughTheStore) {
    TempHome home;
    const std::string root = home.writeData("fw/Q.framework/Headers/QView.h", kHeader);
    const std::string frameworks = fs::path(root).parent_path().parent_path().parent_path().string();
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "built" : "loaded");
        AppAction2 app;
        if (pass == 0) {
            build(app);
        } else {
            PrefFile::setUpPref();
            ASSERT_TRUE(app.initTreeFromFile());
            app.ensureNotes();
        }
        auto view = app.findClassByName("QView");
        ASSERT_TRUE(view);
        QuickHelpNotes method = QuickHelp::forClassTab(*view, "-(void)lockFocus", frameworks, {});
        EXPECT_EQ(method.title, "-[QView lockFocus]");
        EXPECT_EQ(method.line, 5);
        EXPECT_TRUE(method.deprecated);
        EXPECT_TRUE(method.docFromOwner);  // the method has no comment: its class's
        EXPECT_EQ(method.docText, "A view.");
        EXPECT_EQ(method.path, root);
        EXPECT_EQ(method.availabilityLines,
                  (std::vector<std::string>{"macOS 10.0+", "Deprecated in macOS 10.14: use drawRect:"}));
        QuickHelpNotes draw = QuickHelp::of(*view, "-(void)drawRect:(QRect)r", frameworks, {});
        EXPECT_EQ(draw.line, 4);
        EXPECT_FALSE(draw.docFromOwner);
        EXPECT_NE(draw.docText.find("Draws."), std::string::npos);
        ASSERT_EQ(app.enumList.size(), 1u);
        QuickHelpNotes constant = QuickHelp::ofConstant(*app.enumList[0], "QModeA", frameworks, {});
        EXPECT_EQ(constant.line, 8);
        EXPECT_EQ(constant.doc, "the first");
        QuickHelpNotes type = QuickHelp::ofTypedef(app, "QInteger", frameworks, {});
        EXPECT_EQ(type.line, 12);
        EXPECT_EQ(type.doc, "A number.");
        EXPECT_EQ(type.path, root);
        if (pass == 0) {
            ASSERT_TRUE(app.applicationWillTerminate().ok());
        }
    }
    ProcessState::reset();
}

TEST(QuickHelp, ATreeStoredBeforeNotesFindsItsLinesInTheHeader) {
    TempHome home;
    const std::string root = home.writeData("fw/Q.framework/Headers/QView.h", kHeader);
    const std::string frameworks = fs::path(root).parent_path().parent_path().parent_path().string();
    AppAction2 app;
    build(app);
    auto view = app.findClassByName("QView");
    view->setNotes({});
    view->setMethodNotes({});
    QuickHelpNotes help = QuickHelp::of(*view, "-(void)drawRect:(QRect)r", frameworks, {});
    EXPECT_EQ(help.line, 4);  // scanned for
    EXPECT_FALSE(help.doc);
    EXPECT_TRUE(help.availability.entries().empty());
    ProcessState::reset();
}
