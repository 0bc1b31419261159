// What the terminal commands say and answer when the stored tree cannot be written or read,
// run as a user runs them: a full disk, a read-only data folder, a mistyped frameworks root,
// damaged or huge files, trees deeper than any stack.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/RunKestrel.h"
#include "support/TempDir.h"
#include "support/TmpfsMount.h"

namespace fs = std::filesystem;
using kestrel::test::KestrelRun;
using kestrel::test::runKestrel;
using kestrel::test::TempDir;
using kestrel::test::TmpfsMount;

namespace {

class StoreCommands : public testing::Test {
protected:
    void SetUp() override {
        dir.write("fw/Base.framework/Headers/BObject.h",
                  "@interface BObject\n- (id)init;\n@end\n@interface BView : BObject\n- (void)drawRect:(BRect)r;\n@end\n"
                  "typedef struct _BRect { float x; } BRect;\ntypedef long BInteger;\n");
        home = (dir.path() / "home").string();
        data = home + "/.local/share/Kestrel";
        fs::create_directories(home);
        root = (dir.path() / "fw").string();
    }
    KestrelRun kestrel(std::vector<std::string> args, const std::string& limits = "") {
        args.push_back("--frameworks-root");
        args.push_back(root);
        return runKestrel(home, args, "", limits);
    }
    // A header of many classes: a tree that takes far more room than the first one.
    void addManyClasses() {
        std::string text;
        for (int i = 0; i < 3000; ++i) text.append("@interface Many").append(std::to_string(i)).append(" : BObject\n@end\n");
        dir.write("fw/Many.framework/Headers/Many.h", text);
    }

    TempDir dir;
    std::string home, data, root;
};

const std::string kOutline = "BObject\n  BView\n";

}  // namespace

// The disk fills up while a build stores its tree: it says so and answers not 0, and the
// next command finds the tree before it whole.
TEST_F(StoreCommands, ABuildOnAFullDiskSaysSoAndLeavesThePreviousTreeWhole) {
    ASSERT_EQ(kestrel({"build"}).status, 0);
    addManyClasses();
    KestrelRun full = kestrel({"build"}, "trap '' XFSZ; ulimit -f 64");  // no file beyond 32 KB
    EXPECT_EQ(full.status, 3);
    EXPECT_NE(full.err.find("The class tree could not be stored"), std::string::npos) << full.err;
    EXPECT_NE(full.err.find("larger than this system allows"), std::string::npos) << full.err;
    EXPECT_NE(full.err.find("The stored tree is left as it was"), std::string::npos) << full.err;
    EXPECT_EQ(kestrel({"tree"}).out, kOutline);
    EXPECT_EQ(std::distance(fs::directory_iterator(data + "/trees"), {}), 1);

    // A real full disk, where a small one can be mounted.
    TempDir small;
    const std::string smallHome = small.str();
    TmpfsMount disk(smallHome + "/.local/share/Kestrel", "size=96k");
    if (!disk.mounted()) GTEST_SKIP() << "no small file system can be mounted here (not root)";
    fs::remove_all(dir.path() / "fw/Many.framework");
    ASSERT_EQ(runKestrel(smallHome, {"build", "--frameworks-root", root}).status, 0);
    addManyClasses();
    KestrelRun filled = runKestrel(smallHome, {"build", "--frameworks-root", root});
    EXPECT_EQ(filled.status, 3);
    EXPECT_NE(filled.err.find("the disk is full"), std::string::npos) << filled.err;
    EXPECT_EQ(runKestrel(smallHome, {"tree", "--frameworks-root", root}).out, kOutline);
}

// A data folder that cannot be written is named as such -- not taken for a frameworks root
// without headers.
TEST_F(StoreCommands, AReadOnlyDataFolderIsNamedAsSuch) {
    fs::create_directories(data);
    std::optional<TmpfsMount> readOnly;
    if (geteuid() == 0) {
        readOnly.emplace(data, "size=64k", true);
        if (!readOnly->mounted()) GTEST_SKIP() << "root, and no read-only file system can be mounted here";
    } else {
        fs::permissions(data, fs::perms(0555));
    }
    KestrelRun build = runKestrel(home, {"build"});  // the default root is a folder kept in the data folder
    EXPECT_EQ(build.status, 3);
    EXPECT_NE(build.err.find("the data folder " + data + " is"), std::string::npos) << build.err;
    EXPECT_NE(build.err.find("read-only"), std::string::npos) << build.err;
    EXPECT_EQ(build.err.find("no header found"), std::string::npos) << build.err;
    // A command that builds in passing still shows its tree, and says what it could not store.
    KestrelRun tree = kestrel({"tree"});
    EXPECT_EQ(tree.out, kOutline);
    EXPECT_EQ(tree.status, 3);
    EXPECT_NE(tree.err.find("could not be stored"), std::string::npos) << tree.err;
    if (!readOnly) fs::permissions(data, fs::perms(0755));
}

// A build that finds nothing (a mistyped root) answers 1 and changes no stored file: the
// typedefs, and with them what --arguments shows, stay.
TEST_F(StoreCommands, AFailedOrEmptyBuildChangesNoStoredFile) {
    ASSERT_EQ(kestrel({"build"}).status, 0);
    const std::string arguments = kestrel({"info", "BView", "--arguments"}).out;
    ASSERT_NE(arguments.find("typedef"), std::string::npos) << arguments;
    const fs::path set = fs::canonical(data + "/currentTree");
    KestrelRun typo = runKestrel(home, {"build", "--frameworks-root", (dir.path() / "typo").string()});
    EXPECT_EQ(typo.status, 1);
    EXPECT_NE(typo.err.find("no header found"), std::string::npos) << typo.err;
    EXPECT_NE(typo.err.find("the stored tree is left as it was"), std::string::npos) << typo.err;
    EXPECT_EQ(fs::canonical(data + "/currentTree"), set);
    EXPECT_EQ(kestrel({"info", "BView", "--arguments"}).out, arguments);
}

// Damaged stored files are named with the reason on every command that loads them.
TEST_F(StoreCommands, StoredFilesThatCannotBeReadAreNamed) {
    ASSERT_EQ(kestrel({"build"}).status, 0);
    std::ofstream(data + "/functions") << "garbage";  // through the link, into the stored set
    KestrelRun find = kestrel({"find", "BObject"});
    EXPECT_EQ(find.status, 0);
    EXPECT_NE(find.err.find("kestrel: functions could not be read (not a property list): the functions are left out "
                            "until a build makes it again."),
              std::string::npos)
        << find.err;
}

// 100,000 classes each the subclass of the one before, under 100,000 protocols each adopting
// the one before: printed with a stack of one megabyte.
TEST_F(StoreCommands, HundredThousandDeepChainsArePrintedWithoutRecursion) {
    constexpr int kDepth = 100000;
    fs::create_directories(data);
    auto record = [](std::ofstream& out, int kind, const std::string& name, const std::string& super,
                     const std::string& protocol, const std::string& method) {
        out << "<dict><key>kind</key><integer>" << kind << "</integer><key>name</key><string>" << name << "</string>";
        if (!super.empty()) out << "<key>superName</key><string>" << super << "</string>";
        if (!protocol.empty()) out << "<key>protocolNames</key><array><string>" << protocol << "</string></array>";
        out << "<key>methodList</key><array><string>" << method << "</string></array></dict>\n";
    };
    std::ofstream classes(data + "/classData"), protocols(data + "/protocolData");
    for (std::ofstream* out : {&classes, &protocols}) *out << "<plist version=\"1.0\"><array><integer>1</integer>\n";
    // Built with append: GCC 12 warns falsely (-Wrestrict) on a literal + string.
    auto named = [](const char* prefix, int i) { return std::string(prefix).append(std::to_string(i)); };
    for (int i = 0; i < kDepth; ++i) {
        record(classes, 2, named("C", i), i ? named("C", i - 1) : "", i == kDepth - 1 ? named("P", i) : "",
               named("-(void)c", i));
        record(protocols, 4, named("P", i), "", i ? named("P", i - 1) : "", named("-(void)p", i));
    }
    for (std::ofstream* out : {&classes, &protocols}) *out << "</array></plist>\n";
    classes.close();
    protocols.close();
    std::ofstream(data + "/categoryData") << "<plist version=\"1.0\"><array><integer>1</integer></array></plist>";

    const std::string last = named("C", kDepth - 1);
    KestrelRun tree = kestrel({"tree", "C99990"}, "ulimit -s 1024");
    EXPECT_EQ(tree.status, 0) << tree.err;
    EXPECT_EQ(tree.out.substr(tree.out.size() - last.size() - 19), std::string(18, ' ').append(last).append("\n"));
    KestrelRun inherited = kestrel({"info", "--inherited", last}, "ulimit -s 1024");
    EXPECT_EQ(inherited.status, 0) << inherited.err;
    EXPECT_EQ(std::count(inherited.out.begin(), inherited.out.end(), '\n'), 2 * kDepth);
    EXPECT_EQ(inherited.out.substr(inherited.out.size() - 13), "-(void)c0\tC0\n");
}

// A header larger than any real one is not read: it is named, with the reason.
TEST_F(StoreCommands, AHeaderLargerThanAnyRealOneIsSkippedWithAMessage) {
    const std::string huge = dir.write("Huge.h", "");
    ASSERT_EQ(::truncate(huge.c_str(), (off_t{65} << 20)), 0);  // sparse: no room taken
    KestrelRun dump = runKestrel(home, {"dump", huge});
    EXPECT_EQ(dump.status, 1);
    EXPECT_NE(dump.err.find("cannot read " + huge + ": 65 MB, larger than the 64 MB such a file can be"),
              std::string::npos)
        << dump.err;
    KestrelRun tokens = runKestrel(home, {"tokens", huge});
    EXPECT_EQ(tokens.status, 1);
    EXPECT_NE(tokens.err.find("larger than the 64 MB"), std::string::npos) << tokens.err;
}
