#include "core/parse/CToken.h"

#include <algorithm>
#include <cctype>

namespace kestrel {

namespace {

// ASCII letters and digits by comparison: std::isalnum asks the locale for every byte.
bool isAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isWordByte(unsigned char c) {
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '$' || c == '@' || c >= 0x80;
}
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

char closerOf(const std::string& opener) {
    if (opener == "(") return ')';
    if (opener == "[") return ']';
    if (opener == "{") return '}';
    if (opener == "<") return '>';
    return '\0';
}

}  // namespace

bool CToken::isName() const {
    if (kind != Kind::Word || text.empty()) return false;
    unsigned char c = static_cast<unsigned char>(text[0]);
    return c == '_' || c == '$' || isAsciiLetter(c) || c >= 0x80;
}

CTokens CTokenizer::tokenize(std::string_view text) {
    CTokens tokens;
    tokens.reserve(text.size() / 4 + 1);
    std::size_t i = 0;
    bool space = false;
    while (i < text.size()) {
        char c = text[i];
        if (isBlank(c) || c == '\0') {
            space = true;
            ++i;
            continue;
        }
        CToken& token = tokens.emplace_back();  // its text made in place, not moved in
        token.spaceBefore = space;
        space = false;
        std::size_t start = i;
        if (isWordByte(static_cast<unsigned char>(c))) {
            // "1.5e-3", "0x7fU": a number runs over its dots and exponent signs.
            const bool number = std::isdigit(static_cast<unsigned char>(c)) != 0;
            while (i < text.size()) {
                unsigned char d = static_cast<unsigned char>(text[i]);
                if (isWordByte(d) || (number && d == '.')) {
                    ++i;
                } else if (number && (d == '+' || d == '-') && (text[i - 1] == 'e' || text[i - 1] == 'E')) {
                    ++i;
                } else {
                    break;
                }
            }
            token.kind = CToken::Kind::Word;
        } else if (c == '"' || c == '\'') {
            ++i;
            while (i < text.size() && text[i] != c) i += text[i] == '\\' ? 2 : 1;
            i = std::min(i + 1, text.size());
            token.kind = CToken::Kind::Literal;
        } else if (text.substr(i, 3) == "...") {
            i += 3;
            token.kind = CToken::Kind::Punct;
        } else {
            ++i;
            token.kind = CToken::Kind::Punct;
        }
        token.text.assign(text.data() + start, i - start);
    }
    return tokens;
}

std::string CTokenizer::join(const CTokens& tokens, std::size_t begin, std::size_t end) {
    std::string text;
    end = std::min(end, tokens.size());
    for (std::size_t i = begin; i < end; ++i) {
        if (tokens[i].spaceBefore && !text.empty()) text += ' ';
        text += tokens[i].text;
    }
    return text;
}

std::size_t CTokenizer::closing(const CTokens& tokens, std::size_t open) {
    if (open >= tokens.size()) return std::string::npos;
    const std::string& opener = tokens[open].text;
    const char closer = closerOf(opener);
    if (!closer) return std::string::npos;
    int depth = 0;
    for (std::size_t i = open; i < tokens.size(); ++i) {
        if (tokens[i].kind != CToken::Kind::Punct) continue;
        if (tokens[i].text == opener) ++depth;
        else if (tokens[i].text[0] == closer && --depth == 0) return i;
    }
    return std::string::npos;
}

std::size_t CTokenizer::skipBalanced(const CTokens& tokens, std::size_t open) {
    if (open < tokens.size() && !closerOf(tokens[open].text)) return open + 1;
    const std::size_t close = closing(tokens, open);
    return close == std::string::npos ? tokens.size() : close + 1;
}

}  // namespace kestrel
