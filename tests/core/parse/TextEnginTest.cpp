#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/parse/MultiComment.h"
#include "core/parse/TextBuffer.h"
#include "core/parse/TextEngin.h"
#include "support/RestOfText.h"

using namespace kestrel;

namespace {

// Reads text up to and including the first command equal to opener, runs skip, and answers
// the commands left, joined by "|".
template <typename Skip>
std::string after(const std::string& text, const std::string& opener, Skip skip) {
    TextBuffer buffer(text);
    int status = 0;
    while (auto command = buffer.getCommandWithStatus(status))
        if (*command == opener) break;
    skip(buffer);
    return test::restOf(buffer);
}
std::string afterStruct(const std::string& text) {
    return after(text, "struct", [](TextBuffer& b) { TextEngin(&b, nullptr).makeStruct(); });
}
std::string afterComment(const std::string& text) {
    return after(text, "/*", [](TextBuffer& b) { EXPECT_EQ(MultiComment(&b, nullptr).doAnalyse("/*"), nullptr); });
}

}  // namespace

// The space helpers are pinned by every method string of the golden cases; these are the
// replacements that could loop.
TEST(TextEngin, FindReplacesUntilNoneIsLeft) {
    std::string spaces = "int     x  ,   y", pointer = "char  * * p", grow = "a-b-c", same = "abc";
    TextEngin::find("  ", " ", spaces);
    TextEngin::find(" *", "* ", pointer);
    EXPECT_EQ(spaces, "int x , y");
    EXPECT_EQ(pointer, "char**    p");  // each star moves left through every blank
    // Pairs that could never end are made safe: one pass, or nothing for an empty search.
    TextEngin::find("-", "--", grow);
    TextEngin::find("", "x", same);
    EXPECT_EQ(grow, "a--b--c");
    EXPECT_EQ(same, "abc");
}

TEST(TextEngin, CommandToChunkKeepsWordsWithoutTheirFirstAsterisk) {
    EXPECT_EQ(TextEngin::commandToChunk("-(id)initWithString:(NSString*)aString"),
              (std::vector<std::string>{"-", "id", "initWithString", "NSString", "aString"}));
    EXPECT_EQ(TextEngin::commandToChunk("void f(char **argv)"), (std::vector<std::string>{"void", "f", "char", "*argv"}));
    EXPECT_EQ(TextEngin::commandToChunk(std::nullopt), std::nullopt);
    EXPECT_EQ(TextEngin::commandToChunk(""), std::nullopt);
    EXPECT_EQ(TextEngin::commandToChunk(";"), std::vector<std::string>{});
}

// A protocol's instance-variable block skips its structs so (golden case protocol_adopting);
// these are the corners.
TEST(TextEngin, MakeStructSkipsToTheFirstClosingBrace) {
    EXPECT_EQ(afterStruct("struct Forward;\nnext\n"), "next|\n|");
    EXPECT_EQ(afterStruct("struct S\n{\n  int a; // }\n} s;\nnext\n"), "next|\n|");
    // Braces are not counted: the inner "}" ends the skip, and the rest of its line goes too.
    EXPECT_EQ(afterStruct("struct {\n struct {\n int a;\n } b;\n} c;\nnext\n"), "}|c|;|\n|next|\n|");
    EXPECT_EQ(afterStruct("struct S;\r\nnext"), "\n|next|");  // ends at the CR
    for (const char* truncated : {"struct", "struct S", "struct {", "struct { int a;", "struct S {\n} x"})
        EXPECT_EQ(afterStruct(truncated), "") << truncated;
}

// Comments over lines, hiding declarations, come in every golden header.
TEST(MultiComment, SkipsToTheCloserAndKeepsWhatFollows) {
    EXPECT_EQ(afterComment("/**/x"), "x|");
    EXPECT_EQ(afterComment("/* a */ /* b */ c"), "/*|b|*/|c|");  // one comment per call
    // Never closed: the rest of the text goes, and the skip ends with it.
    EXPECT_EQ(afterComment("/* open\n@interface X\n#endif\n"), "");
    EXPECT_EQ(afterComment("/*"), "");
}
