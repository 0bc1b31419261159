#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/parse/CMacroEngin.h"
#include "core/parse/DefineData.h"
#include "core/parse/DefineEngin.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/DefineMacroEngin.h"
#include "core/platform/ProcessState.h"
#include "support/TempDir.h"
#include "support/VersionedFrameworks.h"
#include "support/VisibleWords.h"

using namespace kestrel;
namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using Defines = std::map<std::string, std::string>;

namespace {

class DefineEnginTest : public testing::Test {
protected:
    void SetUp() override {
        ProcessState::reset();
        ProcessState::frameworksRoot() = root();
    }
    void TearDown() override { ProcessState::reset(); }

    std::string root() const { return tmp.str() + "/Frameworks"; }
    // Writes root/<framework>.framework/Headers/<header>; answers its path.
    std::string header(const std::string& framework, const std::string& name, const std::string& text) {
        return tmp.write("Frameworks/" + framework + ".framework/Headers/" + name, text);
    }
    // Reads one header on its own, as the walk does for each of its headers.
    static void read(const std::string& path, const std::string& name) {
        DefineMacroEngin(nullptr, std::nullopt).calcHeaderFile(path, name);
    }

    static std::shared_ptr<DefineData> record(const std::string& name) {
        auto found = ProcessState::defineList().find(name);
        return found == ProcessState::defineList().end() ? nullptr : found->second;
    }
    static Strings imports(const std::string& name) {
        auto data = record(name);
        return data && data->getImportList() ? *data->getImportList() : Strings{};
    }
    // Each macro in the define records' text form ("(x)((x)+1)\n"), an undefined one as "#undef".
    static Defines defines(const std::string& name) {
        Defines texts;
        auto data = record(name);
        if (data && data->getDefineList())
            for (const auto& [macro, definition] : *data->getDefineList())
                texts[macro] = definition.isUndefined() ? "#undef" : definition.recordText();
        return texts;
    }

    test::TempDir tmp;
};

// prefix + i + suffix (appended: GCC 12 warns wrongly about the chained operator+ form).
std::string numbered(std::string prefix, int i, const std::string& suffix) {
    prefix += std::to_string(i);
    prefix += suffix;
    return prefix;
}

std::string visibleWords(const std::string& text, const std::string& header) {
    return test::visibleWords<CMacroEngin>(text, header);
}

}  // namespace

TEST_F(DefineEnginTest, FrameworkImportIsReadBeforeTheRestOfItsImporter) {
    // SEEN is recorded only if NSString.h was read before App.h went on. #include is followed
    // as #import is; "" beside the importer.
    header("Foundation", "NSString.h", "#define STRING_LEVEL 2\n#define NSSTR\n");
    std::string app = header("App", "App.h",
                             "#include <Foundation/NSString.h>\n#if STRING_LEVEL > 1\n#define SEEN\n#endif\n"
                             "#import \"Local.h\"\n#include <stdio.h>\n#import\n#define AFTER_BARE_IMPORT\n");
    header("App", "Local.h", "#define LOCAL\n");
    read(app, "App.h");
    EXPECT_EQ(imports("App.h"), (Strings{"NSString.h", "Local.h", "stdio.h"}));
    EXPECT_EQ(defines("NSString.h"), (Defines{{"STRING_LEVEL", "2\n"}, {"NSSTR", "\n"}}));
    EXPECT_EQ(defines("App.h"), (Defines{{"SEEN", "\n"}, {"AFTER_BARE_IMPORT", "\n"}}));
    EXPECT_EQ(defines("Local.h"), (Defines{{"LOCAL", "\n"}}));
    EXPECT_EQ(record("stdio.h"), nullptr);  // found nowhere (no SDK here): recorded, not followed

    // The analysis of App.h sees what its imported header defines, from its import on.
    EXPECT_EQ(visibleWords("#ifdef NSSTR\nbefore\n#endif\n#import <Foundation/NSString.h>\n#ifdef NSSTR\nyes\n#endif\n"
                           "#ifdef OTHER\nno\n#endif\n#include <A/B.h> junk\nafter\n",
                           "App.h"),
              "yes after");
}

TEST_F(DefineEnginTest, MutualImportsAreReadOnce) {
    header("Fw", "A.h", "#import <Fw/B.h>\n#define A_DEF\n");
    header("Fw", "B.h", "#import <Fw/A.h>\n#import <Fw/B.h>\n#define B_DEF\n");
    DefineEngin::doPass1();
    auto a = record("A.h"), b = record("B.h");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(imports("A.h"), (Strings{"B.h"}));
    EXPECT_EQ(imports("B.h"), (Strings{"A.h", "B.h"}));
    DefineEngin().doCalc();  // a second pass reuses the records
    EXPECT_TRUE(record("A.h") == a && record("B.h") == b);
    EXPECT_EQ(ProcessState::defineList().size(), 2u);
}

// The names the pass kept up to date as it read, which the analysis's threads share, are those
// gathered afresh from the finished list: the same records for every name, the same imports.
TEST_F(DefineEnginTest, TheNamesThePassKeptAreTheFinishedLists) {
    header("Fw", "A.h", "#import <Fw/B.h>\n#define X 1\n#define SHARED a\n");
    header("Fw", "B.h", "#import <Fw/A.h>\n#define SHARED b\n#undef X\n#define X 2\n");
    header("Fw", "C.h", "#import <Fw/Gone.h>\n#import <Fw/A.h>\n#define SHARED c\n#define ONLY_C\n");
    DefineEngin::doPass1();
    const std::shared_ptr<const DefinedNames> kept = ProcessState::definedNames();
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->describes(ProcessState::defineList()));
    DefinedNames fresh;
    fresh.refresh(ProcessState::defineList());
    auto holders = [](const DefinedNames& names, const std::string& name) {
        std::set<std::string> headers;
        if (const auto* list = names.recordsDefining(name))
            for (const DefineData* record : *list) headers.insert(record->getHName());
        return headers;
    };
    for (const char* name : {"X", "SHARED", "ONLY_C", "NOT_DEFINED"}) {
        EXPECT_EQ(holders(*kept, name), holders(fresh, name)) << name;
    }
    for (const auto& [name, record] : ProcessState::defineList()) {
        const auto* ours = kept->importsOf(*record);
        const auto* theirs = fresh.importsOf(*record);
        ASSERT_EQ(ours != nullptr, theirs != nullptr) << name;
        if (ours) {
            EXPECT_EQ(*ours, *theirs) << name;
        }
    }
    // A list that changes after the pass is no longer the one the names describe.
    header("Fw2", "D.h", "#define D 1\n");
    DefineEngin().calcHeader(tmp.str() + "/Frameworks/Fw2.framework");
    EXPECT_FALSE(kept->describes(ProcessState::defineList()));
}

TEST_F(DefineEnginTest, DefinesKeepParametersAndTokenBoundaries) {
    struct Case {
        const char* text;
        Defines expected;  // in the records' text form, blanks removed
    };
    const std::vector<Case> cases = {
        {"#define EMPTY\n", {{"EMPTY", "\n"}}},
        {"#define EMPTY\r\n", {{"EMPTY", "\n"}}},
        {"x\n#define LAST", {{"LAST", "\n"}}},
        {"#define FOO(x) ((x) + 1)\n", {{"FOO", "(x)((x)+1)\n"}}},
        {"#  define\tSPACED  a  b // note\nnext\n", {{"SPACED", "ab\n"}}},
        {"#define TWICE 1\n#define TWICE 2\n", {{"TWICE", "2\n"}}},
        {"/*\n#define HIDDEN 1\n*/ #define X\n// #define Y\n", {{"X", "\n"}}},
        {"#define LONG(a, ...) \\\n  f(a, \\\n    __VA_ARGS__)\nafter\n", {{"LONG", "(a,...)f(a,__VA_ARGS__)\n"}}},
        {"#define GONE 1\n#undef GONE\n#undef NEVER\n", {{"GONE", "#undef"}, {"NEVER", "#undef"}}},
        // Names nothing, or a parameter list a compiler rejects: nothing recorded, nothing read on.
        {"#define\n#define (x) 1\n#define BAD(a,) a\n#define BAD2(a a) a\n#define", {}},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string name = numbered("D", n++, ".h");
        read(header("Fw", name, c.text), name);
        EXPECT_EQ(defines(name), c.expected) << c.text;
    }
    // "#define F (a)" and "#define F(a)" differ; the body keeps a blank where one stood.
    read(header("Fw", "Forms.h", "#define OBJECT (a)\n#define FUNCTION(a)\n#define SPACED_BODY a  +\tb\n"), "Forms.h");
    const auto& forms = *record("Forms.h")->getDefineList();
    EXPECT_FALSE(forms.at("OBJECT").isFunctionLike());
    EXPECT_EQ(forms.at("OBJECT").bodyText(), "(a)");
    EXPECT_TRUE(forms.at("FUNCTION").isFunctionLike());
    EXPECT_EQ(forms.at("FUNCTION").getParameters(), Strings{"a"});
    EXPECT_EQ(forms.at("SPACED_BODY").bodyText(), "a + b");
}

TEST_F(DefineEnginTest, ConditionsAreDecidedAsTheAnalysisDecidesThem) {
    read(header("Fw", "Cond.h",
                "#ifdef TARGET_CPU_X86\n#define A\n#endif\n#ifdef NOBODY\n#define B\n#endif\n"
                "#ifndef NOBODY\n#define C\n#endif\n#if 0\n#define D\n#endif\n#ifndef WIN32\n#define E\n#endif\n"
                "#if !TARGET_CPU_X86\n#define F\n#endif\n#ifdef __AudioConverter_h__\n#define G\n#else\n#define H\n#endif\n"
                // An export macro as a compiler of Objective-C sees it.
                "#ifdef __cplusplus\n#define KIT_EXPORT extern \"C\"\n#else\n#define KIT_EXPORT extern\n#endif\n"
                "#if defined(C) && defined(E)\n#define BOTH 1\n#elif 1\n#define ELIF 1\n#endif\n"),
         "Cond.h");
    EXPECT_EQ(defines("Cond.h"), (Defines{{"C", "\n"}, {"E", "\n"}, {"F", "\n"}, {"H", "\n"}, {"KIT_EXPORT", "extern\n"},
                                          {"BOTH", "1\n"}}));
    // A symbol a header defines counts as defined from there on.
    read(header("Fw", "Win.h", "#ifdef WIN32\n#define BEFORE\n#endif\n#define WIN32 1\n#ifdef WIN32\n#define W\n#endif\n"),
         "Win.h");
    EXPECT_EQ(defines("Win.h").count("W"), 1u);
    EXPECT_EQ(defines("Win.h").count("BEFORE"), 0u);
}

TEST_F(DefineEnginTest, IncludesOutsideTheFrameworksAreReadFromTheSdk) {
    // An SDK: frameworks, and usr/include with the headers their conditions depend on.
    const std::string sdk = tmp.str() + "/Kit.sdk";
    ProcessState::frameworksRoot() = sdk + "/System/Library/Frameworks";
    tmp.write("Kit.sdk/usr/include/TargetConditionals.h", "#define TARGET_OS_OSX 1\n#include <sys/cdefs.h>\n");
    tmp.write("Kit.sdk/usr/include/sys/cdefs.h", "#define __DARWIN_ONLY 1\n");
    tmp.write("Kit.sdk/usr/include/types.h", "#define PLAIN_TYPES 1\n");
    tmp.write("Kit.sdk/System/Library/Frameworks/Kit.framework/Headers/Kit.h",
              "#include <TargetConditionals.h>\n#include <types.h>\n#if TARGET_OS_OSX && __DARWIN_ONLY\n#define KIT_MAC 1\n#endif\n"
              "#if __has_include(<sys/cdefs.h>) && !__has_include(<UIKit/UIKit.h>)\n#define KIT_APPKIT 1\n#endif\n");
    DefineEngin().doCalc();
    EXPECT_EQ(imports("Kit.h"), (Strings{"TargetConditionals.h", "types.h"}));
    EXPECT_EQ(imports("TargetConditionals.h"), (Strings{"sys/cdefs.h"}));  // filed under the path written
    EXPECT_EQ(defines("Kit.h"), (Defines{{"KIT_MAC", "1\n"}, {"KIT_APPKIT", "1\n"}}));
    EXPECT_EQ(visibleWords("#import <Kit/Kit.h>\n#if KIT_MAC && TARGET_OS_OSX && __ENVIRONMENT_MAC_OS_X_VERSION_MIN_REQUIRED__ == 140000\nmac\n#endif\n",
                           "App.h"),
              "mac");
}

TEST_F(DefineEnginTest, FrameworkSearchIsCachedAndCoversTheWholeRoot) {
    EXPECT_EQ(DefineMacroEngin::findFramework(root(), std::nullopt), std::nullopt);
    read(header("App", "First.h", "#import <Missing/X.h>\n"), "First.h");
    EXPECT_EQ(ProcessState::frameworkPathCache().at("Missing.framework"), "");
    // A framework lying in the root is looked up by its path, so one that appears later is
    // read; the cache spares only the search below the root.
    header("Missing", "X.h", "#define X\n");
    read(header("App", "Second.h", "#import <Missing/X.h>\n"), "Second.h");
    EXPECT_EQ(imports("Second.h"), (Strings{"X.h"}));
    EXPECT_EQ(defines("X.h"), (Defines{{"X", "\n"}}));

    // Only the whole search marks a name as missing: a framework deep in any sub-folder is
    // found, not only one below the first sub-folder that the listing happens to give.
    for (int i = 0; i < 8; ++i) fs::create_directories(root() + numbered("/Dir", i, "/Sub/Other.framework"));
    header("Dir5/Sub/Target", "T.h", "#define DEEP_TARGET\n");
    EXPECT_EQ(DefineMacroEngin::findFramework(root(), "Target.framework"), root() + "/Dir5/Sub/Target.framework");
    read(header("App", "Third.h", "#import <Target/T.h>\n"), "Third.h");
    EXPECT_EQ(defines("T.h"), (Defines{{"DEEP_TARGET", "\n"}}));
}

TEST_F(DefineEnginTest, LinkLoopsEndAndLinksToFoldersAreFollowed) {
    header("Fw", "Fw.h", "#import <Fw/Deep.h>\n#import <Fw/Nowhere.h>\n#import <Gone/G.h>\n");
    std::string headers = root() + "/Fw.framework/Headers";
    fs::create_directory_symlink(headers, headers + "/loop");
    fs::create_directory_symlink(root(), headers + "/up");
    fs::create_directory_symlink(root(), root() + "/Fw.framework/Frameworks");
    fs::create_directory_symlink(root(), root() + "/Self");
    tmp.write("elsewhere/more/Deep.h", "#define DEEP\n");
    tmp.write("elsewhere/Ext.framework/Headers/Ext.h", "#define EXT\n");
    fs::create_directory_symlink(tmp.str() + "/elsewhere/more", headers + "/more");
    fs::create_directory_symlink(tmp.str() + "/elsewhere/Ext.framework", root() + "/Ext.framework");

    DefineEngin().doCalc();
    EXPECT_EQ(defines("Deep.h"), (Defines{{"DEEP", "\n"}}));  // found through a link in Headers
    EXPECT_EQ(defines("Ext.h"), (Defines{{"EXT", "\n"}}));    // a framework that is a link
    EXPECT_EQ(record("Nowhere.h"), nullptr);
    EXPECT_EQ(ProcessState::frameworkPathCache().at("Gone.framework"), "");
    EXPECT_EQ(DefineMacroEngin::findHeader(root(), "Absent.h"), std::nullopt);
    EXPECT_EQ(DefineMacroEngin::findHeader(headers + "/loop", "Fw.h"), headers + "/loop/Fw.h");
}

TEST_F(DefineEnginTest, BadHeadersGiveRecordsAndNeverStopThePass) {
    std::string headers = root() + "/Fw.framework/Headers";
    // A folder or a dangling link named like a header is none: it takes no header's name from
    // the real header of that name.
    fs::create_directories(headers + "/Folder.h");
    fs::create_directory_symlink(tmp.str() + "/missing", headers + "/Dangling.h");
    header("Other", "Folder.h", "#define REAL\n");
    header("Fw", "Open.h", "#if 1\n/* never closed\n#define HIDDEN\n");
    const char bytes[] = "#define \xff\xfe \x80\0x\n#ifdef\n";  // not UTF-8, a NUL, an #ifdef of nothing
    header("Fw", "Bytes.h", std::string(bytes, sizeof bytes - 1));
    header("Fw", "Good.h", "#define GOOD\n");
    DefineEngin().doCalc();
    ASSERT_NE(record("Open.h"), nullptr);
    EXPECT_FALSE(record("Open.h")->getDefineList() || record("Open.h")->getImportList());
    EXPECT_EQ(defines("Folder.h"), (Defines{{"REAL", "\n"}}));
    EXPECT_EQ(record("Dangling.h"), nullptr);
    // The NUL reads as a space, which a define's text drops.
    EXPECT_EQ(defines("Bytes.h"), (Defines{{"\xff\xfe", "\x80x\n"}}));
    EXPECT_EQ(defines("Good.h"), (Defines{{"GOOD", "\n"}}));
}

TEST_F(DefineEnginTest, DeepImportChainRunsOnASmallStack) {
    // Each header imports the next (50 to a framework, to keep the searches short); the pass
    // runs on a thread with a 256 KiB stack, which a call chain one level per header would
    // overflow long before its end.
    const int count = 2000;
    for (int i = 0; i < count; ++i) {
        std::string next = "#define END\n";
        if (i + 1 < count) next = numbered("#import <C", (i + 1) / 50, numbered("/H", i + 1, ".h>\n"));
        header(numbered("C", i / 50, ""), numbered("H", i, ".h"), next);
    }
    std::string first = root() + "/C0.framework/Headers/H0.h";
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t thread;
    auto run = [](void* path) -> void* {
        DefineMacroEngin(nullptr, std::nullopt).calcHeaderFile(*static_cast<std::string*>(path), "H0.h");
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, &first), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    EXPECT_EQ(ProcessState::defineList().size(), static_cast<std::size_t>(count));
    std::vector<std::string> checked;
    EXPECT_TRUE(record("H0.h")->checkDefine("END", ProcessState::defineList(), checked));
}

TEST_F(DefineEnginTest, LinkFilesAreFollowedAsLinksAndNestedHeadersAreFound) {
    test::VersionedFrameworks sdk{tmp, "Frameworks", true};
    sdk.framework("Core.framework", {{"Core.h", "#define CORE 1\n"}, {"hid/Deep.h", "#define DEEP\n"}});
    sdk.framework("Umbrella.framework",
                  {{"Umbrella.h", "#import <Core/Core.h>\n#import <Sub/Sub.h>\n#import <Core/hid/Deep.h>\n"}}, true);
    sdk.framework("Umbrella.framework/Versions/A/Frameworks/Sub.framework", {{"Sub.h", "#define SUB\n"}});
    sdk.link("Umbrella.framework/Versions/A/Frameworks/Core.framework", "../../../../Core.framework");
    sdk.link("Loop.framework/Headers", "Headers");
    DefineEngin().doCalc();
    EXPECT_EQ(imports("Umbrella.h"), (Strings{"Core.h", "Sub.h", "hid/Deep.h"}));
    EXPECT_EQ(defines("Core.h"), (Defines{{"CORE", "1\n"}}));
    EXPECT_EQ(defines("Sub.h"), (Defines{{"SUB", "\n"}}));
    EXPECT_EQ(defines("hid/Deep.h"), (Defines{{"DEEP", "\n"}}));  // <Core/hid/Deep.h> names a nested header
    const std::string core = root() + "/Core.framework";
    EXPECT_EQ(DefineMacroEngin::findFramework(root(), "Sub.framework"),
              root() + "/Umbrella.framework/Versions/A/Frameworks/Sub.framework");
    EXPECT_EQ(DefineMacroEngin::findHeader(core, "Deep.h"), core + "/Versions/A/Headers/hid/Deep.h");
    EXPECT_EQ(DefineMacroEngin::findHeader(core, "hid/Deep.h"), core + "/Versions/A/Headers/hid/Deep.h");
    EXPECT_EQ(DefineMacroEngin::findHeader(core, "Headers"), std::nullopt);  // a link file is no header
}

// The macOS 14.2 SDK beside the project, whose links are stored as link files.
TEST_F(DefineEnginTest, MacOS142SdkThroughItsLinkFiles) {
    const std::string frameworks =
        std::string(KESTREL_SHARED_DIR) + "/data/macos14.2/MacOSX14.2.sdk/System/Library/Frameworks";
    if (!fs::is_directory(frameworks)) GTEST_SKIP() << "no macOS 14.2 SDK at " << frameworks;
    ProcessState::frameworksRoot() = frameworks;
    DefineEngin().doCalc();
    EXPECT_GT(ProcessState::defineList().size(), 1300u);
    EXPECT_NE(record("CGGeometry.h"), nullptr);  // CoreGraphics, also ApplicationServices' sub-framework
    EXPECT_NE(record("ATSFont.h"), nullptr);     // a real sub-framework of ApplicationServices
    const Strings views = imports("NSView.h");
    EXPECT_NE(std::find(views.begin(), views.end(), "NSResponder.h"), views.end());
    // Found first, maybe, through ApplicationServices' link to it: the same folder.
    auto coreGraphics = DefineMacroEngin::findFramework(frameworks, "CoreGraphics.framework");
    ASSERT_TRUE(coreGraphics);
    EXPECT_EQ(fs::canonical(*coreGraphics), fs::canonical(frameworks + "/CoreGraphics.framework"));
    auto view = DefineMacroEngin::findHeader(frameworks + "/AppKit.framework", "NSView.h");
    ASSERT_TRUE(view);
    EXPECT_EQ(fs::canonical(*view), fs::canonical(frameworks + "/AppKit.framework/Versions/C/Headers/NSView.h"));
}

// The Mac OS X 10.4 headers beside the project. GNUstep's go through the define pass in the
// terminal commands' tests, where a function declared with an export macro is found only when
// the guarded headers have given their defines.
TEST_F(DefineEnginTest, MacOSX104Headers) {
    const std::string frameworks = std::string(KESTREL_SHARED_DIR) + "/data/macosx10.4/Frameworks";
    if (!fs::is_directory(frameworks)) GTEST_SKIP() << "no Mac OS X 10.4 headers at " << frameworks;
    ProcessState::frameworksRoot() = frameworks;
    DefineEngin().doCalc();
    EXPECT_EQ(imports("NSString.h"), (Strings{"limits.h", "NSObject.h", "NSRange.h", "stdarg.h"}));
    EXPECT_EQ(imports("NSObject.h"), (Strings{"NSObjCRuntime.h", "NSZone.h"}));
    EXPECT_EQ(defines("NSString.h").at("NSMaximumStringLength"), "(INT_MAX-1)\n");
    // Objective-C, not C++: the #else of "#if defined(__cplusplus)".
    EXPECT_EQ(defines("NSObjCRuntime.h").at("FOUNDATION_EXPORT"), "extern\n");
    EXPECT_NE(record("CGGeometry.h"), nullptr);  // from a sub-framework
    EXPECT_EQ(visibleWords("#import <Foundation/NSString.h>\n#ifdef FOUNDATION_EXPORT\nyes\n#endif\n", "App.h"), "yes");
}
