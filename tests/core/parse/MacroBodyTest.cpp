// Macro definitions as the define records keep them: the corners of reading them back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/parse/MacroBody.h"

using namespace kestrel;

namespace {

std::vector<std::string> words(const CTokens& tokens) {
    std::vector<std::string> out;
    for (const CToken& token : tokens) out.push_back(token.text);
    return out;
}

using Words = std::vector<std::string>;

}  // namespace

TEST(MacroBody, BlanksRemovedAreFoundAgain) {
    EXPECT_EQ(words(MacroBody::read("static__inline____attribute__((always_inline))\n").body),
              (Words{"static", "__inline__", "__attribute__", "(", "(", "always_inline", ")", ")"}));
    EXPECT_EQ(words(MacroBody::read("extern\"C\"__attribute__((visibility(\"default\")))\n").body),
              (Words{"extern", "\"C\"", "__attribute__", "(", "(", "visibility", "(", "\"default\"", ")", ")", ")"}));
    EXPECT_EQ(words(MacroBody::read("staticinline\n").body), (Words{"static", "inline"}));
    // Names that only hold "__" inside or at their end stay whole.
    EXPECT_EQ(words(MacroBody::read("__VA_ARGS__ struct_Foo NS__\n").body), (Words{"__VA_ARGS__", "struct_Foo", "NS__"}));
}

TEST(MacroBody, ParametersComeFirstOnlyWhenTheyAreParameters) {
    MacroBody format = MacroBody::read("(F,A)__attribute__((format(__NSString__,F,A)))\n");
    EXPECT_TRUE(format.functionLike);
    EXPECT_EQ(format.parameters, (Words{"F", "A"}));
    EXPECT_FALSE(MacroBody::read("(0x7fffffff)\n").functionLike);
    EXPECT_FALSE(MacroBody::read("(a+b)\n").functionLike);
    EXPECT_TRUE(MacroBody::read("()\n").functionLike);
    EXPECT_EQ(MacroBody::read("(...)\n").parameters, Words{"..."});
    EXPECT_TRUE(MacroBody::read("").body.empty());
}

TEST(MacroBody, AUseExpandsWithItsArguments) {
    MacroBody callback = MacroBody::read("(_type,_name)_type(*_name)\n");
    CTokens use = CTokenizer::tokenize("CALLBACK(OSErr, Proc (int), x)(void)");
    std::size_t end = 0;
    std::vector<CTokens> arguments = MacroBody::arguments(use, 1, end);
    ASSERT_EQ(arguments.size(), 3u);  // a comma inside parentheses splits nothing
    EXPECT_EQ(words(arguments[1]), (Words{"Proc", "(", "int", ")"}));
    EXPECT_EQ(use[end].text, "(");  // right after the use's ")"
    EXPECT_EQ(words(*callback.expand(arguments)), (Words{"OSErr", "(", "*", "Proc", "(", "int", ")", ")"}));

    MacroBody variadic = MacroBody::read("(...)PICK(__VA_ARGS__,X)\n");
    EXPECT_EQ(words(*variadic.expand({CTokenizer::tokenize("a"), CTokenizer::tokenize("b")})),
              (Words{"PICK", "(", "a", ",", "b", ",", "X", ")"}));
    // Pasting and quoting are not done: no expansion.
    EXPECT_FALSE(MacroBody::read("(x)x##_suffix\n").expand({CTokenizer::tokenize("a")}));
    // A use cut off, or none at all.
    EXPECT_TRUE(MacroBody::arguments(CTokenizer::tokenize("M(a, (b"), 1, end).size() == 2);
    EXPECT_TRUE(MacroBody::arguments(CTokenizer::tokenize("M"), 1, end).empty());
}
