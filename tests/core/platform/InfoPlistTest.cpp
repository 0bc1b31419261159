#include <gtest/gtest.h>

#include "core/platform/InfoPlist.h"

using kestrel::InfoPlist;

// The data file names are checked where each file is written and read.
TEST(InfoPlist, AnswersTheResourceTextAndUnknownKeysWithTheKey) {
    EXPECT_EQ(InfoPlist::localizedString("noSuchKey"), "noSuchKey");
    // Escapes of the resource are decoded: \U2026 is the ellipsis (quotes: the merge dialog's text).
    EXPECT_NE(InfoPlist::localizedString("pass1StartMessage").find("\xE2\x80\xA6"), std::string::npos);
}

TEST(InfoPlist, ParsesTheStringsFormSkippingMalformedEntriesToTheEndOfTheText) {
    auto table = InfoPlist::parseStrings(
        "/* block\n comment */ \"a\" = \"x\\\"y\\\\z\\n\";  // line comment\n"
        "plain.Word = \"\\U00e9\";\n"
        "\"a\" = \"second\";\n");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table["a"], "second");  // a later entry wins
    EXPECT_EQ(table["plain.Word"], "\xC3\xA9");

    table = InfoPlist::parseStrings("\"no\" \"equals\"; = ; \"ok\" = \"1\"; \"lost\" = \"2\"");
    EXPECT_EQ(table, (decltype(table){{"ok", "1"}}));
    for (const char* cut : {"\"open = \"never closed", "/* never closed", "\"a\" = \"\\"})
        EXPECT_TRUE(InfoPlist::parseStrings(cut).empty()) << cut;
}
