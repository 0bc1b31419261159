#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/platform/JsonTopLevel.h"
#include "core/platform/SdkLayout.h"
#include "support/TempDir.h"

using namespace kestrel;
namespace fs = std::filesystem;

namespace {

struct Sdks {
    test::TempDir dir;
    // An SDK folder with a framework and an include folder; answers its frameworks root.
    std::string sdk(const std::string& name) const {
        dir.write(name + "/System/Library/Frameworks/Kit.framework/Headers/Kit.h", "");
        dir.write(name + "/usr/include/TargetConditionals.h", "");
        return root(name);
    }
    std::string root(const std::string& name) const { return dir.str() + "/" + name + "/System/Library/Frameworks"; }
};

}  // namespace

TEST(SdkLayout, NamesAnSdkByItsSettingsItsFolderOrItsPath) {
    Sdks s;
    s.sdk("Plist.sdk");
    s.dir.write("Plist.sdk/SDKSettings.plist",
                "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>DisplayName</key><string>macOS 14.2</string>"
                "<key>Version</key><string>14.2</string></dict></plist>");
    EXPECT_EQ(SdkLayout::describe(s.root("Plist.sdk")), "macOS 14.2");
    s.sdk("Json.sdk");
    s.dir.write("Json.sdk/SDKSettings.json",
                "{\"DefaultProperties\": {\"A\": [1, {\"B\": \"}\"}], \"C\": true}, \"Version\": \"15.0\","
                " \"DisplayName\": \"mac\\u004fS\"}");
    EXPECT_EQ(SdkLayout::describe(s.root("Json.sdk")), "macOS 15.0");  // the version joins a name without it
    s.sdk("MacOSX14.2.sdk");
    s.dir.write("MacOSX14.2.sdk/SDKSettings.json", "{\"DisplayName\": ");  // damaged: the folder's name
    EXPECT_EQ(SdkLayout::describe(s.root("MacOSX14.2.sdk") + "/"), "macOS 14.2");
    // The Command Line Tools' MacOSX.sdk links to the SDK of its version.
    fs::create_directory_symlink(s.dir.path() / "MacOSX14.2.sdk", s.dir.path() / "MacOSX.sdk");
    EXPECT_EQ(SdkLayout::describe(s.root("MacOSX.sdk")), "macOS 14.2");
    s.sdk("iPhoneSimulator17.0.sdk");
    EXPECT_EQ(SdkLayout::describe(s.root("iPhoneSimulator17.0.sdk")), "iOS Simulator 17.0");
    s.sdk("Custom.sdk");
    EXPECT_EQ(SdkLayout::describe(s.root("Custom.sdk")), "Custom");
    s.sdk("plain");
    EXPECT_EQ(SdkLayout::describe(s.root("plain")), s.root("plain"));
    EXPECT_EQ(SdkLayout::describe(s.dir.str() + "/Frameworks"), s.dir.str() + "/Frameworks");

    // GNUstep's headers, as the link folder shows them, with the versions they define.
    s.dir.write("gs/GNUstepBase.framework/Headers/GSConfig.h", "/* x */\n#define GNUSTEP_BASE_VERSION            1.28.0\n");
    s.dir.write("gs/GNUstepGUI.framework/Headers/GSVersion.h", "#ifndef GNUSTEP_GUI_VERSION\n#define GNUSTEP_GUI_VERSION \"0.29.0\"\n");
    EXPECT_EQ(SdkLayout::describe(s.dir.str() + "/gs"), "GNUstep (base 1.28.0, gui 0.29.0)");
    fs::remove_all(s.dir.path() / "gs/GNUstepGUI.framework");
    s.dir.write("gs/GNUstepBase.framework/Headers/GSConfig.h", "");
    EXPECT_EQ(SdkLayout::describe(s.dir.str() + "/gs"), "GNUstep");

    // The running system's root names the system.
    s.dir.write("system/System/Library/CoreServices/SystemVersion.plist",
                "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>ProductName</key><string>macOS</string>"
                "<key>ProductVersion</key><string>14.3</string></dict></plist>");
    EXPECT_EQ(SdkLayout::describe(s.root("system")), "macOS 14.3");
}

TEST(SdkLayout, FindsTheFoldersOfAnSdkThroughLinkFiles) {
    Sdks s;
    const std::string root = s.sdk("A.sdk");
    EXPECT_EQ(SdkLayout::sdkFolder(root + "//"), s.dir.str() + "/A.sdk");
    EXPECT_EQ(SdkLayout::sdkFolder("/System/Library/Frameworks"), "/");
    EXPECT_EQ(SdkLayout::sdkFolder(s.dir.str() + "/Frameworks"), std::nullopt);
    EXPECT_EQ(SdkLayout::includeFolder(root), s.dir.str() + "/A.sdk/usr/include");
    EXPECT_EQ(SdkLayout::frameworksRootOf(s.dir.str() + "/A.sdk/"), root);
    EXPECT_EQ(SdkLayout::frameworksRootOf(s.dir.str() + "/missing.sdk"), std::nullopt);
    EXPECT_EQ(SdkLayout::frameworksRootOf(""), std::nullopt);

    // An SDK checked out where links cannot be made: its include folder is a link file.
    s.dir.write("B.sdk/System/Library/Frameworks/Kit.framework/Headers/Kit.h", "");
    s.dir.write("B.sdk/usr/include", "../../A.sdk/usr/include");
    const auto include = SdkLayout::includeFolder(s.root("B.sdk"));
    ASSERT_TRUE(include);
    EXPECT_EQ(fs::canonical(*include), fs::canonical(s.dir.path() / "A.sdk/usr/include"));
    s.dir.write("C.sdk/System/Library/Frameworks/Kit.framework/Headers/Kit.h", "");
    s.dir.write("C.sdk/usr/include", "#include <nothing.h>");  // a file, not a link
    EXPECT_EQ(SdkLayout::includeFolder(s.root("C.sdk")), std::nullopt);
    s.dir.write("Link.sdk", "A.sdk");  // kept as named, so that the SDK stays known
    EXPECT_EQ(SdkLayout::frameworksRootOf(s.dir.str() + "/Link.sdk"), s.root("Link.sdk"));
}

TEST(JsonTopLevel, ReadsAStringAtTheTopAndNothingElse) {
    EXPECT_EQ(JsonTopLevel("{\"a\":\"x\\\"y\\\\z\\n\\ud83d\\ude00\"}").stringOf("a"), "x\"y\\z\n\xF0\x9F\x98\x80");
    EXPECT_EQ(JsonTopLevel("{\"n\": {\"a\": \"inner\"}, \"a\": \"outer\"}").stringOf("a"), "outer");
    EXPECT_EQ(JsonTopLevel("{\"a\": 3}").stringOf("a"), std::nullopt);
    EXPECT_EQ(JsonTopLevel("[\"a\", \"b\"]").stringOf("a"), std::nullopt);
    EXPECT_EQ(JsonTopLevel("{\"b\": 1 \"a\": \"x\"}").stringOf("a"), std::nullopt);  // no comma
    EXPECT_EQ(JsonTopLevel("{\"a\": \"\\udc00\"}").stringOf("a"), std::nullopt);     // a lone low surrogate
    EXPECT_EQ(JsonTopLevel("{\"a\": \"open").stringOf("a"), std::nullopt);
    EXPECT_EQ(JsonTopLevel(std::string(100000, '[')).stringOf("a"), std::nullopt);
    EXPECT_EQ(JsonTopLevel("{\"b\": " + std::string(100, '[') + std::string(100, ']') + ", \"a\": \"x\"}").stringOf("a"),
              std::nullopt);  // nested deeper than any settings file
    EXPECT_EQ(JsonTopLevel("").stringOf("a"), std::nullopt);
}
