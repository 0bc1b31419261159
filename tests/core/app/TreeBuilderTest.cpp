#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/app/AppAction2.h"
#include "core/app/TreeBuilder.h"
#include "core/model/AnnotationFiles.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/platform/DataFolder.h"
#include "core/platform/FrameworksRoot.h"
#include "core/platform/Host.h"
#include "core/platform/NotificationCenter.h"
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"
#include "support/RecordNames.h"
#include "support/TempHome.h"
#include "support/VersionedFrameworks.h"

using namespace kestrel;
using kestrel::test::TempHome;
using kestrel::test::VersionedFrameworks;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

// The controller, building without the define pass.
struct Controller : AppAction2 {
    Controller() { getTreeBuilder().doPass1 = nullptr; }
    // Every class in name order: "name framework/header : superclass", "*" marking custom ones.
    Names classes() const {
        Names out;
        for (const auto& c : classStraightList) {
            std::string line = c->getName().value_or("?");
            line.append(" ").append(c->frameWorkName().value_or("none"));
            line.append("/").append(c->hedderName().value_or("none"));
            if (c->superClass()) line.append(" : ").append(c->superClass()->getName().value_or("?"));
            out.push_back(c->getCustomFlag() ? line.append(" *") : line);
        }
        std::sort(out.begin(), out.end());
        return out;
    }
};

// A home whose frameworks root is HOME/<folder>, HOME/Library/Frameworks unless given.
struct Home : TempHome {
    std::string folder;
    std::string root;
    explicit Home(std::string rootFolder = "Library/Frameworks")
        : folder(std::move(rootFolder)), root((dir().path() / folder).string()) {
        PrefFile::setUpPref();
        ProcessState::frameworksRoot() = root;
        fs::create_directories(root);
    }
    void header(const std::string& relative, const std::string& text) const {
        dir().write(folder + "/" + relative, text);
    }
    void link(const std::string& target, const std::string& relative) const {
        fs::create_directory_symlink(target, dir().path() / relative);
    }
};

std::string iface(const std::string& name, const std::string& super = "NSObject") {
    return "@interface " + name + " : " + super + "\n- (id)init;\n@end\n";
}

template <class Record>
Names sortedNames(const std::vector<std::shared_ptr<Record>>& list) {
    Names names = kestrel::test::namesOf(list);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(TreeBuilder, NamesEachHeaderByItsFrameworkSkipsKernelAndArchitectureFoldersAndShowsItsSteps) {
    Home home("KernelTeam/Frameworks");  // "Kernel" in a path is no reason to skip it
    home.header("Foundation.framework/Headers/NSObject.h", "@interface NSObject\n@end\n");
    home.header("Foundation.framework/Headers/NSString.h", iface("NSString"));
    home.header("Foundation.framework/Headers/More/NSMore.h", iface("NSMore"));
    home.header("Foundation.framework/Headers/i386/NSArch.h", iface("NSArch"));
    home.header("Foundation.framework/Headers/NSNotes.txt", iface("NSNotes"));
    home.header("Foundation.framework/Headers/NSPlus.hpp", iface("NSPlus"));
    home.header("Foundation.framework/Headers/Folder.h/NSInFolder.h", iface("NSInFolder"));
    home.header("Outer.framework/Headers/Outer.h", iface("Outer"));
    home.header("Outer.framework/Frameworks/Inner.framework/Headers/Inner.h", iface("Inner", "Outer"));
    home.header("Outer.framework/Frameworks/Inner-i386.framework/Headers/Arch.h", iface("Arch"));
    home.header("Kernel.framework/Headers/Kern.h", iface("Kern"));
    home.header("Drivers.framework/Headers/MyKernelBits.h", iface("KernBits"));
    home.header("MyKernelExtras.framework/Headers/Extras.h", iface("KernExtras"));
    home.header("Loose.h", iface("Loose"));
    mkfifo((home.root + "/Foundation.framework/Headers/Fifo.h").c_str(), 0600);  // must not block
    fs::create_symlink(home.root + "/gone.h", home.root + "/Foundation.framework/Headers/Dangling.h");

    struct Recorder : Host {  // the opening window and the tree view, as calls in order
        Names events, roots;
        void setMessage(const std::string& text) override { events.push_back(text); }
        void setIndeterminate(bool flag) override { events.push_back(flag ? "indeterminate" : "determinate"); }
        void addProgressBarValue(double amount) override {
            char text[32];
            std::snprintf(text, sizeof text, "+%g", amount);
            events.push_back(text);
        }
        void viewSetUp(const std::vector<std::shared_ptr<ClassData>>& list) override {
            roots = sortedNames(list);
            events.push_back("view");
        }
    } host;
    Controller c;
    c.getTreeBuilder().doPass1 = [&] { host.events.push_back("pass1"); };
    Host::install(&host);
    c.initTreeFile();
    Host::install(nullptr);
    EXPECT_EQ(c.classes(), (Names{"Inner Outer.framework/Inner.framework/Inner.h : Outer",
                                  "KernBits Drivers.framework/MyKernelBits.h : NSObject",
                                  "KernExtras MyKernelExtras.framework/Extras.h : NSObject",
                                  "Loose ------/Loose.h : NSObject",  // outside any framework
                                  "NSInFolder Foundation.framework/NSInFolder.h : NSObject",
                                  "NSMore Foundation.framework/NSMore.h : NSObject",
                                  "NSObject Foundation.framework/NSObject.h",
                                  "NSString Foundation.framework/NSString.h : NSObject",
                                  "Outer Outer.framework/Outer.h : NSObject"}));
    EXPECT_EQ(c.getHedderCount(), 9u);
    EXPECT_EQ(c.getClassMaxId(), 1000 + 200 * 8);
    EXPECT_TRUE(fs::is_directory(home.data()));
    // The define pass shows as indeterminate; each framework is announced; the view gets the roots.
    ASSERT_GE(host.events.size(), 3u);
    EXPECT_EQ(Names(host.events.begin(), host.events.begin() + 3), (Names{"indeterminate", "pass1", "determinate"}));
    EXPECT_NE(std::find(host.events.begin(), host.events.end(), "Outer.framework/Inner.framework"), host.events.end());
    EXPECT_EQ(host.roots, Names{"NSObject"});
    // A step per header, then the same amounts at every build for the linking; the view last.
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "+0.05"), 9);
    EXPECT_EQ(Names(host.events.end() - 8, host.events.end()),
              (Names{"+5", "+5", "+5", "+5", "+5", "+5", "+5", "view"}));
    EXPECT_TRUE(ProcessState::prefData()->treeChanged);
}

TEST(TreeBuilder, PrivateHeadersAreCustomAndOutsideAnyFramework) {
    Home home;
    home.header("Foundation.framework/Headers/NSObject.h", "@interface NSObject\n@end\n");
    std::string single = home.dir().write("mine/Single.h", iface("Single"));
    home.dir().write("mine/Unlisted.h", iface("Unlisted"));
    home.dir().write("project/Include/Deep/Private.h", iface("Private"));
    home.dir().write("project/Include/Deep/Private.m", iface("NotAHeader"));
    home.dir().write("project/Tools.framework/Headers/Tool.h", iface("Tool"));
    ASSERT_TRUE(AnnotationFiles::writePrivateHedders(
        {single, home.dir().str() + "/project/", home.dir().str() + "/missing", "", single + ".txt"}));

    Controller c;
    c.initTreeFile();
    // A framework folder in the list is still a framework.
    EXPECT_EQ(c.classes(), (Names{"NSObject Foundation.framework/NSObject.h", "Private ------/Private.h : NSObject *",
                                  "Single ------/Single.h : NSObject *", "Tool Tools.framework/Tool.h : NSObject *"}));
}

TEST(TreeBuilder, LinkLoopsAndMissingFoldersEndTheirBranch) {
    Home home;
    home.header("Foundation.framework/Headers/NSObject.h", "@interface NSObject\n@end\n");
    home.header("Foundation.framework/Headers/Sub/NSSub.h", iface("NSSub"));
    home.header("Empty.framework/Resources/NSNotRead.h", iface("NSNotRead"));  // no Headers folder
    home.link("..", "Library/Frameworks/Foundation.framework/Headers/loop");
    home.link(".", "Library/Frameworks/Foundation.framework/Headers/Sub/self");
    home.link("../..", "Library/Frameworks/Foundation.framework/Headers/Sub/up");
    home.link(home.root, "Library/Frameworks/Root");
    home.link(home.root + "/Foundation.framework", "Library/Frameworks/Alias.framework");
    home.dir().write("private/A/PrivA.h", iface("PrivA"));
    home.link("..", "private/A/back");
    home.link(home.dir().str() + "/private", "private/A/again");
    ASSERT_TRUE(AnnotationFiles::writePrivateHedders({home.dir().str() + "/private"}));

    Controller c;
    c.initTreeFile();
    // Alias.framework and Foundation.framework are one folder, read once under whichever name
    // the listing gives first.
    EXPECT_EQ(sortedNames(c.classStraightList), (Names{"NSObject", "NSSub", "PrivA"}));
    EXPECT_EQ(c.getHedderCount(), 3u);
    EXPECT_EQ(c.findClassByName("PrivA")->frameWorkName(), "------");
}

// With no header read nothing is to be stored: the stored tree stays as it is, typedefs
// included; once headers are read, everything is replaced, even when no function was found.
TEST(TreeBuilder, AMissingRootChangesNoStoredTreeButABuildReplacesTheFunctionsFile) {
    Home home;
    home.writeData("functions", "<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>");
    ProcessState::frameworksRoot() = home.root + "/nowhere";
    Controller c;
    c.initTreeFile();
    EXPECT_TRUE(c.classList.empty());
    EXPECT_EQ(c.getHedderCount(), 0u);
    EXPECT_EQ(c.getClassMaxId(), 800);
    EXPECT_FALSE(ProcessState::prefData()->treeChanged || c.functionsWasChanged || c.typedefListWasChanged);

    ProcessState::frameworksRoot() = home.root;
    home.header("Foundation.framework/Headers/NSObject.h", "@interface NSObject\n@end\n");
    c.initTreeFile();
    EXPECT_TRUE(c.functions.empty());
    EXPECT_TRUE(ProcessState::prefData()->treeChanged && c.functionsWasChanged);
}

TEST(TreeBuilder, ARebuildStartsAfreshAndMarksWhatMustBeWritten) {
    Home home;
    home.header("Foundation.framework/Headers/NSObject.h",
                "@interface NSObject\n@end\n@interface NSObject (Extras)\n@end\n"
                "typedef int NSInteger;\nextern int NSCount(void);\n");
    home.header("Foundation.framework/Headers/NSString.h", iface("NSString"));
    Controller c;
    c.initTreeFile();
    ASSERT_EQ(c.classStraightList.size(), 2u);
    EXPECT_TRUE(c.functionsWasChanged);
    ASSERT_EQ(c.functions.size(), 1u);
    EXPECT_EQ(c.makeFuncList(), Names{*c.functions[0]->getName()});
    EXPECT_EQ(c.typedefList.count("NSInteger"), 1u);

    // The old tree is let go unselected and unlinked; nothing is counted twice.
    std::shared_ptr<ClassData> oldString = c.findClassByName("NSString");
    oldString->setSelectFlag(true);
    int unselected = 0;
    NotificationCenter::defaultCenter().addObserver(&unselected, "ClassDidUnselectedMessage",
                                                    [&](const Notification&) { ++unselected; });
    ProcessState::prefData()->treeChanged = c.typedefListWasChanged = false;
    c.typedefList["Stale"] = "int";
    c.initTreeFile();
    NotificationCenter::defaultCenter().removeObserver(&unselected);
    EXPECT_EQ(unselected, 1);
    EXPECT_FALSE(oldString->getSelectFlag());
    EXPECT_EQ(oldString->superClass(), nullptr);
    EXPECT_EQ(c.classStraightList.size(), 2u);
    EXPECT_EQ(c.categoryList.size(), 1u);
    EXPECT_EQ(c.functions.size(), 1u);
    EXPECT_EQ(c.typedefList.count("Stale"), 0u);
    EXPECT_EQ(c.getHedderCount(), 2u);
    EXPECT_TRUE(ProcessState::prefData()->treeChanged && c.typedefListWasChanged);
    EXPECT_EQ(c.findClassByName("NSObject")->getCategoryList().size(), 1u);
}

TEST(TreeBuilder, LinksAndLinkFilesGiveEachHeaderOnceUnderItsRealFramework) {
    // Umbrella.framework/Frameworks/Core.framework links to the top-level Core.framework; the
    // folders are made in both orders, which the listing mostly follows.
    for (bool linkFiles : {true, false}) {
        for (bool umbrellaFirst : {true, false}) {
            SCOPED_TRACE(std::string(linkFiles ? "link files" : "links") + (umbrellaFirst ? ", umbrella first" : ""));
            Home home;
            VersionedFrameworks sdk{home.dir(), home.folder, linkFiles};
            auto core = [&] { sdk.framework("Core.framework", {{"Core.h", "@interface NSObject\n@end\n" + iface("Core")}}); };
            auto umbrella = [&] {
                // Looks.h holds one line that looks like a path and leads nowhere: a header.
                sdk.framework("Umbrella.framework", {{"Umbrella.h", iface("Umbrella")}, {"Looks.h", "#import <Core/Core.h>"}},
                              true);
                sdk.framework("Umbrella.framework/Versions/A/Frameworks/Sub.framework", {{"Sub.h", iface("Sub", "Umbrella")}});
                sdk.link("Umbrella.framework/Versions/A/Frameworks/Core.framework", "../../../../Core.framework");
            };
            if (umbrellaFirst) {
                umbrella();
                core();
            } else {
                core();
                umbrella();
            }
            sdk.link("Loop.framework/Headers", "Headers");
            sdk.link("Gone.framework/Headers", "Versions/Current/Headers");
            Controller c;
            c.initTreeFile();
            EXPECT_EQ(c.classes(), (Names{"Core Core.framework/Core.h : NSObject", "NSObject Core.framework/Core.h",
                                          "Sub Umbrella.framework/Sub.framework/Sub.h : Umbrella",
                                          "Umbrella Umbrella.framework/Umbrella.h : NSObject"}));
            EXPECT_EQ(c.getHedderCount(), 4u);
        }
    }
}

// A header that the walk found and that cannot be read when its turn comes is not counted as
// read; its path is kept for the report.
TEST(TreeBuilder, UnreadableHeadersAreKeptApartFromTheHeadersRead) {
    Home home;
    home.header("Foundation.framework/Headers/NSObject.h", "@interface NSObject\n@end\n");
    // /proc/self/mem is a regular file whose first bytes cannot be read.
    fs::create_symlink("/proc/self/mem", home.root + "/Foundation.framework/Headers/Mem.h");
    for (unsigned threads : {1u, 3u}) {
        Controller c;
        c.getTreeBuilder().setAnalysisThreads(threads);
        c.initTreeFile();
        EXPECT_EQ(c.getHedderCount(), 1u);
        EXPECT_EQ(c.getTreeBuilder().getUnreadableHedders(),
                  Names{home.root + "/Foundation.framework/Headers/Mem.h"});
        EXPECT_EQ(sortedNames(c.classStraightList), Names{"NSObject"});
    }
}

namespace {

// The stored files of a build of root, with threads analysing, in a home of their own.
std::map<std::string, std::string> storedBuild(const std::string& root, unsigned threads) {
    TempHome home;
    PrefFile::setUpPref();
    ProcessState::frameworksRoot() = root.empty() ? FrameworksRoot::resolve(std::nullopt, DataFolder::getMainFolderPath()) : root;
    AppAction2 app;
    app.getTreeBuilder().setAnalysisThreads(threads);
    app.initTreeFile();
    app.applicationWillTerminate();
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(home.data()))
        if (entry.is_regular_file()) files[entry.path().filename().string()] = *TempHome::contents(entry.path().string());
    return files;
}

}  // namespace

// The analysis on several threads files every record where one thread would: the stored files
// are the same, byte for byte, on real headers.
TEST(TreeBuilder, ParallelAndSerialBuildsStoreTheSameBytes) {
    const std::string sdk = std::string(KESTREL_SHARED_DIR) + "/data/macos14.2/MacOSX14.2.sdk/System/Library/Frameworks";
    std::vector<std::string> roots;
    if (fs::is_directory(FrameworksRoot::kGNUstepHeaders)) roots.push_back("");  // GNUstep's link folder
    if (fs::is_directory(sdk)) roots.push_back(sdk);
    if (roots.empty()) GTEST_SKIP() << "neither GNUstep's headers nor the macOS SDK at " << sdk;
    for (const std::string& root : roots) {
        SCOPED_TRACE(root.empty() ? "GNUstep" : root);
        const auto serial = storedBuild(root, 1);
        const auto parallel = storedBuild(root, 4);
        ASSERT_GE(serial.size(), 5u);
        ASSERT_EQ(serial.size(), parallel.size());
        for (const auto& [name, bytes] : serial) {
            ASSERT_TRUE(parallel.count(name)) << name;
            EXPECT_TRUE(bytes == parallel.at(name)) << name << " differs";
        }
    }
}
