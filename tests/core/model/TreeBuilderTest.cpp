#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/model/AnnotationFiles.h"
#include "core/model/AppAction2.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/TreeBuilder.h"
#include "core/model/TreeLinker.h"
#include "core/platform/FrameworksRoot.h"
#include "core/platform/Host.h"
#include "core/platform/NotificationCenter.h"
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"
#include "support/TempHome.h"

using namespace kestrel;
using kestrel::test::TempHome;
namespace fs = std::filesystem;

namespace {

// A controller with its linker and builder, as the program holds them, building from a
// frameworks root inside the temporary home.
struct Controller {
    AppAction2 app;
    TreeLinker linker{app.classList, app.classStraightList, app.protocolList,
                      app.categoryList, app.structList, app.enumList};
    TreeBuilder builder{app, linker};
    ~Controller() { linker.unlinkAll(); }

    std::shared_ptr<ClassData> cls(const std::string& name) { return linker.findClassByName(name); }
    std::string superOf(const std::string& name) {
        auto record = cls(name);
        auto* super = record ? record->superClass() : nullptr;
        return super ? super->getName().value_or("?") : "none";
    }
};

struct Home : TempHome {
    std::string root = (dir().path() / "Library/Frameworks").string();
    Home() {
        PrefFile::setUpPref();
        ProcessState::frameworksRoot() = root;
        fs::create_directories(root);
    }
    std::string header(const std::string& relative, const std::string& text) const {
        return dir().write("Library/Frameworks/" + relative, text);
    }
    std::string file(const std::string& relative, const std::string& text) const {
        return dir().write(relative, text);
    }
    void link(const std::string& target, const std::string& relative) const {
        fs::create_directory_symlink(target, dir().path() / relative);
    }
};

std::string iface(const std::string& name, const std::string& super = "NSObject") {
    return "@interface " + name + " : " + super + "\n- (id)init;\n@end\n";
}

std::vector<std::string> names(const TreeLinker::ClassList& list) {
    std::vector<std::string> out;
    for (const auto& record : list) out.push_back(record->getName().value_or("?"));
    std::sort(out.begin(), out.end());
    return out;
}

// The opening window and the tree view, as calls in order.
struct Recorder : Host {
    std::vector<std::string> events;
    std::vector<double> added;
    std::vector<std::string> roots;
    void setMessage(const std::string& text) override { events.push_back("message " + text); }
    void setStatusMessage(const std::string& text) override { events.push_back("status " + text); }
    void addProgressBarValue(double amount) override { added.push_back(amount); }
    void setIndeterminate(bool flag) override { events.push_back(flag ? "indeterminate" : "determinate"); }
    void viewSetUp(const std::vector<std::shared_ptr<ClassData>>& list) override { roots = names(list); }
};

struct Installed {
    explicit Installed(Host* host) { Host::install(host); }
    ~Installed() { Host::install(nullptr); }
};

}  // namespace

TEST(TreeBuilder, NamesEachHeaderByItsFrameworkAndSkipsKernelAndArchitectureFolders) {
    Home home;
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
    home.header("Loose.h", iface("Loose"));
    mkfifo((home.root + "/Foundation.framework/Headers/Fifo.h").c_str(), 0600);  // must not block
    fs::create_symlink(home.root + "/gone.h", home.root + "/Foundation.framework/Headers/Dangling.h");

    Controller c;
    c.builder.initTreeFile();

    EXPECT_EQ(names(c.app.classStraightList),
              (std::vector<std::string>{"Inner", "Loose", "NSInFolder", "NSMore", "NSObject", "NSString", "Outer"}));
    EXPECT_EQ(c.builder.getHedderCount(), 7u);
    EXPECT_EQ(c.cls("NSString")->frameWorkName(), "Foundation.framework");
    EXPECT_EQ(c.cls("NSString")->hedderName(), "NSString.h");
    EXPECT_EQ(c.cls("NSMore")->frameWorkName(), "Foundation.framework");
    EXPECT_EQ(c.cls("Inner")->frameWorkName(), "Outer.framework/Inner.framework");
    EXPECT_EQ(c.cls("Loose")->frameWorkName(), "------");  // outside any framework
    EXPECT_FALSE(c.cls("NSString")->getCustomFlag());
    EXPECT_FALSE(c.cls("Loose")->getCustomFlag());
    // Linked and numbered.
    EXPECT_EQ(c.superOf("NSString"), "NSObject");
    EXPECT_EQ(c.superOf("Inner"), "Outer");
    EXPECT_EQ(names(c.app.classList), (std::vector<std::string>{"NSObject"}));
    EXPECT_EQ(c.linker.getClassMaxId(), 1000 + 200 * 6);
    EXPECT_TRUE(fs::is_directory(home.data()));
}

TEST(TreeBuilder, PrivateHeadersAreCustomAndOutsideAnyFramework) {
    Home home;
    home.header("Foundation.framework/Headers/NSObject.h", "@interface NSObject\n@end\n");
    std::string single = home.file("mine/Single.h", iface("Single"));
    home.file("mine/Unlisted.h", iface("Unlisted"));
    home.file("project/Include/Deep/Private.h", iface("Private"));
    home.file("project/Include/Deep/Private.m", iface("NotAHeader"));
    home.file("project/Tools.framework/Headers/Tool.h", iface("Tool"));
    ASSERT_TRUE(AnnotationFiles::writePrivateHedders(
        {single, home.dir().str() + "/project/", home.dir().str() + "/missing", "", single + ".txt"}));

    Controller c;
    c.builder.initTreeFile();

    EXPECT_EQ(names(c.app.classStraightList),
              (std::vector<std::string>{"NSObject", "Private", "Single", "Tool"}));
    for (const char* name : {"Single", "Private"}) {
        EXPECT_EQ(c.cls(name)->frameWorkName(), "------") << name;
        EXPECT_TRUE(c.cls(name)->getCustomFlag()) << name;
    }
    // A framework folder in the list is still a framework, its classes custom.
    EXPECT_EQ(c.cls("Tool")->frameWorkName(), "Tools.framework");
    EXPECT_TRUE(c.cls("Tool")->getCustomFlag());
    EXPECT_FALSE(c.cls("NSObject")->getCustomFlag());
    EXPECT_EQ(c.superOf("Private"), "NSObject");
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
    home.file("private/A/PrivA.h", iface("PrivA"));
    home.link("..", "private/A/back");
    home.link(home.dir().str() + "/private", "private/A/again");
    ASSERT_TRUE(AnnotationFiles::writePrivateHedders({home.dir().str() + "/private"}));

    Controller c;
    c.builder.initTreeFile();

    EXPECT_EQ(names(c.app.classStraightList), (std::vector<std::string>{"NSObject", "NSSub", "PrivA"}));
    EXPECT_EQ(c.builder.getHedderCount(), 3u);
    EXPECT_EQ(c.cls("PrivA")->frameWorkName(), "------");
}

// With no header read the stored tree files stay as they are, and so does the functions file;
// once headers are read, it is replaced with the rest, even when no function was found.
TEST(TreeBuilder, AMissingRootChangesNoStoredTreeButABuildReplacesTheFunctionsFile) {
    Home home;
    home.writeData("functions", "<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>");
    ProcessState::frameworksRoot() = home.root + "/nowhere";
    Controller c;
    c.builder.initTreeFile();
    EXPECT_TRUE(c.app.classList.empty());
    EXPECT_EQ(c.builder.getHedderCount(), 0u);
    EXPECT_EQ(c.linker.getClassMaxId(), 800);
    EXPECT_FALSE(ProcessState::prefData()->treeChanged);
    EXPECT_FALSE(c.app.functionsWasChanged);
    EXPECT_TRUE(c.app.typedefListWasChanged);

    ProcessState::frameworksRoot() = home.root;
    home.header("Foundation.framework/Headers/NSObject.h", "@interface NSObject\n@end\n");
    c.builder.initTreeFile();
    EXPECT_TRUE(c.app.functions.empty());
    EXPECT_TRUE(ProcessState::prefData()->treeChanged);
    EXPECT_TRUE(c.app.functionsWasChanged);
}

TEST(TreeBuilder, ReportsProgressAroundTheDefinePassAndHandsTheRootsToTheView) {
    Home home;
    home.header("AppKit.framework/Headers/NSView.h", iface("NSView", "NSResponder"));
    home.header("AppKit.framework/Headers/NSResponder.h", iface("NSResponder"));
    home.header("Outer.framework/Frameworks/Inner.framework/Headers/Inner.h", iface("Inner"));
    Recorder host;
    Installed installed(&host);
    Controller c;
    c.builder.doPass1 = [&] { host.events.push_back("pass1"); };
    c.builder.initTreeFile();

    ASSERT_GE(host.events.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(host.events.begin(), host.events.begin() + 3),
              (std::vector<std::string>{"indeterminate", "pass1", "determinate"}));
    auto at = [&](const std::string& event) {
        return std::find(host.events.begin(), host.events.end(), event) - host.events.begin();
    };
    long end = static_cast<long>(host.events.size());
    EXPECT_LT(at("message AppKit.framework"), std::min(at("status NSView.h"), at("status NSResponder.h")));
    EXPECT_LT(at("message Outer.framework"), at("message Outer.framework/Inner.framework"));
    EXPECT_LT(at("message Outer.framework/Inner.framework"), at("status Inner.h"));
    EXPECT_LT(std::max(at("status Inner.h"), at("status NSResponder.h")), end);

    std::vector<double> expected(3, 0.05);
    expected.insert(expected.end(), 7, 5.0);
    EXPECT_EQ(host.added, expected);
    EXPECT_EQ(host.roots, (std::vector<std::string>{"Inner", "NSResponder"}));
    EXPECT_TRUE(ProcessState::prefData()->treeChanged);
}

TEST(TreeBuilder, ARebuildStartsAfreshAndMarksWhatMustBeWritten) {
    Home home;
    home.header("Foundation.framework/Headers/NSObject.h",
                "@interface NSObject\n@end\n@interface NSObject (Extras)\n@end\n"
                "typedef int NSInteger;\nextern int NSCount(void);\n");
    home.header("Foundation.framework/Headers/NSString.h", iface("NSString"));
    Controller c;
    c.builder.initTreeFile();
    ASSERT_EQ(c.app.classStraightList.size(), 2u);
    EXPECT_TRUE(c.app.functionsWasChanged);
    ASSERT_EQ(c.app.functions.size(), 1u);
    EXPECT_EQ(c.builder.makeFuncList(), std::vector<std::string>{*c.app.functions[0]->getName()});
    EXPECT_EQ(c.app.typedefList.count("NSInteger"), 1u);

    // The old tree is let go unselected and unlinked; nothing is counted twice.
    std::shared_ptr<ClassData> oldString = c.cls("NSString");
    oldString->setSelectFlag(true);
    int unselected = 0;
    NotificationCenter::defaultCenter().addObserver(&unselected, "ClassDidUnselectedMessage",
                                                    [&](const Notification&) { ++unselected; });
    ProcessState::prefData()->treeChanged = false;
    c.app.typedefListWasChanged = false;
    c.app.typedefList["Stale"] = "int";
    c.builder.initTreeFile();
    NotificationCenter::defaultCenter().removeObserver(&unselected);

    EXPECT_EQ(unselected, 1);
    EXPECT_FALSE(oldString->getSelectFlag());
    EXPECT_EQ(oldString->superClass(), nullptr);
    EXPECT_EQ(c.app.classStraightList.size(), 2u);
    EXPECT_EQ(c.app.categoryList.size(), 1u);
    EXPECT_EQ(c.app.functions.size(), 1u);
    EXPECT_EQ(c.app.typedefList.count("Stale"), 0u);
    EXPECT_EQ(c.builder.getHedderCount(), 2u);
    EXPECT_TRUE(ProcessState::prefData()->treeChanged);
    EXPECT_TRUE(c.app.typedefListWasChanged);
    EXPECT_EQ(c.cls("NSObject")->getCategoryList().size(), 1u);
}

// The real GNUstep headers, through the folder of framework links the program makes.
TEST(TreeBuilder, BuildsTheGNUstepTree) {
    if (!fs::is_directory(FrameworksRoot::kGNUstepHeaders)) {
        GTEST_SKIP() << "GNUstep's headers are not installed at " << FrameworksRoot::kGNUstepHeaders;
    }
    Home home;
    std::string linkRoot = home.dir().str() + "/Links";
    ASSERT_TRUE(FrameworksRoot::makeLinkFolder(FrameworksRoot::kGNUstepHeaders, linkRoot));
    ProcessState::frameworksRoot() = linkRoot;
    Controller c;
    c.builder.initTreeFile();

    EXPECT_GT(c.builder.getHedderCount(), 300u);
    std::vector<std::string> roots = names(c.app.classList);
    for (const char* root : {"NSObject", "NSProxy"}) {
        EXPECT_TRUE(std::binary_search(roots.begin(), roots.end(), root)) << root;
    }
    EXPECT_EQ(c.superOf("NSString"), "NSObject");
    EXPECT_EQ(c.superOf("NSMutableString"), "NSString");
    EXPECT_EQ(c.superOf("NSResponder"), "NSObject");
    EXPECT_EQ(c.superOf("NSView"), "NSResponder");
    EXPECT_EQ(c.superOf("NSControl"), "NSView");
    EXPECT_EQ(c.superOf("NSButton"), "NSControl");
    ASSERT_TRUE(c.cls("NSButton"));
    EXPECT_EQ(c.cls("NSButton")->frameWorkName(), "AppKit.framework");
    EXPECT_EQ(c.cls("NSButton")->hedderName(), "NSButton.h");
    EXPECT_EQ(c.cls("NSString")->frameWorkName(), "Foundation.framework");
    EXPECT_FALSE(c.app.functions.empty());
}
