#include "core/parse/IncludeGuard.h"

#include <cctype>
#include <cstddef>

#include "core/platform/ByteScan.h"

namespace kestrel {

namespace {

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    return pos;
}

std::string_view nameAt(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && isNameChar(text[end])) ++end;
    return text.substr(pos, end - pos);
}

}  // namespace

bool IncludeGuard::defineFollows(std::string_view text, std::string_view symbol) {
    // The text starts at a line start or in the rest of the #ifndef line, where a "#" would be
    // no valid text anyway.
    bool lineStart = true;
    std::size_t pos = 0;
    while (pos < text.size()) {
        char c = text[pos];
        if (c == ' ' || c == '\t') {
            ++pos;
        } else if (c == '\n' || c == '\r') {
            lineStart = true;
            ++pos;
        } else if (text.compare(pos, 2, "/*") == 0) {  // a comment keeps the line's start
            std::size_t close = text.find("*/", pos + 2);
            if (close == std::string_view::npos) return false;
            pos = close + 2;
        } else if (c == '#' && lineStart) {
            pos = skipBlanks(text, pos + 1);
            if (nameAt(text, pos) != "define") return false;
            pos = skipBlanks(text, pos + 6);
            if (symbol.empty() || nameAt(text, pos) != symbol) return false;
            // A guard is never function-like: "#ifndef API_AVAILABLE / #define API_AVAILABLE(...)"
            // is a stand-in for a header that did not define it, and must not replace its definition.
            pos += symbol.size();
            return pos >= text.size() || text[pos] != '(';
        } else {  // a line comment or other text: on to the next line
            const std::size_t end = ByteScan::firstOf(text, pos, '\r', '\n');
            if (end == text.size()) return false;
            pos = end;
        }
    }
    return false;
}

}  // namespace kestrel
