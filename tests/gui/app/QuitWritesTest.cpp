// The desktop program's quit: nothing stored is lost without a word. A write that fails is
// offered again (after making room) or given up; a tree another Kestrel stored meanwhile is
// replaced only when the user says so.
#include <QMessageBox>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>

#include "core/platform/PlistFile.h"
#include "support/FileSizeLimit.h"
#include "support/RunKestrel.h"
#include "support/ShellFixture.h"

using namespace kestrel;
using kestrel::test::ShellFixture;
namespace fs = std::filesystem;

namespace {

class QuitWritesTest : public ShellFixture {
protected:
    // Answers the message boxes that come, in turn, each with what its step returns (after
    // whatever else the step does); one beyond them is answered Discard, which ends.
    void answerBoxes(std::deque<std::function<int()>> steps) {
        pending = std::move(steps);
        asked.clear();
        boxes.setInterval(5);
        boxes.callOnTimeout([this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            asked.push_back(box->text() + QLatin1Char('\n') + box->informativeText());
            int code = QMessageBox::Discard;
            if (!pending.empty()) {
                code = pending.front()();
                pending.pop_front();
            }
            box->done(code);
        });
        boxes.start();
    }
    // Whether the stored class file holds name as selected.
    bool storedSelected(const std::string& name) {
        const std::optional<PlistArray> classes = PlistFile::readArray(home.dataFile("classData"));
        for (const PlistValue& element : classes.value_or(PlistArray{}))
            if (const PlistDict* dic = element.getDict(); dic && dic->getString("name") && *dic->getString("name") == name)
                return dic->boolValue("selectFlag").value_or(false);
        return false;
    }
    // A `kestrel build` beside the window, in a process of its own.
    void buildInATerminal() {
        const test::KestrelRun run = test::runKestrel(
            home.dir().str(), {"build", "--frameworks-root", std::string(KESTREL_TEST_DATA_DIR) + "/gui_tree/Frameworks"});
        ASSERT_EQ(run.status, 0) << run.err;
    }

    QTimer boxes;
    std::deque<std::function<int()>> pending;
    QStringList asked;
};

}  // namespace

TEST_F(QuitWritesTest, AFailedWriteIsOfferedAgainOrGivenUp) {
    launch();
    quit();
    launch();
    click(inBox("KitLabel"));
    std::optional<test::FileSizeLimit> full;
    full.emplace();
    answerBoxes({[] { return int(QMessageBox::Retry); },  // still full: asked again
                 [&] {
                     full.reset();  // room made
                     return int(QMessageBox::Retry);
                 }});
    quit();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_TRUE(asked[0].contains("could not all be saved")) << asked[0].toStdString();
    EXPECT_TRUE(asked[0].contains("larger than this system allows")) << asked[0].toStdString();
    EXPECT_TRUE(storedSelected("KitLabel"));

    launch();
    click(inBox("KitButton"));
    full.emplace();
    answerBoxes({[] { return int(QMessageBox::Discard); }});  // Quit Anyway
    quit();
    full.reset();
    EXPECT_EQ(asked.size(), 1);
    EXPECT_FALSE(storedSelected("KitButton"));
    EXPECT_TRUE(storedSelected("KitLabel"));  // the tree before, whole
}

TEST_F(QuitWritesTest, ATreeStoredMeanwhileIsReplacedOnlyWhenTheUserSaysSo) {
    launch();
    quit();
    launch();
    click(inBox("KitLabel"));
    buildInATerminal();
    answerBoxes({[] { return int(QMessageBox::No); }});  // keep the newer tree
    quit();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains("Another Kestrel stored a class tree")) << asked[0].toStdString();
    EXPECT_FALSE(storedSelected("KitLabel"));

    launch();
    click(inBox("KitLabel"));
    buildInATerminal();
    answerBoxes({[] { return int(QMessageBox::Yes); }});  // replace it
    quit();
    EXPECT_EQ(asked.size(), 1);
    EXPECT_TRUE(storedSelected("KitLabel"));

    launch();  // no one stored meanwhile: nothing is asked
    click(inBox("KitButton"));
    answerBoxes({});
    quit();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(storedSelected("KitButton"));
}
