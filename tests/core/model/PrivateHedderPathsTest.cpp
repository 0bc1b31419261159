#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/model/PrivateHedderPaths.h"
#include "support/TempDir.h"

using namespace kestrel;
using Refusal = PrivateHedderPaths::Refusal;
namespace fs = std::filesystem;

// A root of real frameworks and ones whose Headers lead out of it, as GNUstep's link folder does
// and as a link file of a checkout without links can.
TEST(PrivateHedderPaths, RefusesWhatWouldReadTheFrameworksTwice) {
    test::TempDir dir;
    const std::string d = fs::canonical(dir.path()).string();
    const std::string root = d + "/Frameworks";
    dir.write("Frameworks/Kit.framework/Headers/Kit.h", "");
    dir.write("include/GNUstep/Base/NSObject.h", "");
    dir.write("mine/My.h", "");
    fs::create_directories(root + "/Base.framework");
    fs::create_directory_symlink(d + "/include/GNUstep/Base", root + "/Base.framework/Headers");
    fs::create_directory_symlink(root, d + "/rootLink");
    dir.write("include/Linked/L.h", "");
    dir.write("Frameworks/Linked.framework/Headers", "../../include/Linked");

    std::vector<std::string> frameworks = PrivateHedderPaths::frameworkFolders(root + "/");
    ASSERT_FALSE(frameworks.empty());
    EXPECT_EQ(frameworks.front(), root);
    std::sort(frameworks.begin(), frameworks.end());
    EXPECT_EQ(frameworks, (std::vector<std::string>{root, d + "/include/GNUstep/Base", d + "/include/Linked"}));
    for (const std::string& path : {root, root + "/", d + "/rootLink", d + "/mine/../Frameworks",
                                    d + "/include/GNUstep/Base", root + "/Linked.framework/Headers"})
        EXPECT_EQ(PrivateHedderPaths::refusal(path, frameworks), Refusal::FrameworksRoot) << path;
    for (const std::string& path : {d, d + "/include", std::string("/")})
        EXPECT_EQ(PrivateHedderPaths::refusal(path, frameworks), Refusal::AboveFrameworks) << path;
    for (const std::string& path : {root + "/Kit.framework", root + "/Kit.framework/Headers/Kit.h",
                                    d + "/rootLink/Kit.framework", root + "/Base.framework/Headers/NSObject.h",
                                    root + "/Linked.framework/Headers/L.h"})
        EXPECT_EQ(PrivateHedderPaths::refusal(path, frameworks), Refusal::InsideFrameworks) << path;
    for (const std::string& path : {d + "/mine", d + "/mine/My.h", d + "/include/GNUstep/Other"})
        EXPECT_EQ(PrivateHedderPaths::refusal(path, frameworks), Refusal::None) << path;
}

TEST(PrivateHedderPaths, ComparesCanonicalPathsAndKnowsBundles) {
    test::TempDir dir;
    dir.write("mine/My.h", "");
    fs::create_directory_symlink(dir.str() + "/mine", dir.str() + "/link");
    const std::vector<std::string> list{dir.str() + "/mine/", "/nowhere/x.h"};
    EXPECT_TRUE(PrivateHedderPaths::contains(list, dir.str() + "/link"));
    EXPECT_TRUE(PrivateHedderPaths::contains(list, dir.str() + "/mine/./../mine"));
    EXPECT_TRUE(PrivateHedderPaths::contains(list, "/nowhere/y/../x.h"));  // gone, still compared
    EXPECT_FALSE(PrivateHedderPaths::contains(list, dir.str() + "/link/My.h"));

    for (const char* name : {"Mail.app", "AppKit.framework", "X.BUNDLE", "a.b.kext", "Tool.xpc"})
        EXPECT_TRUE(PrivateHedderPaths::isBundleName(name)) << name;
    for (const char* name : {"include", "app", ".app", "en.lproj", "Headers.h", "x.application"})
        EXPECT_FALSE(PrivateHedderPaths::isBundleName(name)) << name;
}
