// The target a frameworks root's conditions are evaluated for, and what it answers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/parse/CompileTarget.h"
#include "core/parse/HeaderSearch.h"
#include "core/platform/ProcessState.h"
#include "support/TempDir.h"

using namespace kestrel;
namespace fs = std::filesystem;

namespace {

std::string body(const CompileTarget& target, const char* macro) {
    const MacroDefinition* definition = target.predefined(macro);
    return definition ? definition->bodyText() : "(undefined)";
}

}  // namespace

TEST(CompileTargetTest, AnSdkIsMacosOfItsVersion) {
    test::TempDir tmp;
    tmp.write("MacOSX14.2.sdk/usr/include/TargetConditionals.h", "");
    tmp.write("MacOSX14.2.sdk/System/Library/Frameworks/ApplicationServices.framework/Frameworks/CoreGraphics.framework/"
              "Headers/CGBase.h",
              "");
    const std::string root = tmp.str() + "/MacOSX14.2.sdk/System/Library/Frameworks";
    auto target = CompileTarget::forFrameworksRoot(root);
    EXPECT_EQ(target->getFamily(), CompileTarget::Family::AppleSdk);
    EXPECT_EQ(target->getName(), "macOS 14.2 SDK (x86_64)");
    EXPECT_EQ(target->getIncludeFolders(), std::vector<std::string>{tmp.str() + "/MacOSX14.2.sdk/usr/include"});
    EXPECT_EQ(target->getFrameworkFolders(),
              (std::vector<std::string>{root, root + "/ApplicationServices.framework/Frameworks"}));
    EXPECT_EQ(body(*target, "__ENVIRONMENT_MAC_OS_X_VERSION_MIN_REQUIRED__"), "140200");
    for (const char* one : {"__APPLE__", "__MACH__", "__LP64__", "__OBJC__", "__OBJC2__", "__x86_64__", "__BLOCKS__"})
        EXPECT_EQ(body(*target, one), "1") << one;
    EXPECT_EQ(body(*target, "__clang_major__"), "14");
    EXPECT_EQ(body(*target, "__nonnull"), "_Nonnull");
    EXPECT_EQ(body(*target, "__cplusplus"), "(undefined)");
    EXPECT_EQ(body(*target, "__arm64__"), "(undefined)");

    // The architecture is the target's: arm64's own macros and answers.
    auto arm = CompileTarget::forFrameworksRoot(root, "arm64");
    EXPECT_EQ(arm->getName(), "macOS 14.2 SDK (arm64)");
    EXPECT_EQ(body(*arm, "__arm64__"), "1");
    EXPECT_EQ(body(*arm, "__x86_64__"), "(undefined)");
    EXPECT_TRUE(arm->answers(CompileTargetTables::TargetArch, "arm64"));
    EXPECT_FALSE(arm->answers(CompileTargetTables::TargetArch, "x86_64"));

    // SDKSettings.json names the version where the SDK has one.
    tmp.write("MacOSX.sdk/SDKSettings.json", "{\"CanonicalName\": \"macosx13.3\", \"Version\": \"13.3\"}");
    tmp.write("MacOSX.sdk/usr/include/TargetConditionals.h", "");
    fs::create_directories(tmp.str() + "/MacOSX.sdk/System/Library/Frameworks");
    auto settings = CompileTarget::forFrameworksRoot(tmp.str() + "/MacOSX.sdk/System/Library/Frameworks");
    EXPECT_EQ(body(*settings, "__ENVIRONMENT_OS_VERSION_MIN_REQUIRED__"), "130300");
    EXPECT_EQ(CompileTarget::versionNumber("10.4"), 1040);
    EXPECT_EQ(CompileTarget::versionNumber("10.15.7"), 101507);
    EXPECT_EQ(CompileTarget::versionNumber("11"), 110000);
}

TEST(CompileTargetTest, GNUstepsLinkFolderAndAnyOtherRoot) {
    test::TempDir tmp;
    tmp.write("include/GNUstep/GNUstepBase/GSConfig.h", "");
    fs::create_directories(tmp.str() + "/Frameworks/GNUstepBase.framework");
    fs::create_directory_symlink(tmp.str() + "/include/GNUstep/GNUstepBase",
                                 tmp.str() + "/Frameworks/GNUstepBase.framework/Headers");
    auto gnustep = CompileTarget::forFrameworksRoot(tmp.str() + "/Frameworks");
    EXPECT_EQ(gnustep->getFamily(), CompileTarget::Family::GNUstep);
    ASSERT_FALSE(gnustep->getIncludeFolders().empty());
    EXPECT_EQ(gnustep->getIncludeFolders().front(), fs::canonical(tmp.str() + "/include/GNUstep").string());
    for (const char* one : {"GNUSTEP", "GNUSTEP_BASE_LIBRARY", "GNU_GUI_LIBRARY", "GNU_RUNTIME", "__OBJC__", "__linux__"})
        EXPECT_EQ(body(*gnustep, one), "1") << one;
    EXPECT_EQ(body(*gnustep, "__APPLE__"), "(undefined)");
    EXPECT_FALSE(gnustep->answers(CompileTargetTables::Feature, "blocks"));  // no -fblocks
    // GNUstep's own headers are read by the define pass, the C library's are only looked up.
    EXPECT_TRUE(gnustep->readsHeader(gnustep->getIncludeFolders().front() + "/GNUstepBase/GSConfig.h"));
    EXPECT_FALSE(gnustep->readsHeader("/usr/include/stdio.h"));
    EXPECT_TRUE(gnustep->answers(CompileTargetTables::TargetOs, "linux"));

    auto other = CompileTarget::forFrameworksRoot(tmp.str() + "/elsewhere");
    EXPECT_EQ(other->getFamily(), CompileTarget::Family::Default);
    EXPECT_TRUE(other->getIncludeFolders().empty());
    EXPECT_EQ(body(*other, "__ENVIRONMENT_MAC_OS_X_VERSION_MIN_REQUIRED__"), "140000");
    EXPECT_TRUE(other->answers(CompileTargetTables::Feature, "__nullability__"));  // as clang spells it too
    EXPECT_TRUE(other->answers(CompileTargetTables::Extension, "objc_instancetype"));  // a feature is an extension
    EXPECT_FALSE(other->answers(CompileTargetTables::Feature, "objc_arc"));

    // The process's target follows its frameworks root.
    ProcessState::reset();
    ProcessState::frameworksRoot() = tmp.str() + "/Frameworks";
    EXPECT_EQ(CompileTarget::current()->getFamily(), CompileTarget::Family::GNUstep);
    EXPECT_EQ(CompileTarget::current(), CompileTarget::current());
    ProcessState::frameworksRoot() = tmp.str() + "/elsewhere";
    EXPECT_EQ(CompileTarget::current()->getFamily(), CompileTarget::Family::Default);
    ProcessState::reset();
}

TEST(CompileTargetTest, HeadersAreLookedUpWhereACompilerLooks) {
    test::TempDir tmp;
    const std::string root = tmp.str() + "/Frameworks";
    tmp.write("Frameworks/Kit.framework/Headers/Kit.h", "");
    tmp.write("Frameworks/Kit.framework/Headers/Local.h", "");
    tmp.write("Frameworks/Umbrella.framework/Frameworks/Inner.framework/Headers/Inner.h", "");
    tmp.write("first/limits.h", "");
    tmp.write("first/sub/limits.h", "");
    tmp.write("second/limits.h", "");
    tmp.write("second/os/availability.h", "");
    CompileTarget target(CompileTarget::Family::Default, root, "x86_64", CompileTarget::kDefaultVersion,
                         {tmp.str() + "/first", tmp.str() + "/first/sub", tmp.str() + "/second"});
    HeaderSearch search(target);
    const std::string kit = root + "/Kit.framework/Headers/Kit.h";
    HeaderSearch::Where where = HeaderSearch::Where::Local;
    EXPECT_EQ(search.find("Kit/Kit.h", true, nullptr, false, &where), kit);
    EXPECT_EQ(where, HeaderSearch::Where::Framework);
    EXPECT_EQ(search.find("Inner/Inner.h", true, nullptr), root + "/Umbrella.framework/Frameworks/Inner.framework/Headers/Inner.h");
    EXPECT_EQ(search.find("Local.h", false, &kit, false, &where), root + "/Kit.framework/Headers/Local.h");
    EXPECT_EQ(where, HeaderSearch::Where::Local);
    EXPECT_EQ(search.find("Local.h", true, &kit), std::nullopt);  // <> does not look beside the includer
    EXPECT_EQ(search.find("os/availability.h", true, nullptr, false, &where), tmp.str() + "/second/os/availability.h");
    EXPECT_EQ(where, HeaderSearch::Where::IncludeFolder);
    EXPECT_EQ(search.find("limits.h", true, nullptr), tmp.str() + "/first/limits.h");
    // include_next: the folders after the one holding the includer (the most specific one).
    const std::string inSub = tmp.str() + "/first/sub/limits.h";
    EXPECT_EQ(search.find("limits.h", true, &inSub, true), tmp.str() + "/second/limits.h");
    const std::string inFirst = tmp.str() + "/first/limits.h";
    EXPECT_EQ(search.find("limits.h", true, &inFirst, true), inSub);
    for (const char* bad : {"", "/etc/passwd"}) EXPECT_EQ(search.find(bad, true, nullptr), std::nullopt) << bad;

    // A framework whose links are link files (a checkout made where links cannot be made) is
    // found through them: __has_include(<Tool/Tool.h>) holds.
    tmp.write("Frameworks/Tool.framework/Versions/A/Headers/Tool.h", "");
    tmp.write("Frameworks/Tool.framework/Versions/Current", "A");
    tmp.write("Frameworks/Tool.framework/Headers", "Versions/Current/Headers");
    EXPECT_EQ(search.find("Tool/Tool.h", true, nullptr), root + "/Tool.framework/Versions/A/Headers/Tool.h");
}
