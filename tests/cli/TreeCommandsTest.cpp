// The terminal tree commands, run as a user runs them: a small frameworks root, HOME in a
// test folder, the real executable.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/RunKestrel.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using kestrel::test::KestrelRun;
using kestrel::test::runKestrel;
using kestrel::test::TempDir;

namespace {

class TreeCommands : public testing::Test {
protected:
    void SetUp() override {
        dir.write("fw/Base.framework/Headers/BObject.h",
                  "@interface BObject\n- (id)init;\n+ (id)alloc;\n@end\n"
                  "@interface BObject (Extras)\n- (void)extraWork;\n@end\n"
                  "extern void BLog(const char *text);\n"
                  "typedef struct _BRect {\n  float x;\n} BRect;\n"
                  "enum { BNone = 0 };\ntypedef enum : unsigned { BAlignLeft, BAlignRight = 1 << 1 } BAlignment;\n");
        dir.write("fw/Base.framework/Headers/BString.h",
                  "#import <Base/BObject.h>\n@protocol BCopying\n- (id)copy;\n@end\n"
                  "@interface BString : BObject <BCopying>\n- (unsigned)length;\n- (void)drawInRect:(BRect)r;\n@end\n"
                  "@interface BMutableString : BString\n- (void)appendString:(BString *)s;\n@end\n");
        dir.write("fw/Kit.framework/Headers/KView.h",
                  "@interface KView : BObject\n- (void)drawRect:(BRect)rect;\n@end\n"
                  "@interface KButton : KView\n@end\n");
        home = (dir.path() / "home").string();
        fs::create_directories(home);
        root = (dir.path() / "fw").string();
    }

    KestrelRun kestrel(std::vector<std::string> args) {
        args.push_back("--frameworks-root");
        args.push_back(root);
        return runKestrel(home, args);
    }

    std::map<std::string, fs::file_time_type> dataFileTimes() {
        std::map<std::string, fs::file_time_type> times;
        // The tree files, through the data folder's links into the stored set.
        for (const auto& e : fs::directory_iterator(home + "/.local/share/Kestrel"))
            if (e.is_regular_file() && e.path().filename().string()[0] != '.')
                times[e.path().filename().string()] = e.last_write_time();
        return times;
    }

    TempDir dir;
    std::string home, root;
};

}  // namespace

TEST_F(TreeCommands, BuildStoresTheTreeThatTheOtherCommandsLoad) {
    KestrelRun build = kestrel({"build"});
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_NE(build.out.find("5 classes, 1 categories, 1 protocols"), std::string::npos) << build.out;
    EXPECT_NE(build.out.find("1 functions"), std::string::npos) << build.out;
    EXPECT_NE(build.out.find("from 3 headers"), std::string::npos) << build.out;

    const std::string outline = "BObject\n  BString\n    BMutableString\n  KView\n    KButton\n";
    KestrelRun tree = kestrel({"tree"});
    EXPECT_EQ(tree.status, 0);
    EXPECT_EQ(tree.out, outline);
    EXPECT_EQ(kestrel({"tree", "KView"}).out, "KView\n  KButton\n");

    KestrelRun info = kestrel({"info", "BMutableString"});
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("Framework: Base.framework\nHeader: BString.h\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Superclasses: BString : BObject\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("-(void)appendString:(BString*)s"), std::string::npos) << info.out;
    KestrelRun base = kestrel({"info", "BObject"});
    EXPECT_NE(base.out.find("  Extras (BObject.h)\n    -(void)extraWork\n"), std::string::npos) << base.out;

    // A second build from the same headers gives the same tree; loading it and quitting without
    // a change writes no file.
    ASSERT_EQ(kestrel({"build"}).status, 0);
    auto before = dataFileTimes();
    ASSERT_EQ(before.size(), 9u);  // the tree's files, named in the store's tests
    EXPECT_EQ(kestrel({"tree"}).out, outline);
    EXPECT_EQ(kestrel({"find", "--methods", "init"}).status, 0);
    EXPECT_EQ(kestrel({"info", "KButton"}).status, 0);
    EXPECT_EQ(dataFileTimes(), before);
}

TEST_F(TreeCommands, FindUsesThePanelsKeywordRulesAndCountLineAndPrintsInTheStyleAsked) {
    KestrelRun classes = kestrel({"find", "STRING"});  // no tree stored yet: this one builds
    EXPECT_EQ(classes.status, 0) << classes.err;
    EXPECT_EQ(classes.out, "BString\nBMutableString\n  2 classes found\n");
    KestrelRun methods = kestrel({"find", "--methods", "rect draw"});
    // Both names start with a keyword: the shorter first.
    EXPECT_EQ(methods.out, "KView\t-(void)drawRect:(BRect)rect\nBString\t-(void)drawInRect:(BRect)r\n  2 methods found\n");
    // Category methods come with the class the category belongs to.
    EXPECT_EQ(kestrel({"find", "--methods", "extra"}).out, "BObject\t-(void)extraWork\n  1 method found\n");
    EXPECT_EQ(kestrel({"find", "--functions", "blog"}).out, "void BLog(const char* text)\n  1 Function/Macro found\n");
    KestrelRun none = kestrel({"find", "nothing-like-this"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");

    EXPECT_EQ(kestrel({"find", "--functions", "blog", "--style", "call"}).out, " BLog(const char* text);\n  1 Function/Macro found\n");
    EXPECT_EQ(kestrel({"find", "--style", "declaration", "--functions", "blog"}).out,
              "void BLog(const char* text);\n  1 Function/Macro found\n");
    EXPECT_EQ(kestrel({"find", "--methods", "extra", "--style", "call"}).out,
              "BObject\t[BObject*_VALUE extraWork];\n  1 method found\n");
    EXPECT_EQ(kestrel({"find", "--functions", "blog", "--style", "snippet"}).out,
              "BLog(<#const char *text#>)\n  1 Function/Macro found\n");
    EXPECT_EQ(kestrel({"find", "--methods", "extra", "--style", "snippet"}).out,
              "BObject\t[<#BObject *#> extraWork]\n  1 method found\n");
    // Enum constants with their enum, an anonymous one's by its header; the enum's name finds
    // all of its constants.
    EXPECT_EQ(kestrel({"find", "--constants", "alignment"}).out,
              "BAlignLeft\tBAlignment\nBAlignRight = 1 << 1\tBAlignment\n  2 constants found\n");
    EXPECT_EQ(kestrel({"find", "--constants", "bnone"}).out, "BNone = 0\tBObject.h\n  1 constant found\n");
}

TEST_F(TreeCommands, FindAnyRanksEveryKindAsQuickOpenDoes) {
    // The letters in order, over every kind: whole prefixes first, shorter first (of one length,
    // the kinds in their order), then the letters scattered.
    KestrelRun any = kestrel({"find", "--any", "dr"});
    EXPECT_EQ(any.status, 0) << any.err;
    EXPECT_EQ(any.out, "method\tdrawRect:\tKView\nmethod\tdrawInRect:\tBString\nmethod\tappendString:\tBMutableString\n"
                       "  3 entries found\n");
    EXPECT_EQ(kestrel({"find", "--any", "bal"}).out,
              "enum\tBAlignment\tBase/BObject.h\ntypedef\tBAlignment\t= enum BAlignment\n"
              "enum constant\tBAlignLeft\tBAlignment\nenum constant\tBAlignRight\tBAlignment\n"
              "class\tBMutableString\tBase/BString.h\n  5 entries found\n");
    EXPECT_EQ(kestrel({"find", "--any", "--style", "snippet", "blog"}).out,
              "function\tBLog(<#const char *text#>)\tBase/BObject.h\n  1 entry found\n");
    KestrelRun none = kestrel({"find", "--any", "zqx"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
}

TEST_F(TreeCommands, WrongCallsAreUsageErrorsMissingClassesAndHeadersAreNotFound) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"tree", "A", "B"}, {"tree", "--bogus"}, {"find"}, {"find", "--everything", "x"},
          {"info"}, {"build", "extra"}, {"info", "BObject", "--style", "foo"}, {"info", "BObject", "--style"},
          {"find", "--functions", "blog", "--style", "Call"}, {"find", "--style", "call", "blog"},
          {"find", "--constants", "--style", "call", "bnone"}, {"find", "--any", "--methods", "x"},
          {"info", "--inherited"}, {"info", "--arguments", "A", "B"}}) {
        KestrelRun run = kestrel(args);
        EXPECT_EQ(run.status, 2) << args[0] << " " << args[1];
        EXPECT_NE(run.err.find("usage: kestrel "), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_NE(kestrel({"info", "BObject", "--style", "foo"}).err.find("unknown style 'foo'"), std::string::npos);
    KestrelRun noFolder = runKestrel(home, {"tree", "--frameworks-root"});
    EXPECT_EQ(noFolder.status, 2);
    EXPECT_NE(noFolder.err.find("--frameworks-root needs a folder"), std::string::npos);
    KestrelRun missing = kestrel({"info", "NoSuchClass"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no class named NoSuchClass"), std::string::npos);
    EXPECT_EQ(kestrel({"tree", "NoSuchClass"}).status, 1);

    fs::create_directories(dir.path() / "empty");
    KestrelRun build = runKestrel(home, {"build", "--frameworks-root", (dir.path() / "empty").string()});
    EXPECT_EQ(build.status, 1);
    EXPECT_NE(build.err.find("no header found under"), std::string::npos) << build.err;
}

// An SDK is chosen on the command line or in the preferences (the command line wins), and the
// build names it; this one's frameworks folder is a link file, as a checkout without links has it.
TEST_F(TreeCommands, TheSdkIsChosenOnTheCommandLineOrInThePreferencesAndNamed) {
    dir.write("MacOSX13.1.sdk/System/Library/Frameworks", "../../../fw");
    const std::string sdk = (dir.path() / "MacOSX13.1.sdk").string();
    KestrelRun build = runKestrel(home, {"build", "--sdk", sdk});
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_NE(build.out.find("from 3 headers of macOS 13.1 in "), std::string::npos) << build.out;
    const std::string outline = "BObject\n  BString\n    BMutableString\n  KView\n    KButton\n";
    EXPECT_EQ(runKestrel(home, {"tree", "--sdk=" + sdk}).out, outline);

    dir.write("home/.config/Kestrel.plist",
              "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>sdkPath</key><string>" + sdk +
                  "</string></dict></plist>");
    build = runKestrel(home, {"build"});
    EXPECT_NE(build.out.find("from 3 headers of macOS 13.1 in "), std::string::npos) << build.out;
    build = kestrel({"build"});  // the command line over the preferences
    EXPECT_NE(build.out.find("from 3 headers of " + root + " in "), std::string::npos) << build.out;

    for (const auto& [args, problem] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"build", "--sdk", root}, "is no SDK"},
             {{"info", "BObject", "--sdk", sdk, "--frameworks-root", root}, "not both"},
             {{"find", "x", "--sdk"}, "--sdk needs a folder"},
             {{"tree", "--sdk="}, "--sdk needs a folder"}}) {
        KestrelRun run = runKestrel(home, args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_NE(run.err.find(problem), std::string::npos) << run.err;
    }
}

TEST_F(TreeCommands, BuildCountsHeadersThatCannotBeReadApartAndNamesThemWhenVerbose) {
    // /proc/self/mem is a regular file whose first bytes cannot be read.
    const std::string mem = root + "/Kit.framework/Headers/Mem.h";
    fs::create_symlink("/proc/self/mem", mem);
    KestrelRun build = kestrel({"build"});
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_NE(build.out.find("from 3 headers (1 could not be read) of "), std::string::npos) << build.out;
    EXPECT_NE(build.err.find("1 header could not be read (--verbose names them)"), std::string::npos) << build.err;
    build = kestrel({"build", "--verbose"});
    EXPECT_NE(build.err.find("could not read " + mem + "\n"), std::string::npos) << build.err;
}

TEST_F(TreeCommands, InfoPrintsMethodsAsDeclarationsOrCallsWithArgumentsOrAllThatIsInherited) {
    KestrelRun calls = kestrel({"info", "BObject", "--style", "call"});
    EXPECT_EQ(calls.status, 0) << calls.err;
    EXPECT_EQ(calls.out, "id_VALUE = [BObject*_VALUE init];\nid_VALUE = [BObject alloc];\n[BObject*_VALUE extraWork];\n");
    EXPECT_EQ(kestrel({"info", "--style", "declaration", "BObject"}).out, "-(id)init;\n+(id)alloc;\n-(void)extraWork;\n");
    KestrelRun none = kestrel({"info", "KButton", "--style", "call"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");

    EXPECT_EQ(kestrel({"info", "BString", "--arguments"}).out,
              "-(unsigned )length\n-(void)drawInRect:(BRect)r\n    typedef  struct _BRect  BRect;\n    struct  _BRect\n"
              "    {\n        float x;\n    };\n");
    EXPECT_EQ(kestrel({"info", "BMutableString", "--arguments", "--style", "call"}).out,
              "[BMutableString*_VALUE appendString:(BString*)s];\n    BString is Class\n");

    EXPECT_EQ(kestrel({"info", "--inherited", "BMutableString"}).out,
              "-(void)appendString:(BString*)s\tBMutableString\n"
              "-(unsigned )length\tBString\n"
              "-(void)drawInRect:(BRect)r\tBString\n"
              "-(id)copy\t<BCopying>\n"
              "-(id)init\tBObject\n"
              "+(id)alloc\tBObject\n"
              "-(void)extraWork\tBObject (Extras)\n");
    EXPECT_EQ(kestrel({"info", "--inherited", "KButton", "--style", "call"}).out,
              "[KButton*_VALUE drawRect:(BRect)rect];\tKView\n"
              "id_VALUE = [KButton*_VALUE init];\tBObject\nid_VALUE = [KButton alloc];\tBObject\n"
              "[KButton*_VALUE extraWork];\tBObject (Extras)\n");
}

TEST_F(TreeCommands, DocumentationAvailabilityAndPlaceArePrintedAndTheClassAsJson) {
    dir.write("fw/Doc.framework/Headers/DView.h",
              "#define DEPRECATED_ATTRIBUTE __attribute__((deprecated))\n"
              "/** A view that draws. */\n"
              "@interface DView : BObject <BCopying>\n"
              "/// Draws the view.\n"
              "/// @param r the rectangle\n"
              "- (void)drawRect:(BRect)r;\n"
              "- (void)oldDraw __attribute__((availability(macos,introduced=10.0,deprecated=10.14,replacement=\"drawRect:\")));\n"
              "- (void)legacy DEPRECATED_ATTRIBUTE;\n"
              "@end\n");
    ASSERT_EQ(kestrel({"build"}).status, 0);

    KestrelRun info = kestrel({"info", "DView"});
    EXPECT_NE(info.out.find("  -(void)oldDraw  [macOS 10.0+] [deprecated macOS 10.14: use drawRect:]\n"), std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("  -(void)legacy  [deprecated]\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("  -(void)drawRect:(BRect)r\n"), std::string::npos) << info.out;

    KestrelRun doc = kestrel({"info", "DView", "--doc"});
    EXPECT_NE(doc.out.find("  A view that draws.\n  Declared in: Doc.framework/DView.h:3\n"), std::string::npos) << doc.out;
    EXPECT_NE(doc.out.find("      Draws the view."), std::string::npos) << doc.out;
    EXPECT_NE(doc.out.find("      Declared in: Doc.framework/DView.h:6\n"), std::string::npos) << doc.out;
    EXPECT_NE(doc.out.find("      Deprecated in macOS 10.14: use drawRect:\n"), std::string::npos) << doc.out;

    KestrelRun json = kestrel({"info", "DView", "--json"});
    ASSERT_EQ(json.status, 0);
    for (const char* part : {"\"class\": \"DView\"", "\"superclasses\": [\n    \"BObject\"\n  ]", "\"header\": \"DView.h\"",
                             "\"line\": 3", "\"doc\": \"A view that draws.\"", "\"declaration\": \"-(void)oldDraw\"",
                             "\"deprecated\": true", "\"replacement\": \"drawRect:\""})
        EXPECT_NE(json.out.find(part), std::string::npos) << part << "\n" << json.out;
    EXPECT_NE(kestrel({"info", "DView", "--json", "--doc"}).status, 0);

    KestrelRun find = kestrel({"find", "--methods", "oldDraw", "--doc"});
    EXPECT_NE(find.out.find("DView\t-(void)oldDraw  [macOS 10.0+] [deprecated macOS 10.14: use drawRect:]\n"
                            "    Availability: macOS 10.0–10.14\n"),
              std::string::npos)
        << find.out;
    // Text made to be pasted carries no marker.
    EXPECT_EQ(kestrel({"find", "--methods", "oldDraw", "--style", "call"}).out.find("[macOS"), std::string::npos);
}

TEST_F(TreeCommands, TheSameAttributeWrittenInTwoHeadersSaysWhatEachHeadersMacroSays) {
    // One thread reads both headers, so the second may take what the first read, but only
    // where its macro is the same definition.
    dir.write("fw/One.framework/Headers/OneDefs.h", "#define KS_AVAIL(v) __attribute__((availability(macos,introduced=v)))\n");
    dir.write("fw/One.framework/Headers/OView.h",
              "#import <One/OneDefs.h>\n@interface OView : BObject\n- (void)draw KS_AVAIL(10.5);\n@end\n");
    dir.write("fw/Two.framework/Headers/TwoDefs.h",
              "#define KS_AVAIL(v) __attribute__((availability(macos,introduced=10.0,deprecated=v)))\n");
    dir.write("fw/Two.framework/Headers/TView.h",
              "#import <Two/TwoDefs.h>\n@interface TView : BObject\n- (void)draw KS_AVAIL(10.5);\n@end\n");
    ASSERT_EQ(runKestrel(home, {"build", "--frameworks-root", root}, "KESTREL_BUILD_THREADS=1").status, 0);
    const std::string one = kestrel({"info", "OView"}).out;
    const std::string two = kestrel({"info", "TView"}).out;
    EXPECT_NE(one.find("  -(void)draw  [macOS 10.5+]\n"), std::string::npos) << one;
    EXPECT_NE(two.find("  -(void)draw  [macOS 10.0+] [deprecated macOS 10.5]\n"), std::string::npos) << two;
}

TEST_F(TreeCommands, TheStoredFilesArePropertyListsThatPythonReads) {
    if (std::system("python3 -c 'import plistlib' 2>/dev/null") != 0) GTEST_SKIP() << "no python3 here";
    dir.write("fw/Doc.framework/Headers/DOld.h", "/** Old \xD1\xD1 bytes\f of a Mac OS Roman header. */\n@interface DOld : BObject\n@end\n");
    ASSERT_EQ(kestrel({"build"}).status, 0);
    const std::string script = "import plistlib,sys,os\n"
                               "d=sys.argv[1]\n"
                               "for f in os.listdir(d):\n"
                               "  if not f.startswith('.') and os.path.isfile(os.path.join(d,f)):\n"
                               "    plistlib.load(open(os.path.join(d,f),'rb'))\n";
    dir.write("check.py", script);
    const std::string command = "python3 " + (dir.path() / "check.py").string() + " " + home + "/.local/share/Kestrel";
    EXPECT_EQ(std::system(command.c_str()), 0);
}
