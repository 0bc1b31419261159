#pragma once
// Cuts preprocessor text (a directive's condition, a macro's body) into the tokens a C
// preprocessor sees: identifiers, numbers, character and string literals, punctuators. Comments
// become blanks; a backslash before a line end joins the lines. Unlike TextBuffer's commands,
// these tokens keep C's boundaries:
//
//   "defined(X)&&X>=0x10"   -> defined ( X ) && X >= 0x10
//   "F (a)"                 -> F, then "(" marked as having a blank before it
//   "'\\''  L\"s\"  1.5e+3" -> a character literal, a string literal, one number
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct PreprocessorToken {
    enum class Kind : std::uint8_t { Identifier, Number, Character, String, Punctuator, Other };

    Kind kind = Kind::Other;
    bool spaceBefore = false;  // blanks (or a comment) stood before it
    bool noExpand = false;     // a macro's name met inside its own expansion: never expanded again
    std::string text;

    bool isPunctuator(std::string_view p) const { return kind == Kind::Punctuator && text == p; }
    bool isIdentifier() const { return kind == Kind::Identifier; }
};

using PreprocessorTokens = std::vector<PreprocessorToken>;

class PreprocessorLexer {
public:
    static PreprocessorTokens tokenize(std::string_view text);
    // The tokens' spelling, one blank where one stood before a token: "( x ) + 1" stays as it
    // was written up to the number of blanks; the first token's blank is dropped.
    static std::string spell(const PreprocessorTokens& tokens);
    static std::string spell(const PreprocessorTokens& tokens, std::size_t begin, std::size_t end);
    static bool isIdentifierStart(char c);
    static bool isIdentifierChar(char c);
};

}  // namespace kestrel
