#include "core/parse/PreprocessorLexer.h"

#include <array>

namespace kestrel {

namespace {

using Kind = PreprocessorToken::Kind;

// Longest first, so that the first match is the longest one.
constexpr std::array<std::string_view, 23> kLongPunctuators{
    "...", "<<=", ">>=", "->", "++", "--", "<<", ">>", "<=", ">=", "==", "!=", "&&", "||", "*=", "/=",
    "%=",  "+=",  "-=",  "&=", "^=", "|=", "##",
};
constexpr std::string_view kShortPunctuators = "[](){}.&*+-~!/%<>^|?:;=,#@";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Letters, '_', '$' and every byte of a UTF-8 sequence: what may start an identifier (the
// "C" locale's letters, as std::isalpha gives them here, without asking the locale per byte).
constexpr std::array<bool, 256> kIdentifierStart = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$' || c >= 0x80;
    return table;
}();

// What may follow an identifier's first byte: the same and digits. Tables, as the lexer asks
// for every byte of every directive and expansion.
constexpr std::array<bool, 256> kIdentifierChar = [] {
    std::array<bool, 256> table = kIdentifierStart;
    for (int c = '0'; c <= '9'; ++c) table[c] = true;
    return table;
}();
bool identifierChar(char c) { return kIdentifierChar[static_cast<unsigned char>(c)]; }

// Whether a long punctuator starts with the byte, and whether a short one is it.
constexpr std::array<bool, 256> kLongStart = [] {
    std::array<bool, 256> table{};
    for (std::string_view p : kLongPunctuators) table[static_cast<unsigned char>(p[0])] = true;
    return table;
}();
constexpr std::array<bool, 256> kShort = [] {
    std::array<bool, 256> table{};
    for (char c : kShortPunctuators) table[static_cast<unsigned char>(c)] = true;
    return table;
}();

// The length of the punctuator at text[pos] (longest first), 0 for none.
std::size_t punctuatorAt(std::string_view text, std::size_t pos) {
    const char c = text[pos];
    if (!kShort[static_cast<unsigned char>(c)]) return 0;
    if (!kLongStart[static_cast<unsigned char>(c)]) return 1;
    for (std::string_view p : kLongPunctuators) {
        if (p[0] == c && text.substr(pos, p.size()) == p) return p.size();
    }
    return 1;
}

// The end of the quoted literal whose opening quote is at text[pos]: after its closing quote,
// or at the end of the text when it is never closed.
std::size_t literalEnd(std::string_view text, std::size_t pos) {
    const char quote = text[pos];
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == quote) {
            return i + 1;
        } else if (text[i] == '\n') {
            return i;
        }
    }
    return text.size();
}

}  // namespace

bool PreprocessorLexer::isIdentifierStart(char c) { return kIdentifierStart[static_cast<unsigned char>(c)]; }

bool PreprocessorLexer::isIdentifierChar(char c) { return identifierChar(c); }

PreprocessorTokens PreprocessorLexer::tokenize(std::string_view text) {
    PreprocessorTokens tokens;
    tokens.reserve(text.size() / 4 + 1);  // about a token in four bytes: no moves as it grows
    bool space = false;
    std::size_t pos = 0;
    auto push = [&](Kind kind, std::size_t end) {
        PreprocessorToken& token = tokens.emplace_back();  // its text made in place, not moved in
        token.kind = kind;
        token.spaceBefore = space;
        token.text.assign(text.data() + pos, end - pos);
        space = false;
        pos = end;
    };
    while (pos < text.size()) {
        const char c = text[pos];
        const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            space = true;
            ++pos;
        } else if (c == '\\' && (next == '\n' || next == '\r')) {  // a continued line
            pos += (next == '\r' && pos + 2 < text.size() && text[pos + 2] == '\n') ? 3 : 2;
        } else if (c == '/' && next == '*') {
            std::size_t close = text.find("*/", pos + 2);
            pos = close == std::string_view::npos ? text.size() : close + 2;
            space = true;
        } else if (c == '/' && next == '/') {
            std::size_t end = text.find('\n', pos);
            pos = end == std::string_view::npos ? text.size() : end;
            space = true;
        } else if (isDigit(c) || (c == '.' && isDigit(next))) {
            // A pp-number: digits, letters, '_', '.', and a sign after an exponent letter.
            std::size_t end = pos + 1;
            while (end < text.size()) {
                const char d = text[end];
                const char before = text[end - 1];
                if (identifierChar(d) || d == '.') {
                    ++end;
                } else if ((d == '+' || d == '-') &&
                           (before == 'e' || before == 'E' || before == 'p' || before == 'P')) {
                    ++end;
                } else {
                    break;
                }
            }
            push(Kind::Number, end);
        } else if (kIdentifierStart[static_cast<unsigned char>(c)]) {
            std::size_t end = pos + 1;
            while (end < text.size() && identifierChar(text[end])) ++end;
            // An encoding prefix glued to a literal: L'x', u8"s".
            std::string_view word = text.substr(pos, end - pos);
            if (end < text.size() && (text[end] == '\'' || text[end] == '"') &&
                (word == "L" || word == "u" || word == "U" || word == "u8")) {
                push(text[end] == '\'' ? Kind::Character : Kind::String, literalEnd(text, end));
            } else {
                push(Kind::Identifier, end);
            }
        } else if (c == '\'' || c == '"') {
            push(c == '\'' ? Kind::Character : Kind::String, literalEnd(text, pos));
        } else {
            const std::size_t length = punctuatorAt(text, pos);
            if (length > 0) {
                push(Kind::Punctuator, pos + length);
            } else {
                push(Kind::Other, pos + 1);  // a stray byte: a backslash, a control character
            }
        }
    }
    return tokens;
}

std::string PreprocessorLexer::spell(const PreprocessorTokens& tokens) { return spell(tokens, 0, tokens.size()); }

std::string PreprocessorLexer::spell(const PreprocessorTokens& tokens, std::size_t begin, std::size_t end) {
    std::string text;
    for (std::size_t i = begin; i < end && i < tokens.size(); ++i) {
        if (i > begin && tokens[i].spaceBefore) text += ' ';
        text += tokens[i].text;
    }
    return text;
}

}  // namespace kestrel
