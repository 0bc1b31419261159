#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "core/platform/HedderText.h"
#include "support/TempDir.h"

using namespace kestrel;
using kestrel::test::TempDir;
using Problem = HedderText::Problem;

TEST(HedderText, WhatCannotBeShownSaysWhy) {
    TempDir dir;
    const std::string header = dir.write("Kit.h", "@interface Kit\r\n@end\r// old Mac\n");
    HedderText::Loaded loaded = HedderText::read(header);
    EXPECT_EQ(loaded.problem, Problem::None);
    EXPECT_EQ(loaded.text, "@interface Kit\n@end\n// old Mac\n");
    EXPECT_EQ(loaded.replacedBytes, 0u);

    EXPECT_EQ(HedderText::read(dir.str() + "/gone.h").problem, Problem::Missing);
    std::filesystem::create_symlink(dir.path() / "nowhere.h", dir.path() / "dangling.h");
    EXPECT_EQ(HedderText::read(dir.str() + "/dangling.h").problem, Problem::Missing);
    EXPECT_EQ(HedderText::read(dir.str()).problem, Problem::Folder);
    HedderText::Loaded large = HedderText::read(header, 10);
    EXPECT_EQ(large.problem, Problem::TooLarge);
    EXPECT_EQ(large.size, 32u);
    EXPECT_TRUE(large.text.empty());
    // A pipe named like a header would block a plain read for ever.
    const std::string pipe = dir.str() + "/pipe.h";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(HedderText::read(pipe).problem, Problem::Unreadable);
}

TEST(HedderText, BytesThatAreNotUtf8BecomeReplacementCharacters) {
    const std::string fffd = "\xEF\xBF\xBD";
    struct Case {
        std::string bytes;
        std::string text;
        std::size_t replaced;
    };
    const Case cases[] = {
        {"plain", "plain", 0},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x90\xA6", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x90\xA6", 0},  // é € 🐦
        {"Latin-1 caf\xE9!", "Latin-1 caf" + fffd + "!", 1},
        {"\xC2\xA9 sound, then \xE9", "\xC2\xA9 sound, then " + fffd, 1},  // passed over, then mended
        {"\xC0\xAF", fffd + fffd, 2},                          // an overlong "/"
        {"\xED\xA0\x80", fffd + fffd + fffd, 3},              // a surrogate
        {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd, 4},  // above U+10FFFF
        {"cut \xE2\x82", "cut " + fffd + fffd, 2},            // a sequence cut short at the end
        {std::string("nul\0byte", 8), "nul" + fffd + "byte", 1},
    };
    for (const auto& c : cases) {
        std::string text = c.bytes;
        EXPECT_EQ(HedderText::repairUtf8(text), c.replaced) << c.bytes;
        EXPECT_EQ(text, c.text) << c.bytes;
    }
    TempDir dir;
    HedderText::Loaded loaded = HedderText::read(dir.write("Latin.h", "// \xA9 1997\n"));
    EXPECT_EQ(loaded.problem, Problem::None);
    EXPECT_EQ(loaded.text, "// " + fffd + " 1997\n");
    EXPECT_EQ(loaded.replacedBytes, 1u);
}
