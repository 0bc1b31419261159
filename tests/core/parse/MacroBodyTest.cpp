// Macro definitions as the declaration readers take them from the evaluator's records: the
// corners of their parameters and of expanding a use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/parse/MacroBody.h"
#include "core/parse/MacroDefinition.h"

using namespace kestrel;

namespace {

std::vector<std::string> words(const CTokens& tokens) {
    std::vector<std::string> out;
    for (const CToken& token : tokens) out.push_back(token.text);
    return out;
}

using Words = std::vector<std::string>;

// The body of "#define " + line.
MacroBody defined(const std::string& line) { return MacroBody::of(MacroDefinition::parse(line)->second); }

}  // namespace

TEST(MacroBody, TheDefineLineGivesTheTokens) {
    EXPECT_EQ(words(defined("NS_INLINE static __inline__ __attribute__((always_inline))").body),
              (Words{"static", "__inline__", "__attribute__", "(", "(", "always_inline", ")", ")"}));
    EXPECT_EQ(words(defined("CK_EXTERN extern \"C\" __attribute__((visibility (\"default\")))").body),
              (Words{"extern", "\"C\"", "__attribute__", "(", "(", "visibility", "(", "\"default\"", ")", ")", ")"}));
    // A "(" after a blank is the body's: an object-like macro.
    EXPECT_FALSE(defined("VALUE (0x7fffffff)").functionLike);
    MacroBody format = defined("NS_FORMAT_FUNCTION(F,A) __attribute__((format(__NSString__, F, A)))");
    EXPECT_TRUE(format.functionLike);
    EXPECT_EQ(format.parameters, (Words{"F", "A"}));
    EXPECT_TRUE(defined("EMPTY").body.empty());
}

TEST(MacroBody, AUseExpandsWithItsArguments) {
    MacroBody callback = defined("CALLBACK(_type, _name) _type (*_name)");
    CTokens use = CTokenizer::tokenize("CALLBACK(OSErr, Proc (int), x)(void)");
    std::size_t end = 0;
    std::vector<CTokens> arguments = MacroBody::arguments(use, 1, end);
    ASSERT_EQ(arguments.size(), 3u);  // a comma inside parentheses splits nothing
    EXPECT_EQ(words(arguments[1]), (Words{"Proc", "(", "int", ")"}));
    EXPECT_EQ(use[end].text, "(");  // right after the use's ")"
    EXPECT_EQ(words(*callback.expand(arguments)), (Words{"OSErr", "(", "*", "Proc", "(", "int", ")", ")"}));

    // The variadic parameter takes the rest, under its own name or as __VA_ARGS__.
    const std::vector<CTokens> ab{CTokenizer::tokenize("a"), CTokenizer::tokenize("b")};
    EXPECT_EQ(words(*defined("AVAIL(...) PICK(__VA_ARGS__, X)").expand(ab)), (Words{"PICK", "(", "a", ",", "b", ",", "X", ")"}));
    EXPECT_EQ(words(*defined("NAMED(first, rest...) f(rest)").expand({ab[0], ab[1], ab[0]})),
              (Words{"f", "(", "b", ",", "a", ")"}));
    // Pasting and quoting are not done: no expansion.
    EXPECT_FALSE(defined("PASTE(x) x##_suffix").expand({ab[0]}));
    EXPECT_FALSE(defined("QUOTE(x) #x").expand({ab[0]}));
    // A use cut off, or none at all.
    EXPECT_TRUE(MacroBody::arguments(CTokenizer::tokenize("M(a, (b"), 1, end).size() == 2);
    EXPECT_TRUE(MacroBody::arguments(CTokenizer::tokenize("M"), 1, end).empty());
}
