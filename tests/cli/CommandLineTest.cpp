#include <gtest/gtest.h>

#include <sstream>

#include "cli/CommandLine.h"
#include "support/RunKestrel.h"
#include "support/TempDir.h"

using kestrel::cli::CommandIO;
using kestrel::cli::CommandLine;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome runKestrel(std::vector<std::string> args) {
    std::ostringstream out, err;
    CommandIO io{out, err};
    int status = CommandLine().run(args, io);
    return {status, out.str(), err.str()};
}

}  // namespace

TEST(CommandLine, HelpListsEveryCommandAndUnknownOnesAreUsageErrors) {
    Outcome r = runKestrel({"--help"});
    EXPECT_EQ(r.status, 0);
    CommandLine commandLine;
    for (const auto& c : commandLine.commands()) EXPECT_NE(r.out.find(c.usage), std::string::npos) << c.name;

    r = runKestrel({"frobnicate"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown command 'frobnicate'"), std::string::npos);
    EXPECT_TRUE(CommandLine().handles({"frobnicate"}));
    EXPECT_FALSE(CommandLine().handles({}));
}

TEST(TokensCommand, PrintsStatusTabAndEscapedText) {
    kestrel::test::TempDir tmp;
    Outcome r = runKestrel({"tokens", tmp.write("a.h", "#import \"a b.h\"\t// x\r\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "7\t#\n0\timport\n6\t\"\n0\ta\n0\tb.h\n6\t\"\n14\t//\n0\tx\n17\t\\r\n18\t\\n\n100\t\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(runKestrel({"tokens", "--with-spaces", tmp.write("b.h", "a \tb\n")}).out,
              "0\ta\n1\t \n2\t\\t\n0\tb\n18\t\\n\n100\t\n");
    EXPECT_EQ(runKestrel({"tokens", tmp.write("c.h", ""), "--with-spaces"}).out, "100\t\n");

    // The executable runs it.
    kestrel::test::KestrelRun run = kestrel::test::runKestrel(tmp.str(), {"tokens", tmp.write("d.h", "int x;\n")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "0\tint\n0\tx\n5\t;\n18\t\\n\n100\t\n");
}

TEST(TokensCommand, WrongCallsAreUsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string>>{{}, {"--with-spaces"}, {"a.h", "b.h"}, {"--bogus", "a.h"}}) {
        std::vector<std::string> call{"tokens"};
        call.insert(call.end(), args.begin(), args.end());
        Outcome r = runKestrel(call);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("usage: kestrel tokens [--with-spaces] FILE"), std::string::npos) << r.err;
    }
    // A file that cannot be read is said so (the reader alone would take it for an empty text).
    for (const char* unreadable : {"/nonexistent/kestrel.h", "/", "/dev/zero"}) {
        Outcome r = runKestrel({"tokens", unreadable});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("cannot read"), std::string::npos);
    }
}
