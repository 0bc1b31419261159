#include <gtest/gtest.h>

#include <sstream>

#include "cli/CommandLine.h"

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

TEST(CommandLine, HelpListsEveryCommand) {
    Outcome r = runKestrel({"--help"});
    EXPECT_EQ(r.status, 0);
    CommandLine commandLine;
    for (const auto& c : commandLine.commands()) EXPECT_NE(r.out.find(c.usage), std::string::npos) << c.name;
}

TEST(CommandLine, UnknownCommandIsAUsageError) {
    Outcome r = runKestrel({"frobnicate"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown command 'frobnicate'"), std::string::npos);
    EXPECT_TRUE(CommandLine().handles({"frobnicate"}));
    EXPECT_FALSE(CommandLine().handles({}));
}
