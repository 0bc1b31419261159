// The stored tree as one set: whatever happens during a store -- a kill at any step, a full
// disk, another process storing meanwhile -- what lies on disk and what the next start loads is
// one build's, all old or all new.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/app/AppAction2.h"
#include "core/app/TreeFileStore.h"
#include "core/app/TreeSetFolder.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"
#include "support/FileSizeLimit.h"
#include "support/Plists.h"
#include "support/TempHome.h"

using namespace kestrel;
using namespace kestrel::test;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kSeven{"classData", "protocolData", "categoryData", "structData",
                                      "enumData",  "functions",    "typedefs",     "typedefNotes"};

// A tree whose every record, in every one of the seven files, carries the build's tag.
void makeTree(AppAction2& app, const std::string& tag) {
    std::string text =
        "@protocol T_Proto\n- (void)T_proto;\n@end\n@interface T_Object <T_Proto>\n- (void)T_method;\n@end\n"
        "@interface T_Object (T_Category)\n- (void)T_extra;\n@end\n"
        "typedef struct _T_Struct { int T_x; } T_Struct;\ntypedef enum { T_One = 1 } T_Enum;\n"
        "typedef int T_Int;\nextern void T_Function(int T_arg);\n";
    for (std::size_t at; (at = text.find("T_")) != std::string::npos;) text.replace(at, 1, tag);
    if (!ProcessState::prefData()) PrefFile::setUpPref();
    TextBuffer header(text);
    app.doAnalyseHedderFile(header, tag + ".h", tag + ".framework", false);
    app.linkTree();
    ProcessState::prefData()->treeChanged = app.functionsWasChanged = app.typedefListWasChanged = true;
}

// The tags found in the seven files at folder, read as tools read them: "?" for a file that is
// missing or holds neither tag.
std::set<std::string> tagsOnDisk(const std::string& folder) {
    std::set<std::string> tags;
    for (const std::string& name : kSeven) {
        const std::string bytes = TempHome::contents(folder + "/" + name).value_or("");
        const bool old = bytes.find("Old_") != std::string::npos, fresh = bytes.find("New_") != std::string::npos;
        tags.insert(old && !fresh ? "Old" : fresh && !old ? "New" : "?");
    }
    return tags;
}

// The tags of everything a start loads; "?" when a list is empty.
std::set<std::string> tagsLoaded() {
    ProcessState::reset();
    PrefFile::setUpPref();
    AppAction2 app;
    std::set<std::string> tags;
    if (!TreeFileStore::treeFilesExist() || !app.initTreeFromFile()) return {"not loaded"};
    auto note = [&](const std::optional<std::string>& name) {
        const bool old = name && name->find("Old_") != std::string::npos;
        const bool fresh = name && name->find("New_") != std::string::npos;
        tags.insert(old && !fresh ? "Old" : fresh && !old ? "New" : "?");
    };
    auto each = [&](const auto& list) {
        if (list.empty()) tags.insert("?");
        for (const auto& record : list) note(record->getName());
    };
    each(app.classStraightList);
    each(app.protocolList);
    each(app.categoryList);
    each(app.structList);
    each(app.enumList);
    each(app.functions);
    if (app.typedefList.empty()) tags.insert("?");
    for (const auto& [name, type] : app.typedefList) note(name);
    return tags;
}

// Leaves the old tree stored: as a set, or as the seven plain files of an older version.
void storeOld(const TempHome& home, bool olderLayout) {
    {
        AppAction2 app;
        makeTree(app, "Old");
        ASSERT_TRUE(app.applicationWillTerminate().ok());
    }
    if (!olderLayout) return;
    for (const std::string& name : kSeven) {
        const std::string bytes = *TempHome::contents(home.dataFile(name));
        fs::remove(home.dataFile(name));
        home.writeData(name, bytes);
    }
    fs::remove(home.dataFile("currentTree"));
    fs::remove_all(home.dataFile("trees"));
}

// The entries of trees/ but the sets put aside for removal.
std::size_t setsIn(const TempHome& home) {
    std::size_t sets = 0;
    for (const auto& entry : fs::directory_iterator(home.dataFile("trees")))
        sets += !entry.path().filename().string().starts_with(".replaced.");
    return sets;
}

// The kill tests store a hundred sets: where a memory file system is at hand they keep their
// homes there, so that the time goes to the stores and not to the disk's syncs.
class HomesInMemory {
public:
    HomesInMemory() {
        if (const char* old = std::getenv("TMPDIR")) old_ = old;
        std::error_code ec;
        if (fs::is_directory("/dev/shm", ec)) setenv("TMPDIR", "/dev/shm", 1);
    }
    ~HomesInMemory() {
        if (old_) setenv("TMPDIR", old_->c_str(), 1);
        else unsetenv("TMPDIR");
    }

private:
    std::optional<std::string> old_;
};

// Stores the new tree in a child process that is killed right after the given step (never,
// for ""); answers the steps it went through when not killed.
std::vector<std::string> storeNewKilledAfter(const std::string& killStep) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        AppAction2 app;
        makeTree(app, "New");
        app.getTreeFileStore().onStoreStep = [&](const std::string& step) {
            if (step == killStep) ::kill(::getpid(), SIGKILL);
            const std::string line = step + "\n";
            if (::write(pipeEnds[1], line.data(), line.size()) < 0) _exit(3);
        };
        _exit(app.applicationWillTerminate().ok() ? 0 : 2);
    }
    ::close(pipeEnds[1]);
    std::string said;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) said.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    std::vector<std::string> steps;
    for (std::size_t start = 0, end; (end = said.find('\n', start)) != std::string::npos; start = end + 1)
        steps.push_back(said.substr(start, end - start));
    return steps;
}

}  // namespace

TEST(TreeSet, AKillAfterAnyStepOfAStoreLeavesOneBuildOnDiskAndToLoad) {
    HomesInMemory memory;
    for (const bool olderLayout : {false, true}) {
        std::vector<std::string> steps;
        {
            TempHome home;
            storeOld(home, olderLayout);
            steps = storeNewKilledAfter("");
            EXPECT_EQ(tagsLoaded(), std::set<std::string>{"New"});
        }
        // Seven files, the set, the switch, seven links and the clean-up -- and for an older
        // layout, the move of its files into a set of their own before all that.
        ASSERT_GE(steps.size(), 17u);
        EXPECT_EQ(steps.front(), olderLayout ? "old file classData" : "file classData");
        EXPECT_EQ(steps.back(), "clean");
        for (std::size_t killed = 0; killed < steps.size(); ++killed) {
            TempHome home;
            storeOld(home, olderLayout);
            storeNewKilledAfter(steps[killed]);
            const std::set<std::string> loaded = tagsLoaded();
            EXPECT_TRUE(loaded == std::set<std::string>{"Old"} || loaded == std::set<std::string>{"New"})
                << "killed after step " << killed << " (" << steps[killed] << "), older layout " << olderLayout;
            const std::set<std::string> onDisk = tagsOnDisk(home.data());
            EXPECT_TRUE(onDisk == std::set<std::string>{"Old"} || onDisk == std::set<std::string>{"New"})
                << "killed after step " << killed << " (" << steps[killed] << "), older layout " << olderLayout;
            // The next store cleans up what the killed one left, and stands on its own.
            AppAction2 next;
            makeTree(next, "New");
            EXPECT_TRUE(next.applicationWillTerminate().ok());
            EXPECT_EQ(tagsOnDisk(home.data()), std::set<std::string>{"New"});
            // Whatever else lay in trees/ is gone or put aside, and goes with the next removal.
            EXPECT_EQ(setsIn(home), 1u);
            TreeSetFolder(home.data()).removeReplacedSets();
            EXPECT_EQ(std::distance(fs::directory_iterator(home.dataFile("trees")), {}), 1);
        }
    }
}

TEST(TreeSet, AKillAtRandomInstantsOfStoresLeavesOneBuild) {
    HomesInMemory memory;
    TempHome home;
    storeOld(home, false);
    std::mt19937 random(11);
    for (int round = 0; round < 50; ++round) {
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            AppAction2 old, fresh;
            makeTree(old, "Old");
            makeTree(fresh, "New");
            for (int n = 0;; ++n) {
                AppAction2& app = n % 2 ? old : fresh;
                ProcessState::prefData()->treeChanged = app.functionsWasChanged = app.typedefListWasChanged = true;
                app.applicationWillTerminate();
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(500, 40000)(random)));
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);
        const std::set<std::string> loaded = tagsLoaded();
        EXPECT_TRUE(loaded == std::set<std::string>{"Old"} || loaded == std::set<std::string>{"New"}) << "round " << round;
        const std::set<std::string> onDisk = tagsOnDisk(home.data());
        EXPECT_TRUE(onDisk == std::set<std::string>{"Old"} || onDisk == std::set<std::string>{"New"}) << "round " << round;
    }
}

TEST(TreeSet, TheSetAStoreReplacesIsPutAsideAndRemovedWhileTheNextBuildRuns) {
    TempHome home;
    storeOld(home, false);
    {
        AppAction2 app;
        makeTree(app, "New");
        ASSERT_TRUE(app.applicationWillTerminate().ok());
    }
    EXPECT_EQ(tagsLoaded(), std::set<std::string>{"New"});
    EXPECT_EQ(setsIn(home), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(home.dataFile("trees")), {}), 2);  // the old one aside
    {
        AppAction2 app;
        app.getTreeFileStore().buildWillStart();
    }  // the removal it began is waited for at the end
    EXPECT_EQ(std::distance(fs::directory_iterator(home.dataFile("trees")), {}), 1);
    EXPECT_EQ(tagsLoaded(), std::set<std::string>{"New"});
    // A store with no build between puts the set aside too, and never leaves more than one aside.
    for (const char* tag : {"Old", "New", "Old"}) {
        AppAction2 app;
        makeTree(app, tag);
        ASSERT_TRUE(app.applicationWillTerminate().ok());
        EXPECT_EQ(std::distance(fs::directory_iterator(home.dataFile("trees")), {}), 2) << tag;
    }
    EXPECT_EQ(tagsOnDisk(home.data()), std::set<std::string>{"Old"});
}

TEST(TreeSet, AFailedStoreIsReportedLeavesThePreviousSetWholeAndCanBeTriedAgain) {
    TempHome home;
    storeOld(home, false);
    AppAction2 app;
    makeTree(app, "New");
    {
        FileSizeLimit full;  // the disk fills up during the store
        const TreeFileStore::StoreReport report = app.applicationWillTerminate();
        ASSERT_EQ(report.problems.size(), 1u);
        EXPECT_NE(report.problems[0].find("could not be stored"), std::string::npos) << report.problems[0];
        EXPECT_NE(report.problems[0].find("larger than this system allows"), std::string::npos) << report.problems[0];
    }
    EXPECT_EQ(tagsOnDisk(home.data()), std::set<std::string>{"Old"});
    EXPECT_EQ(std::distance(fs::directory_iterator(home.dataFile("trees")), {}), 1);  // nothing half-made left
    EXPECT_TRUE(ProcessState::prefData()->treeChanged && app.functionsWasChanged && app.typedefListWasChanged);
    EXPECT_TRUE(app.applicationWillTerminate().ok());  // with room again, the same tree goes in
    EXPECT_EQ(tagsLoaded(), std::set<std::string>{"New"});
}

TEST(TreeSet, ASetStoredByAnotherProcessSinceIsKeptOrReplacedAsTold) {
    TempHome home;
    storeOld(home, false);
    AppAction2 window;  // loads the old tree, as a window does at its start
    ASSERT_FALSE(window.startUp());
    {
        AppAction2 build;  // a build beside it stores a new one
        makeTree(build, "New");
        ASSERT_TRUE(build.applicationWillTerminate().ok());
    }
    window.findClassByName("Old_Object")->setSelectFlag(true);
    ProcessState::prefData()->treeChanged = true;
    TreeFileStore::StoreReport kept = window.applicationWillTerminate(TreeFileStore::OnNewer::Keep);
    EXPECT_TRUE(kept.newerTreeKept && kept.ok());
    EXPECT_EQ(tagsOnDisk(home.data()), std::set<std::string>{"New"});

    // Told to, it replaces the newer one -- whole, its unchanged files included -- and says so.
    TreeFileStore::StoreReport replaced = window.applicationWillTerminate(TreeFileStore::OnNewer::Replace);
    EXPECT_FALSE(replaced.newerTreeKept);
    ASSERT_EQ(replaced.notes.size(), 1u);
    EXPECT_NE(replaced.notes[0].find("replaces it"), std::string::npos);
    EXPECT_EQ(tagsOnDisk(home.data()), std::set<std::string>{"Old"});
    EXPECT_EQ(tagsLoaded(), std::set<std::string>{"Old"});
}

TEST(TreeSet, AnOlderFolderLoadsAndMovesIntoASetAtTheFirstWriteReplacingLinksNotTheirTargets) {
    TempHome home;
    storeOld(home, true);
    // The user keeps the class file elsewhere and linked it here; a store must not write there.
    const std::string own = home.dir().write("mine/classData", *TempHome::contents(home.dataFile("classData")));
    fs::remove(home.dataFile("classData"));
    fs::create_symlink(own, home.dataFile("classData"));
    EXPECT_EQ(tagsLoaded(), std::set<std::string>{"Old"});

    AppAction2 app;
    ASSERT_FALSE(app.startUp());
    EXPECT_TRUE(app.getStartUpNote().empty()) << app.getStartUpNote();
    app.findClassByName("Old_Object")->setSelectFlag(true);
    ProcessState::prefData()->treeChanged = true;
    ASSERT_TRUE(app.applicationWillTerminate().ok());
    EXPECT_EQ(fs::read_symlink(home.dataFile("classData")), "currentTree/classData");
    EXPECT_EQ(tagsOnDisk(home.data()), std::set<std::string>{"Old"});
    EXPECT_EQ(TempHome::contents(own), TempHome::contents(home.dir().str() + "/mine/classData"));
    EXPECT_EQ(PlistFile::readArray(own)->size(), 2u);  // still the user's copy: no selection stored in it

    // A link to something that cannot be read at all: the tree is built again, and the link
    // gives way to the stored set's; its target stays as it was.
    const std::string precious = home.dir().write("mine/notes.txt", "my own notes");
    const std::string classes = *TempHome::contents(home.dataFile("classData"));
    const std::string categories = *TempHome::contents(home.dataFile("categoryData"));
    for (const std::string& name : kSeven) fs::remove(home.dataFile(name));
    fs::remove(home.dataFile("currentTree"));  // as an older version left it
    home.writeData("classData", classes);
    home.writeData("categoryData", categories);
    fs::create_symlink(precious, home.dataFile("protocolData"));
    home.dir().write("fw/Kit.framework/Headers/Kit.h", "@interface Old_Kit\n@end\n");
    ProcessState::frameworksRoot() = home.dir().str() + "/fw";
    AppAction2 rebuilt;
    rebuilt.getTreeBuilder().doPass1 = nullptr;
    EXPECT_TRUE(rebuilt.startUp());
    EXPECT_NE(rebuilt.getStartUpNote().find("protocolData: not a property list"), std::string::npos)
        << rebuilt.getStartUpNote();
    ASSERT_TRUE(rebuilt.applicationWillTerminate().ok());
    EXPECT_EQ(TempHome::contents(precious), "my own notes");
    EXPECT_TRUE(fs::is_symlink(home.dataFile("protocolData")));
    EXPECT_EQ(PlistFile::readArray(home.dataFile("classData"))->size(), 2u);  // the build's Old_Kit
}

TEST(TreeSet, AnEmptyBuildChangesNoStoredFile) {
    TempHome home;
    storeOld(home, false);
    const fs::path set = fs::canonical(home.dataFile("currentTree"));
    ProcessState::frameworksRoot() = home.dir().str() + "/typo";
    AppAction2 app;
    app.getTreeBuilder().doPass1 = nullptr;
    app.initTreeFile();
    EXPECT_EQ(app.getHedderCount(), 0u);
    EXPECT_TRUE(app.applicationWillTerminate().ok());
    EXPECT_EQ(fs::canonical(home.dataFile("currentTree")), set);
    EXPECT_EQ(tagsLoaded(), std::set<std::string>{"Old"});
}
