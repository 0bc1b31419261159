#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/platform/EditorCommand.h"

using namespace kestrel;
using Words = std::vector<std::string>;

TEST(EditorCommand, CommandsAreCutIntoWordsAsAShellCutsThem) {
    struct Case {
        const char* command;
        Words words;
    };
    const Case cases[] = {
        {"code --goto %f:%l", {"code", "--goto", "%f:%l"}},
        {"  kate\t--line   %l %f ", {"kate", "--line", "%l", "%f"}},
        {"\"/opt/My Editor/ed\" +%l", {"/opt/My Editor/ed", "+%l"}},
        {"gvim '+%l' \"%f\"", {"gvim", "+%l", "%f"}},
        {"ed --title=\"a b\"'c d'e", {"ed", "--title=a bc de"}},       // quoted parts join their word
        {"ed 'it''s' \"say \\\"hi\\\"\"", {"ed", "its", "say \"hi\""}},  // \" inside double quotes
        {"ed \"a\\nb\" 'a\\b'", {"ed", "a\\nb", "a\\b"}},              // other backslashes stay in quotes
        {"ed a\\ b \\'x", {"ed", "a b", "'x"}},                       // outside, a backslash keeps the next
        {"ed \"\" ''", {"ed", "", ""}},                                 // empty quotes are empty words
        {"ed $HOME `id` ;rm -rf ~ | x", {"ed", "$HOME", "`id`", ";rm", "-rf", "~", "|", "x"}},  // nothing expands
        {"ed trailing\\", {"ed", "trailing\\"}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& c : cases) {
        std::optional<Words> words = EditorCommand::split(c.command);
        ASSERT_TRUE(words) << c.command;
        EXPECT_EQ(*words, c.words) << c.command;
    }
    for (const char* open : {"ed \"%f", "ed '%f", "ed \"a\\\""}) {
        std::string problem;
        EXPECT_FALSE(EditorCommand::split(open, &problem)) << open;
        EXPECT_NE(problem.find("not closed"), std::string::npos) << problem;
    }
}

TEST(EditorCommand, TheFileAndLineGoInsideTheWordsNeverThroughAShell) {
    using L = EditorCommand::Launch;
    const std::string file = "/h/My Headers/NSView.h";
    EXPECT_EQ(EditorCommand::launch("code --goto %f:%l", file, 42), (L{"code", {"--goto", file + ":42"}}));
    EXPECT_EQ(EditorCommand::launch("kate --line %l %f", file, 42), (L{"kate", {"--line", "42", file}}));
    EXPECT_EQ(EditorCommand::launch("gvim +%l", file, 7), (L{"gvim", {"+7", file}}));  // no %f: the file comes last
    EXPECT_EQ(EditorCommand::launch("ed %%f %l%%", file, 0), (L{"ed", {"%f", "1%", file}}));  // line 0 is line 1
    EXPECT_EQ(EditorCommand::launch("ed %x %", file, 3), (L{"ed", {"%x", "%", file}}));
    // A file name that looks like shell syntax is one argument, taken as it is.
    const std::string odd = "/tmp/a'b\"; rm -rf ~ $(id).h";
    EXPECT_EQ(EditorCommand::launch("ed %f", odd, 1), (L{"ed", {odd}}));

    std::string problem;
    EXPECT_FALSE(EditorCommand::launch("'' %f", file, 1, &problem));
    EXPECT_EQ(problem, "The command names no program.");
    EXPECT_FALSE(EditorCommand::launch("ed '%f", file, 1, &problem));
    EXPECT_TRUE(EditorCommand::isEmpty(" \t"));
    EXPECT_FALSE(EditorCommand::isEmpty(" ed"));
}
