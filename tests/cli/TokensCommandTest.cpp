#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CommandLine.h"

using kestrel::cli::CommandIO;
using kestrel::cli::CommandLine;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome tokens(std::vector<std::string> args) {
    args.insert(args.begin(), "tokens");
    std::ostringstream out, err;
    CommandIO io{out, err};
    int status = CommandLine().run(args, io);
    return {status, out.str(), err.str()};
}

class TokensCommandTest : public testing::Test {
protected:
    std::string write(const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    void TearDown() override { std::filesystem::remove(path); }
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("kestrel-tokens-" + std::to_string(::getpid()) + ".h");
};

}  // namespace

TEST_F(TokensCommandTest, PrintsStatusTabAndEscapedText) {
    Outcome r = tokens({write("#import \"a b.h\"\t// x\r\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "7\t#\n0\timport\n6\t\"\n0\ta\n0\tb.h\n6\t\"\n14\t//\n0\tx\n17\t\\r\n18\t\\n\n100\t\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(tokens({"--with-spaces", write("a \tb\n")}).out, "0\ta\n1\t \n2\t\\t\n0\tb\n18\t\\n\n100\t\n");
    EXPECT_EQ(tokens({write(""), "--with-spaces"}).out, "100\t\n");
}

TEST_F(TokensCommandTest, WrongCallsAreUsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string>>{{}, {"--with-spaces"}, {"a.h", "b.h"}, {"--bogus", "a.h"}}) {
        Outcome r = tokens(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("usage: kestrel tokens [--with-spaces] FILE"), std::string::npos) << r.err;
    }
    // A file that cannot be read is said so (the reader alone would take it for an empty text).
    for (const char* unreadable : {"/nonexistent/kestrel.h", "/", "/dev/zero"}) {
        Outcome r = tokens({unreadable});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("cannot read"), std::string::npos);
    }
}

TEST_F(TokensCommandTest, TheExecutableRunsIt) {
    auto run = [](const std::string& args, std::string& out) {
        FILE* pipe = ::popen((std::string(KESTREL_BINARY) + " " + args).c_str(), "r");
        char chunk[256];
        while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) out.append(chunk, n);
        return WEXITSTATUS(::pclose(pipe));
    };
    std::string out, ignored;
    EXPECT_EQ(run("tokens '" + write("int x;\n") + "'", out), 0);
    EXPECT_EQ(out, "0\tint\n0\tx\n5\t;\n18\t\\n\n100\t\n");
    EXPECT_EQ(run("tokens 2>/dev/null", ignored), 2);
}
