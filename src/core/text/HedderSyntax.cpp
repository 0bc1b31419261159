#include "core/text/HedderSyntax.h"

#include <string_view>

namespace kestrel {

namespace {

using Kind = HedderSyntax::Kind;
using Span = HedderSyntax::Span;

bool isLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'$'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isNameChar(char16_t c) { return isLetter(c) || isDigit(c); }
bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\f' || c == u'\v'; }

// C's keywords and the words Objective-C adds to them, as Xcode colours them.
constexpr std::string_view kKeywords[] = {
    "auto", "break", "case", "char", "const", "continue", "default", "do", "double", "else", "enum", "extern",
    "float", "for", "goto", "if", "inline", "int", "long", "register", "restrict", "return", "short", "signed",
    "sizeof", "static", "struct", "switch", "typedef", "union", "unsigned", "void", "volatile", "while", "_Bool",
    "_Complex", "bool", "true", "false", "NULL", "typeof", "__typeof__", "__attribute__", "__inline__",
    "__restrict", "id", "instancetype", "self", "super", "nil", "Nil", "YES", "NO", "SEL", "Class", "IMP", "BOOL",
    "in", "out", "inout", "oneway", "bycopy", "byref", "nullable", "nonnull", "null_unspecified",
    "null_resettable", "_Nullable", "_Nonnull", "_Null_unspecified", "__kindof", "__block", "__weak", "__strong",
    "__unsafe_unretained", "__autoreleasing", "__covariant", "__contravariant",
};

// The end of a string or character constant that opens at i (after its closing quote), or
// the line's end when it is not closed there.
std::size_t quotedEnd(std::u16string_view line, std::size_t i) {
    const char16_t quote = line[i];
    for (std::size_t k = i + 1; k < line.size(); ++k) {
        if (line[k] == u'\\') ++k;
        else if (line[k] == quote) return k + 1;
    }
    return line.size();
}

// The end of a number at i: 0x1F, 12, 1.5e-3f, .5, 10UL.
std::size_t numberEnd(std::u16string_view line, std::size_t i) {
    std::size_t k = i;
    if (line[k] == u'0' && k + 1 < line.size() && (line[k + 1] == u'x' || line[k + 1] == u'X')) {
        k += 2;
        while (k < line.size() && (isDigit(line[k]) || (line[k] >= u'a' && line[k] <= u'f') ||
                                   (line[k] >= u'A' && line[k] <= u'F')))
            ++k;
    } else {
        while (k < line.size() && (isDigit(line[k]) || line[k] == u'.')) ++k;
        if (k < line.size() && (line[k] == u'e' || line[k] == u'E')) {
            std::size_t e = k + 1;
            if (e < line.size() && (line[e] == u'+' || line[e] == u'-')) ++e;
            if (e < line.size() && isDigit(line[e])) {
                k = e;
                while (k < line.size() && isDigit(line[k])) ++k;
            }
        }
    }
    while (k < line.size() && (line[k] == u'u' || line[k] == u'U' || line[k] == u'l' || line[k] == u'L' ||
                               line[k] == u'f' || line[k] == u'F'))
        ++k;
    return k;
}

bool equalsAscii(std::u16string_view word, std::string_view ascii) {
    if (word.size() != ascii.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (word[i] != static_cast<char16_t>(ascii[i])) return false;
    return true;
}

// Whether a preprocessor line names a header: #import, #include, #include_next.
bool namesHeader(std::u16string_view line) {
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i >= line.size() || line[i] != u'#') return false;
    ++i;
    while (i < line.size() && isBlank(line[i])) ++i;
    std::size_t end = i;
    while (end < line.size() && isNameChar(line[end])) ++end;
    const std::u16string_view word = line.substr(i, end - i);
    return equalsAscii(word, "import") || equalsAscii(word, "include") || equalsAscii(word, "include_next");
}

}  // namespace

bool HedderSyntax::isKeyword(std::u16string_view word) {
    for (std::string_view keyword : kKeywords)
        if (equalsAscii(word, keyword)) return true;
    return false;
}

int HedderSyntax::spans(std::u16string_view line, int state, std::vector<Span>& out) {
    if (state < 0) state = kNormal;
    bool inComment = state & kInComment;
    std::size_t firstCode = 0;
    while (firstCode < line.size() && isBlank(line[firstCode])) ++firstCode;
    const bool preprocessor = (state & kInPreprocessor) || (firstCode < line.size() && line[firstCode] == u'#');
    const bool header = preprocessor && namesHeader(line);

    std::vector<Span> found;  // comments, strings and words; a preprocessor line's gaps are filled after
    std::size_t i = 0;
    if (inComment) {
        const std::size_t close = line.find(u"*/");
        i = close == std::u16string_view::npos ? line.size() : close + 2;
        if (i > 0) found.push_back({0, i, Kind::Comment});
        inComment = close == std::u16string_view::npos;
    }
    while (i < line.size()) {
        const char16_t c = line[i];
        const char16_t next = i + 1 < line.size() ? line[i + 1] : u'\0';
        if (c == u'/' && next == u'/') {
            found.push_back({i, line.size() - i, Kind::Comment});
            i = line.size();
        } else if (c == u'/' && next == u'*') {
            const std::size_t close = line.find(u"*/", i + 2);
            const std::size_t end = close == std::u16string_view::npos ? line.size() : close + 2;
            found.push_back({i, end - i, Kind::Comment});
            inComment = close == std::u16string_view::npos;
            i = end;
        } else if (c == u'"' || (c == u'@' && next == u'"')) {
            const std::size_t end = quotedEnd(line, c == u'@' ? i + 1 : i);
            found.push_back({i, end - i, Kind::String});
            i = end;
        } else if (c == u'<' && header) {
            const std::size_t close = line.find(u'>', i);
            const std::size_t end = close == std::u16string_view::npos ? line.size() : close + 1;
            found.push_back({i, end - i, Kind::String});
            i = end;
        } else if (c == u'\'') {
            const std::size_t end = quotedEnd(line, i);
            found.push_back({i, end - i, Kind::Character});
            i = end;
        } else if (c == u'@' && isLetter(next) && !preprocessor) {
            std::size_t end = i + 1;
            while (end < line.size() && isNameChar(line[end])) ++end;
            found.push_back({i, end - i, Kind::Directive});
            i = end;
        } else if (isLetter(c)) {
            std::size_t end = i;
            while (end < line.size() && isNameChar(line[end])) ++end;
            if (!preprocessor && isKeyword(line.substr(i, end - i))) found.push_back({i, end - i, Kind::Keyword});
            i = end;
        } else if (!preprocessor && (isDigit(c) || (c == u'.' && isDigit(next)))) {
            const std::size_t end = numberEnd(line, i);
            found.push_back({i, end - i, Kind::Number});
            i = end;
        } else {
            ++i;
        }
    }

    if (!preprocessor) {
        out.insert(out.end(), found.begin(), found.end());
    } else {
        std::size_t from = 0;
        for (const Span& span : found) {
            if (span.start > from) out.push_back({from, span.start - from, Kind::Preprocessor});
            out.push_back(span);
            from = span.start + span.length;
        }
        if (from < line.size()) out.push_back({from, line.size() - from, Kind::Preprocessor});
    }
    int leaves = inComment ? kInComment : kNormal;
    // A preprocessor line goes on after a backslash at its end (outside a comment).
    if (preprocessor && !line.empty() && line.back() == u'\\' && !inComment) leaves |= kInPreprocessor;
    return leaves;
}

}  // namespace kestrel
