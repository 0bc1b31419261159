// Conditions once expanded: C's integer expressions, and every way one can fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/parse/ConditionExpression.h"
#include "core/parse/PreprocessorLexer.h"

using namespace kestrel;

namespace {

ConditionExpression::Result evaluate(const std::string& text) {
    return ConditionExpression::evaluate(PreprocessorLexer::tokenize(text));
}

void expectValues(const std::vector<std::pair<const char*, bool>>& cases) {
    for (const auto& [text, value] : cases) {
        ConditionExpression::Result result = evaluate(text);
        EXPECT_EQ(result.value, value) << text;
        EXPECT_FALSE(result.error) << text << ": " << result.error.value_or("");
    }
}

void expectFailure(const std::vector<std::pair<const char*, const char*>>& cases) {
    for (const auto& [text, reason] : cases) {
        ConditionExpression::Result result = evaluate(text);
        EXPECT_FALSE(result.value) << text;
        EXPECT_EQ(result.error.value_or("(none)"), reason) << text;
    }
}

}  // namespace

TEST(ConditionExpressionTest, IntegersAndCharacters) {
    expectValues({
        {"0", false}, {"1", true}, {"0x1F == 31", true}, {"017 == 15", true}, {"0b101 == 5", true},
        {"10u == 10", true}, {"42LL == 42", true}, {"42ull == 42", true}, {"100000L == 100000", true},
        {"18446744073709551615 == -1", true},  // too big for intmax_t: unsigned
        {"0xFFFFFFFFFFFFFFFF > 0", true}, {"'a' == 97", true}, {"'\\n' == 10", true}, {"'\\x41' == 65", true},
        {"'\\101' == 65", true}, {"'\\0' == 0", true}, {"'\\'' == 39", true}, {"'\\xff' == -1", true},
        {"'ab' == 24930", true}, {"L'x' == 120", true}, {"u'\\u00e9' == 233", true},
        {"UNDEFINED_NAME == 0", true},
    });
}

TEST(ConditionExpressionTest, OperatorsFollowCsPrecedenceAndConversions) {
    expectValues({
        {"1 + 2 * 3 == 7", true}, {"(1 + 2) * 3 == 9", true}, {"10 / 3 == 3 && 10 % 3 == 1", true},
        {"-7 / 2 == -3 && -7 % 2 == -1", true}, {"1 << 4 == 16 && 256 >> 4 == 16", true}, {"-16 >> 2 == -4", true},
        {"1 < 2 == 1", true}, {"3 > 2 > 1", false}, {"5 & 3 ^ 6 | 8", true}, {"(5 & 3) == 1 && (5 ^ 3) == 6", true},
        {"~0 == -1", true}, {"!0 && !!7", true}, {"-1 < 0", true}, {"-1 < 0u", false}, {"-1 > 0u", true},
        {"0 ? 1 : 2 == 2", true}, {"1 ? 0 : 1", false}, {"(0 ? -1 : 0u) - 1 > 0", true}, {"1, 0", false},
        {"0 || 1 && 0", false}, {"1 ? 2 : 3 ? 4 : 5", true}, {"+3 == 3 && - -3 == 3", true},
        {"0x7fffffffffffffff + 0 > 0", true}, {"-0x7fffffffffffffff - 1 < 0", true},
    });
}

TEST(ConditionExpressionTest, OperandsNotEvaluatedCannotFail) {
    expectValues({
        {"0 && 1 / 0", false}, {"1 || 1 / 0", true}, {"1 ? 2 : 1 / 0", true}, {"0 ? 1 % 0 : 3", true},
        {"0 && (0x7fffffffffffffff + 1)", false}, {"1 || (1 << 99)", true},
    });
}

TEST(ConditionExpressionTest, FailuresAreFalseWithTheirReason) {
    expectFailure({
        {"1 / 0", "division by zero"},
        {"1 % (2 - 2)", "division by zero"},
        {"0x7fffffffffffffff + 1", "integer overflow in '+'"},
        {"-0x7fffffffffffffff - 2", "integer overflow in '-'"},
        {"0x4000000000000000 * 4", "integer overflow in '*'"},
        {"(-0x7fffffffffffffff - 1) / -1", "integer overflow in a division"},
        {"-(-0x7fffffffffffffff - 1)", "integer overflow in '-'"},
        {"1 << 64", "shift by 64 bits"},
        {"1 >> -1", "shift by -1 bits"},
        {"1 << 63", "integer overflow in a shift"},
        {"(1", "a '(' is never closed"},
        {"1)", "unexpected ')' after the condition"},
        {"(1 2)", "')' expected before '2'"},
        {"1 +", "the condition ends where a value should follow"},
        {"", "the condition is empty"},
        {"1 ? 2", "'?' without ':'"},
        {"1.5", "floating constant 1.5 in a condition"},
        {"1e3", "floating constant 1e3 in a condition"},
        {"\"text\"", "a string \"text\" in a condition"},
        {"08", "invalid digit '8' in 08"},
        {"0x", "no digits in 0x"},
        {"12abc", "invalid suffix 'abc' on 12abc"},
        {"123456789012345678901234567890", "integer 123456789012345678901234567890 is too large"},
        {"''", "empty character constant"},
        {"'a", "character constant 'a is never closed"},
        {"1 @ 2", "unexpected '@' after the condition"},
    });
    // Nesting is bounded, so that no text can exhaust the stack.
    std::string deep(10000, '(');
    EXPECT_EQ(evaluate(deep + "1").error, "the condition nests deeper than 256");
    EXPECT_EQ(evaluate(std::string(10000, '!') + "1").error, "the condition nests deeper than 256");
    std::string chain;
    for (int i = 0; i < 5000; ++i) chain += "1 ? 1 : ";
    EXPECT_EQ(evaluate(chain + "1").error, "the condition nests deeper than 256");
}
