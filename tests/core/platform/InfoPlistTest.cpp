#include <gtest/gtest.h>

#include "core/platform/InfoPlist.h"

using kestrel::InfoPlist;

TEST(InfoPlist, HoldsTheDataFileNames) {
    const std::pair<const char*, const char*> fixed[] = {
        {"KestrelFolder", ".local/share/Kestrel"}, {"classDataFileName", "classData"},
        {"protocolDataFileName", "protocolData"}, {"categoryDataFileName", "categoryData"},
        {"structDataFileName", "structData"},     {"enumDataFileName", "enumData"},
        {"functions", "functions"},               {"typedefs", "typedefs"},
        {"commentFileName", "comments.plist"},    {"urlFile", "urls.plist"},
        {"customHedders", "privateHeaders.plist"}, {"defaultsFileName", "Kestrel.plist"},
    };
    for (const auto& [key, text] : fixed) EXPECT_EQ(InfoPlist::localizedString(key), text) << key;
}

TEST(InfoPlist, HasATextForEveryUserVisibleKeyAndAnswersUnknownKeysWithTheKey) {
    for (const char* key : {"pass1StartMessage", "rebuildTitle", "aboutMessageFront", "aboutMessageRear",
                            "NoMethodMessge", "findResultViewClassTip", "findResultViewMethodTip",
                            "findResultViewFunctionTip", "showAllMenu", "CommentImportFront",
                            "CommentImportRear"}) {
        std::string text = InfoPlist::localizedString(key);
        EXPECT_FALSE(text.empty()) << key;
        EXPECT_NE(text, key);
    }
    EXPECT_EQ(InfoPlist::localizedString("noSuchKey"), "noSuchKey");
    // Escapes of the resource are decoded: \U2026 is the ellipsis, \" a quote.
    EXPECT_NE(InfoPlist::localizedString("pass1StartMessage").find("\xE2\x80\xA6"), std::string::npos);
    EXPECT_EQ(InfoPlist::localizedString("CommentImportRear").front(), '"');
}

TEST(InfoPlist, ParsesTheStringsForm) {
    auto table = InfoPlist::parseStrings(
        "/* block\n comment */ \"a\" = \"x\\\"y\\\\z\\n\";  // line comment\n"
        "plain.Word = \"\\U00e9\";\n"
        "\"a\" = \"second\";\n");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table["a"], "second");  // a later entry wins
    EXPECT_EQ(table["plain.Word"], "\xC3\xA9");
}

TEST(InfoPlist, SkipsMalformedEntriesAndEndsAtTheEndOfTheText) {
    auto table = InfoPlist::parseStrings("\"no\" \"equals\"; = ; \"ok\" = \"1\"; \"lost\" = \"2\"");
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(table["ok"], "1");
    EXPECT_TRUE(InfoPlist::parseStrings("\"open = \"never closed").empty());
    EXPECT_TRUE(InfoPlist::parseStrings("/* never closed").empty());
    EXPECT_TRUE(InfoPlist::parseStrings("\"a\" = \"\\").empty());
}
