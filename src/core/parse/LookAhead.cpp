#include "core/parse/LookAhead.h"

#include "core/platform/AsciiClass.h"

namespace kestrel {

namespace {

bool isNameChar(char c) { return isAsciiAlnum(c) || c == '_'; }

// How far opensContainer looks: several attribute macros with long deprecation messages fit.
constexpr std::size_t kLookLimit = 4096;

// Whether only blanks stand between the line's start and position i.
bool startsLine(std::string_view text, std::size_t i) {
    const std::size_t before = i == 0 ? std::string_view::npos : text.find_last_not_of(" \t", i - 1);
    return before == std::string_view::npos || text[before] == '\n';
}

}  // namespace

std::size_t LookAhead::skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            ++i;
        } else if (text.compare(i, 2, "//") == 0) {
            std::size_t end = text.find('\n', i);
            i = end == std::string_view::npos ? text.size() : end;
        } else if (text.compare(i, 2, "/*") == 0) {
            std::size_t end = text.find("*/", i + 2);
            i = end == std::string_view::npos ? text.size() : end + 2;
        } else {
            break;
        }
    }
    return i;
}

char LookAhead::nextSignificant(std::string_view text) {
    std::size_t i = skipBlanks(text, 0);
    return i < text.size() ? text[i] : '\0';
}

char LookAhead::nextAfterWords(std::string_view text) {
    std::size_t i = skipBlanks(text, 0);
    while (i < text.size() && isNameChar(text[i])) {
        while (i < text.size() && isNameChar(text[i])) ++i;
        i = skipBlanks(text, i);
    }
    return i < text.size() ? text[i] : '\0';
}

char LookAhead::nextAfterWord(std::string_view text) {
    std::size_t i = skipBlanks(text, 0);
    if (i >= text.size() || !isNameChar(text[i])) return '\0';
    while (i < text.size() && isNameChar(text[i])) ++i;
    i = skipBlanks(text, i);
    return i < text.size() ? text[i] : '\0';
}

bool LookAhead::opensContainer(std::string_view text) {
    text = text.substr(0, kLookLimit);
    std::size_t i = skipBlanks(text, 0);
    while (i < text.size()) {
        const char c = text[i];
        if (c == '@') {
            std::size_t end = i + 1;
            while (end < text.size() && isNameChar(text[end])) ++end;
            std::string_view word = text.substr(i, end - i);
            return word == "@interface" || word == "@protocol";
        }
        if (c == '#' && startsLine(text, i)) {
            // A directive line between the macros and the block (the branches of an #if that
            // choose among availability macros): its words are the evaluator's, not a declaration.
            while (i < text.size() && text[i] != '\n') {
                if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
                ++i;
            }
        } else if (isNameChar(c)) {
            while (i < text.size() && isNameChar(text[i])) ++i;
        } else if (c == '(') {
            // Arguments, with strings that may hold any parenthesis: API_DEPRECATED("(old)", ...)
            int depth = 0;
            char quote = 0;
            for (; i < text.size(); ++i) {
                const char d = text[i];
                if (quote) {
                    if (d == '\\') ++i;
                    else if (d == quote) quote = 0;
                } else if (d == '"' || d == '\'') {
                    quote = d;
                } else if (d == '(') {
                    ++depth;
                } else if (d == ')' && --depth == 0) {
                    break;
                }
            }
            if (i >= text.size()) return false;
            ++i;
        } else {
            return false;  // "*", ";", "{", a string, a directive: a declaration of another kind
        }
        i = skipBlanks(text, i);
    }
    return false;
}

}  // namespace kestrel
