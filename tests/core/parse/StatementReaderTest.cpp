// Reading one declaration's text from a header: where it ends, what it hands back, what a
// directive's continued lines are. The golden cases hold the common declarations.
#include <gtest/gtest.h>

#include <string>

#include "core/parse/CMacroEngin.h"
#include "core/parse/DirectiveLines.h"
#include "core/parse/StatementReader.h"
#include "core/parse/TextBuffer.h"
#include "support/RestOfText.h"

using namespace kestrel;

namespace {

struct Read {
    StatementReader::Statement statement;
    std::string rest;  // the commands left, joined by "|"
};

Read read(const std::string& text, bool bodiesAreText = false) {
    TextBuffer buffer(text);
    CMacroEngin macro(&buffer, std::nullopt);
    StatementReader reader(buffer, &macro, [](std::string_view word, TextBuffer&) { return word == "typedef"; });
    if (bodiesAreText) reader.keepBodies();
    Read result{reader.read(), ""};
    result.rest = test::restOf(buffer);
    return result;
}

}  // namespace

TEST(StatementReader, BodiesInitializersAndTheEnd) {
    Read function = read("int f(void)\n{\n  if (x) { g(); } /* } */ // }\n}\nnext");
    EXPECT_TRUE(function.statement.complete && function.statement.body);
    EXPECT_EQ(function.statement.text, "int f(void) ");
    EXPECT_EQ(function.rest, "\n|next|");
    // An initializer's braces and a struct's body stay in the text, and their ";" ends nothing.
    EXPECT_EQ(read("NSPoint p = { 1, 2 }; x").statement.text, "NSPoint p = { 1, 2 }");
    EXPECT_EQ(read("struct S { int a; } s; x").statement.text, "struct S { int a; } s");
    EXPECT_EQ(read("NS_ENUM(int, E) { A; B } ;", true).statement.text, "NS_ENUM(int, E) { A; B } ");
    // Braces and ";" in literals are text: an enum's '{', a string's ";", a body's '}'.
    EXPECT_EQ(read("enum E { A = '{', B = '}' }; x").statement.text, "enum E { A = '{', B = '}' }");
    EXPECT_EQ(read("char *s = \"a;{\\\"b\"; x").statement.text, "char *s = \"a;{\\\"b\"");
    EXPECT_EQ(read("int f(char c) { if (c == '}') { return 1; } return 0; } next").rest, "next|");
    // A ";" inside parentheses ends nothing; the text's end leaves the declaration open.
    EXPECT_FALSE(read("int f(int a; int b").statement.complete);
    // The "}" of the block the declaration stands in ends it, unfinished.
    Read closing = read("int x } int y;");
    EXPECT_FALSE(closing.statement.complete);
    EXPECT_EQ(closing.rest, "int|y|;|");
}

TEST(StatementReader, WordsOfNoDeclarationAreHandedBack) {
    Read interface = read("API_AVAILABLE(macos(10.11))\n@interface Foo : NSObject");
    EXPECT_FALSE(interface.statement.complete);
    EXPECT_EQ(interface.statement.handedBack, "@interface");
    EXPECT_EQ(interface.rest, "Foo|:|NSObject|");
    EXPECT_EQ(read("X\ntypedef int Y;").statement.handedBack, "typedef");
    // Inside parentheses, and an Objective-C string, nothing is handed back.
    EXPECT_EQ(read("NSString *s = @\"x\", *t = f(@selector(x));").statement.text, "NSString *s = @\"x\", *t = f(@selector(x))");
}

TEST(StatementReader, TypeBodiesAhead) {
    auto follows = [](const std::string& text) {
        TextBuffer buffer(text);
        return StatementReader::typeBodyFollows(buffer);
    };
    EXPECT_TRUE(follows(" _Foo {"));
    EXPECT_TRUE(follows(" __attribute__((packed)) Foo\n{"));
    EXPECT_FALSE(follows(" _Foo *f(void) {"));  // a function returning a pointer to it
    EXPECT_FALSE(follows(" _Foo x; int y {"));
    EXPECT_FALSE(follows(" _Foo" + std::string(10000, ' ') + "{"));  // looked for no further than a tag goes
}

TEST(DirectiveLines, ContinuedLinesBelongToTheDirective) {
    for (const char* line : {"#define M(a) \\\n  int a; \\\r\n  int b;\nint c;", "#if defined(A) \\\n  || B\nint c;"}) {
        TextBuffer buffer(line);
        int status = kWord;
        buffer.getCommandWithStatus(status);  // "#"
        DirectiveLines::run(buffer, nullptr);
        EXPECT_EQ(test::restOf(buffer), "int|c|;|") << line;
    }
    // The evaluator reading the whole directive leaves nothing to drop.
    TextBuffer buffer("#if 0 \\\n && 1\nint hidden;\n#endif\nint shown;");
    CMacroEngin macro(&buffer, std::nullopt);
    int status = kWord;
    buffer.getCommandWithStatus(status);
    DirectiveLines::run(buffer, &macro);
    EXPECT_NE(test::restOf(buffer).find("shown"), std::string::npos);
}
