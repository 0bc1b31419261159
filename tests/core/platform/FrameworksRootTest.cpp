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
        places.systemRoot = (dir.path() / "System/Library/Frameworks").string();
        places.gnustepHeaders = (dir.path() / "include/GNUstep").string();
        data = (dir.path() / "home/.local/share/Kestrel").string();
        unsetenv(FrameworksRoot::kEnvironmentName);
    }
};

}  // namespace

TEST(FrameworksRoot, ChoosesTheSystemFolderThenTheRequestThenTheEnvironment) {
    Layout l;
    l.dir.write("include/GNUstep/Foundation/NSString.h", "");
    EXPECT_EQ(FrameworksRoot::resolve(std::string("/opt/fw"), l.data, l.places), "/opt/fw");
    setenv(FrameworksRoot::kEnvironmentName, "/env/fw", 1);
    EXPECT_EQ(FrameworksRoot::resolve(std::nullopt, l.data, l.places), "/env/fw");
    EXPECT_EQ(FrameworksRoot::resolve(std::string("/opt/fw"), l.data, l.places), "/opt/fw");
    unsetenv(FrameworksRoot::kEnvironmentName);
    fs::create_directories(l.places.systemRoot);
    EXPECT_EQ(FrameworksRoot::resolve(std::string("/opt/fw"), l.data, l.places), l.places.systemRoot);
}

TEST(FrameworksRoot, LinksEachHeaderFolderAsAFrameworkAndKeepsThemCurrent) {
    Layout l;
    l.dir.write("include/GNUstep/Foundation/NSString.h", "");
    l.dir.write("include/GNUstep/AppKit/NSView.h", "");
    l.dir.write("include/GNUstep/gnustep/gui/GSTable.h", "");  // headers one level down count
    fs::create_directories(l.dir.path() / "include/GNUstep/Empty");
    std::string root = FrameworksRoot::resolve(std::nullopt, l.data, l.places);
    EXPECT_EQ(root, l.data + "/Frameworks");
    EXPECT_TRUE(fs::exists(fs::path(root) / "Foundation.framework/Headers/NSString.h"));
    EXPECT_TRUE(fs::exists(fs::path(root) / "AppKit.framework/Headers/NSView.h"));
    EXPECT_TRUE(fs::exists(fs::path(root) / "gnustep.framework/Headers/gui/GSTable.h"));
    EXPECT_FALSE(fs::exists(fs::path(root) / "Empty.framework"));

    // A header folder that goes away takes its framework with it; a new one appears.
    fs::remove_all(l.dir.path() / "include/GNUstep/AppKit");
    l.dir.write("include/GNUstep/GNUstepBase/GSObjCRuntime.h", "");
    EXPECT_EQ(FrameworksRoot::resolve(std::nullopt, l.data, l.places), root);
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
    EXPECT_EQ(FrameworksRoot::resolve(std::nullopt, none.data, none.places), none.places.systemRoot);
    EXPECT_FALSE(FrameworksRoot::makeLinkFolder("/nonexistent/include", none.data + "/Frameworks"));
}
