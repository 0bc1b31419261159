#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "cli/CommandLine.h"
#include "cli/Session.h"
#include "core/platform/ProcessState.h"
#include "support/RunKestrel.h"
#include "support/TempDir.h"

using kestrel::cli::CommandIO;
using kestrel::cli::CommandLine;
using kestrel::test::KestrelRun;

namespace {

// Runs the command line in this process.
KestrelRun inProcess(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CommandIO io{out, err};
    int status = CommandLine().run(args, io);
    return {status, out.str(), err.str()};
}

}  // namespace

TEST(CommandLine, HelpListsEveryCommandAndUnknownOnesAreUsageErrors) {
    KestrelRun r = inProcess({"--help"});
    EXPECT_EQ(r.status, 0);
    CommandLine commandLine;
    for (const auto& c : commandLine.commands()) EXPECT_NE(r.out.find(c.usage), std::string::npos) << c.name;

    r = inProcess({"frobnicate"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown command 'frobnicate'"), std::string::npos);
    EXPECT_TRUE(CommandLine().handles({"frobnicate"}));
    EXPECT_FALSE(CommandLine().handles({}));
}

TEST(TokensCommand, PrintsStatusTabAndEscapedText) {
    kestrel::test::TempDir tmp;
    KestrelRun r = inProcess({"tokens", tmp.write("a.h", "#import \"a b.h\"\t// x\r\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "7\t#\n0\timport\n6\t\"\n0\ta\n0\tb.h\n6\t\"\n14\t//\n0\tx\n17\t\\r\n18\t\\n\n100\t\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(inProcess({"tokens", "--with-spaces", tmp.write("b.h", "a \tb\n")}).out,
              "0\ta\n1\t \n2\t\\t\n0\tb\n18\t\\n\n100\t\n");
    EXPECT_EQ(inProcess({"tokens", tmp.write("c.h", ""), "--with-spaces"}).out, "100\t\n");
}

TEST(TokensCommand, ConditionsWithTheirValuesAndReasons) {
    kestrel::test::TempDir tmp;
    tmp.write("Frameworks/Base.framework/Headers/Base.h", "#define BASE_LEVEL 3\n#define BASE_AT_LEAST(n) (BASE_LEVEL >= (n))\n");
    const std::string file =
        tmp.write("App.h",
                  "#import <Base/Base.h>\n#if BASE_AT_LEAST(2) && /* why */ \\\n  defined(__OBJC__)\n#endif\n"
                  "#ifdef __cplusplus\n#elif 1 / (BASE_LEVEL - 3)\n#else\n#endif\n#ifndef\n#endif\n");
    KestrelRun r = inProcess({"tokens", "--conditions", "--frameworks-root", tmp.str() + "/Frameworks", file});
    kestrel::ProcessState::reset();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "# target: macOS, default target (x86_64, no SDK headers)\n"
              "2\t#if BASE_AT_LEAST(2) && defined(__OBJC__)\t1\n"
              "5\t#ifdef __cplusplus\t0\n"
              "6\t#elif 1 / (BASE_LEVEL - 3)\t0\tdivision by zero\n"
              "9\t#ifndef \t0\tno macro name\n");
}

TEST(TokensCommand, WrongCallsAreUsageErrors) {
    for (const auto& call : std::vector<std::vector<std::string>>{
             {"tokens"}, {"tokens", "--with-spaces"}, {"tokens", "a.h", "b.h"}, {"tokens", "--bogus", "a.h"},
             {"tokens", "--frameworks-root", "/tmp", "a.h"}, {"tokens", "--conditions", "--with-spaces", "a.h"}}) {
        KestrelRun r = inProcess(call);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("usage: kestrel tokens [--with-spaces] FILE"), std::string::npos) << r.err;
    }
    // A file that cannot be read is said so (the reader alone would take it for an empty text).
    for (const char* unreadable : {"/nonexistent/kestrel.h", "/", "/dev/zero"}) {
        KestrelRun r = inProcess({"tokens", unreadable});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("cannot read"), std::string::npos);
    }
}

// A folder named from the working folder, or through "..", is taken by its own path, so that
// the build meets every header by one path.
TEST(Session, AFrameworksFolderIsTakenByItsOwnPath) {
    kestrel::test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "fw" / "A.framework" / "Headers");
    std::filesystem::create_directories(dir.path() / "work");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path() / "work");
    std::vector<std::string> args{"--frameworks-root", "../fw"};
    std::optional<std::string> root;
    std::string problem;
    const bool taken = kestrel::cli::Session::takeFrameworksRoot(args, root, problem);
    std::filesystem::current_path(before);
    ASSERT_TRUE(taken) << problem;
    ASSERT_TRUE(root);
    EXPECT_EQ(*root, std::filesystem::weakly_canonical(dir.path() / "fw").string());
    EXPECT_TRUE(args.empty());
}
