#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/platform/FrameworksRoot.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using kestrel::FrameworksRoot;
using kestrel::test::TempDir;

namespace {

struct Layout {
    TempDir dir;
    FrameworksRoot::Places places;
    std::string data;
    Layout() {
        places.macOS = false;
        places.systemRoot = (dir.path() / "System/Library/Frameworks").string();
        places.gnustepHeaders = (dir.path() / "include/GNUstep").string();
        places.xcrun = {(dir.path() / "xcrun").string()};
        places.commandLineToolsSdk = (dir.path() / "CommandLineTools/SDKs/MacOSX.sdk").string();
        data = (dir.path() / "home/.local/share/Kestrel").string();
        unsetenv(FrameworksRoot::kEnvironmentName);
    }
    // An SDK folder below the layout with one framework header; answers its frameworks root.
    std::string sdk(const std::string& relative) const {
        dir.write(relative + "/System/Library/Frameworks/Kit.framework/Headers/Kit.h", "");
        return (dir.path() / relative / "System/Library/Frameworks").string();
    }
    // The stand-in for xcrun: a script that prints text and ends with status.
    void xcrunPrints(const std::string& text, int status = 0) const {
        dir.write("xcrun", "#!/bin/sh\nprintf '%s' '" + text + "'\nexit " + std::to_string(status) + "\n");
        fs::permissions(places.xcrun[0], fs::perms::owner_all);
    }
    std::string resolve(FrameworksRoot::Request request = {}) const {
        return FrameworksRoot::resolve(request, data, places);
    }
};

}  // namespace

TEST(FrameworksRoot, AnExplicitChoiceWinsThenTheEnvironmentThenThePreferences) {
    Layout l;
    l.dir.write("System/Library/Frameworks/Kit.framework/Headers/Kit.h", "");  // holds headers, still comes last
    const std::string chosen = l.sdk("Chosen.sdk"), preferred = l.sdk("Preferred.sdk");
    const std::string chosenSdk = (l.dir.path() / "Chosen.sdk").string();
    EXPECT_EQ(l.resolve({chosenSdk, std::nullopt, std::nullopt}), chosen);
    EXPECT_EQ(l.resolve({chosenSdk + "/", "/opt/fw", std::nullopt}), chosen);  // --sdk before --frameworks-root
    EXPECT_EQ(l.resolve({std::nullopt, "/opt/fw", std::nullopt}), "/opt/fw");
    EXPECT_EQ(l.resolve({"/no/such.sdk", std::nullopt, std::nullopt}), "/no/such.sdk/System/Library/Frameworks");

    const std::string preferredSdk = (l.dir.path() / "Preferred.sdk").string();
    setenv(FrameworksRoot::kEnvironmentName, "/env/fw", 1);
    EXPECT_EQ(l.resolve({std::nullopt, "/opt/fw", preferredSdk}), "/opt/fw");
    EXPECT_EQ(l.resolve({std::nullopt, std::nullopt, preferredSdk}), "/env/fw");
    unsetenv(FrameworksRoot::kEnvironmentName);
    EXPECT_EQ(l.resolve({std::nullopt, std::nullopt, preferredSdk}), preferred);
    // A preferred SDK that has gone gives way to the default.
    EXPECT_EQ(l.resolve({std::nullopt, std::nullopt, (l.dir.path() / "Gone.sdk").string()}), l.places.systemRoot);
}

TEST(FrameworksRoot, TheEnvironmentsFolderNamedFromTheWorkingFolderIsNamedByItsOwnPath) {
    Layout l;
    const std::string root = l.sdk("Relative.sdk");
    const fs::path before = fs::current_path();
    fs::current_path(l.dir.path());
    setenv(FrameworksRoot::kEnvironmentName, "Relative.sdk/System/../System/Library/Frameworks", 1);
    const std::string resolved = l.resolve();
    setenv(FrameworksRoot::kEnvironmentName, "Missing/../Gone", 1);  // not there: named by its path all the same
    const std::string missing = l.resolve();
    unsetenv(FrameworksRoot::kEnvironmentName);
    fs::current_path(before);
    EXPECT_EQ(resolved, fs::weakly_canonical(root).string());
    EXPECT_EQ(missing, fs::weakly_canonical(l.dir.path() / "Gone").string());
}

TEST(FrameworksRoot, OnMacOSTheSystemFolderOnlyWithHeadersThenXcrunThenTheCommandLineTools) {
    Layout l;
    l.places.macOS = true;
    // Today's systems keep their frameworks without headers.
    fs::create_directories(l.places.systemRoot + "/Kit.framework/Versions/A");
    l.xcrunPrints(l.dir.str() + "/Xcode.sdk\nmore\n");
    const std::string xcode = l.sdk("Xcode.sdk");
    const std::string tools = l.sdk("CommandLineTools/SDKs/MacOSX.sdk");
    EXPECT_EQ(l.resolve(), xcode);
    l.xcrunPrints(l.dir.str() + "/Xcode.sdk", 1);  // xcrun fails: the Command Line Tools
    EXPECT_EQ(l.resolve(), tools);
    l.places.xcrun = {(l.dir.path() / "no-such-tool").string()};
    EXPECT_EQ(l.resolve(), tools);
    fs::remove_all(l.dir.path() / "CommandLineTools");
    EXPECT_EQ(l.resolve(), l.places.systemRoot);  // nothing at all: yields no headers
    l.dir.write("System/Library/Frameworks/Kit.framework/Headers/Kit.h", "");  // an older system
    EXPECT_EQ(l.resolve(), l.places.systemRoot);

    EXPECT_EQ(FrameworksRoot::firstLineOf({"/bin/sh", "-c", "echo one; echo two"}), "one");
    EXPECT_EQ(FrameworksRoot::firstLineOf({"/bin/sh", "-c", "echo one; exit 3"}), std::nullopt);
    EXPECT_EQ(FrameworksRoot::firstLineOf({"/bin/sh", "-c", "true"}), std::nullopt);
    EXPECT_EQ(FrameworksRoot::firstLineOf({}), std::nullopt);
}

TEST(FrameworksRoot, LinksEachHeaderFolderAsAFrameworkAndKeepsThemCurrent) {
    Layout l;
    l.dir.write("include/GNUstep/Foundation/NSString.h", "");
    l.dir.write("include/GNUstep/AppKit/NSView.h", "");
    l.dir.write("include/GNUstep/gnustep/gui/GSTable.h", "");  // headers one level down count
    fs::create_directories(l.dir.path() / "include/GNUstep/Empty");
    std::string root = l.resolve();
    EXPECT_EQ(root, l.data + "/Frameworks");
    EXPECT_TRUE(fs::exists(fs::path(root) / "Foundation.framework/Headers/NSString.h"));
    EXPECT_TRUE(fs::exists(fs::path(root) / "AppKit.framework/Headers/NSView.h"));
    EXPECT_TRUE(fs::exists(fs::path(root) / "gnustep.framework/Headers/gui/GSTable.h"));
    EXPECT_FALSE(fs::exists(fs::path(root) / "Empty.framework"));

    // A header folder that goes away takes its framework with it; a new one appears.
    fs::remove_all(l.dir.path() / "include/GNUstep/AppKit");
    l.dir.write("include/GNUstep/GNUstepBase/GSObjCRuntime.h", "");
    EXPECT_EQ(l.resolve(), root);
    EXPECT_FALSE(fs::exists(fs::symlink_status(fs::path(root) / "AppKit.framework")));
    EXPECT_TRUE(fs::exists(fs::path(root) / "GNUstepBase.framework/Headers/GSObjCRuntime.h"));
}

TEST(FrameworksRoot, LeavesWhatIsNotItsOwnAndSurvivesLoopsAndMissingFolders) {
    Layout l;
    l.dir.write("include/GNUstep/Foundation/NSString.h", "");
    fs::create_directory_symlink(l.dir.path() / "include/GNUstep",
                                 l.dir.path() / "include/GNUstep/Foundation/loop");
    // A user's own folder in the way of a link is not replaced.
    l.dir.write("home/.local/share/Kestrel/Frameworks/Foundation.framework/Headers/Mine.h", "x");
    FrameworksRoot::makeLinkFolder(l.places.gnustepHeaders, l.data + "/Frameworks");
    EXPECT_TRUE(fs::exists(l.data + "/Frameworks/Foundation.framework/Headers/Mine.h"));

    Layout none;  // no GNUstep, no system folder: the system path, which yields nothing
    EXPECT_EQ(none.resolve(), none.places.systemRoot);
    EXPECT_FALSE(FrameworksRoot::makeLinkFolder("/nonexistent/include", none.data + "/Frameworks"));
}
