#pragma once
// Evaluates the condition of an #if or #elif once its macros are expanded (MacroExpander): a C
// preprocessor expression over intmax_t / uintmax_t, with C's precedence and conversions.
//
//   integers        10  0x1F  017  0b101  10u  42LL    (a value above INTMAX_MAX is unsigned)
//   characters      'a'  '\n'  '\x41'  L'x'  'ab' (multi-character, as clang reads it)
//   operators       ! ~ unary + -   * / %   + -   << >>   < > <= >=   == !=   &   ^   |   &&   ||
//                   ?:   ,   and parentheses
//   identifiers     0 (whatever is left after expansion)
//
// "0 && (1/0)" is 0: an operand that is not evaluated cannot fail. A condition that cannot be
// evaluated is false, with the reason: division by zero, overflow, a floating constant, a string,
// a missing operand or parenthesis, text left over.
#include <optional>
#include <string>

#include "core/parse/PreprocessorLexer.h"

namespace kestrel {

class ConditionExpression {
public:
    struct Result {
        bool value = false;
        std::optional<std::string> error;  // why the condition could not be evaluated
    };

    static Result evaluate(const PreprocessorTokens& tokens);

    static constexpr int kMaxNesting = 256;  // parentheses and operators nested deeper fail
};

}  // namespace kestrel
