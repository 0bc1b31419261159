#include "core/parse/DeclarationSites.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/platform/ByteScan.h"

namespace kestrel {

namespace {

// Character classes, by table: the scanner asks for every byte of every header.
enum : std::uint8_t { kBlank = 1, kWordStart = 2, kDigit = 4, kInteresting = 8 };
constexpr std::array<std::uint8_t, 256> kClasses = [] {
    std::array<std::uint8_t, 256> table{};
    for (char c : {' ', '\t', '\r', '\f', '\v', '\0'}) table[static_cast<unsigned char>(c)] |= kBlank;
    for (int c = 'a'; c <= 'z'; ++c) table[c] |= kWordStart;
    for (int c = 'A'; c <= 'Z'; ++c) table[c] |= kWordStart;
    for (int c = 0x80; c < 0x100; ++c) table[c] |= kWordStart;
    table['_'] |= kWordStart;
    table['$'] |= kWordStart;
    for (int c = '0'; c <= '9'; ++c) table[c] |= kDigit;
    // What a rejected branch stops at: its lines, directives, comments and literals.
    for (char c : {'\n', '#', '/', '"', '\''}) table[static_cast<unsigned char>(c)] |= kInteresting;
    return table;
}();
std::uint8_t classOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }
bool isBlank(char c) { return classOf(c) & kBlank; }
bool isWordStart(char c) { return classOf(c) & kWordStart; }
bool isDigit(char c) { return classOf(c) & kDigit; }
bool isWordChar(char c) { return classOf(c) & (kWordStart | kDigit); }

std::uint32_t newlinesIn(std::string_view text, std::size_t from, std::size_t to) {
    return static_cast<std::uint32_t>(ByteScan::count(text, from, to, '\n'));
}

}  // namespace

void DeclarationSites::decided(std::size_t offset, bool value) { decisions.push_back({offset, value}); }

bool DeclarationSites::decisionIn(std::size_t from, std::size_t to) const {
    auto found = std::lower_bound(decisions.begin(), decisions.end(), from,
                                  [](const Decision& d, std::size_t at) { return d.offset < at; });
    // A condition the analysis never decided (it cannot be met in the text it read) is taken
    // as the reader would have met it: an #if as true.
    return found == decisions.end() || found->offset > to ? true : found->value;
}

void DeclarationSites::directive(std::string_view word, std::size_t lineStart, std::size_t lineEnd) {
    if (word == "if" || word == "ifdef" || word == "ifndef") {
        Branch branch{active, true, false};
        if (active) {
            branch.active = decisionIn(lineStart, lineEnd);
            branch.anyTaken = branch.active;
        }
        branches.push_back(branch);
        active = branch.active;
    } else if (word == "elif" || word == "elifdef" || word == "elifndef") {
        if (branches.empty()) return;
        Branch& branch = branches.back();
        branch.active = branch.outerActive && !branch.anyTaken && decisionIn(lineStart, lineEnd);
        branch.anyTaken = branch.anyTaken || branch.active;
        active = branch.active;
    } else if (word == "else") {
        if (branches.empty()) return;
        Branch& branch = branches.back();
        branch.active = branch.outerActive && !branch.anyTaken;
        branch.anyTaken = true;
        active = branch.active;
    } else if (word == "endif") {
        if (branches.empty()) return;
        active = branches.back().outerActive;
        branches.pop_back();
    }
}

void DeclarationSites::addBoundary(std::size_t offset, std::uint32_t line, std::uint16_t braceDepth) {
    if (!tokens.empty() && tokens.back().kind == Token::Kind::Boundary) return;
    Token token;
    token.kind = Token::Kind::Boundary;
    token.offset = static_cast<std::uint32_t>(offset);
    token.line = line;
    token.firstOnLine = true;
    token.partner = static_cast<std::uint32_t>(tokens.size());
    token.braceDepth = braceDepth;
    tokens.push_back(token);
}

void DeclarationSites::scan() {
    std::sort(decisions.begin(), decisions.end(), [](const Decision& a, const Decision& b) { return a.offset < b.offset; });
    const std::size_t n = std::min<std::size_t>(text.size(), UINT32_MAX - 1);
    const std::string_view whole = text.substr(0, n);
    tokens.reserve(n / 8);  // about one token in eight bytes of today's headers
    std::size_t pos = 0;
    std::uint32_t line = 1;
    bool lineHasCode = false;
    std::size_t words = 0;
    // Brackets are paired as they come, one stack for each kind, so that a closer finds its
    // opener at once however many others stand open (a damaged header may leave thousands). A
    // closer drops the openers of the other kinds left open inside its pair.
    std::vector<std::uint32_t> open[3];  // "(", "[", "{"
    std::uint16_t depth = 0;
    auto pair = [&](Token& token, char c) {
        const int kind = c == '(' || c == ')' ? 0 : c == '[' || c == ']' ? 1 : c == '{' || c == '}' ? 2 : -1;
        if (kind < 0) return;
        if (c == '(' || c == '[' || c == '{') {
            open[kind].push_back(token.partner);
            if (c == '{' && depth < UINT16_MAX) ++depth;
            return;
        }
        std::vector<std::uint32_t>& mine = open[kind];
        if (!mine.empty()) {
            const std::uint32_t at = mine.back();
            mine.pop_back();
            tokens[at].partner = token.partner;
            token.partner = at;
            for (auto& other : open)
                while (&other != &mine && !other.empty() && other.back() > at) other.pop_back();
        }
        if (c == '}' && depth > 0) --depth;
    };
    // Skips a block comment whose "/*" is at pos; answers where it ends, counting its lines.
    // The closer is looked for by its slash: a documentation comment has an asterisk on every line.
    auto skipBlock = [&](std::size_t at) {
        const std::size_t body = std::min(n, at + 2);
        for (std::size_t i = std::min(n, at + 3); i < n;) {
            const void* slash = std::memchr(text.data() + i, '/', n - i);
            if (!slash) break;
            const std::size_t j = static_cast<std::size_t>(static_cast<const char*>(slash) - text.data());
            if (text[j - 1] == '*') {
                line += newlinesIn(text, body, j);
                return j + 1;
            }
            i = j + 1;
        }
        line += newlinesIn(text, body, n);
        return n;
    };
    while (pos < n) {
        const char c = text[pos];
        if (c == '\n') {
            ++line;
            lineHasCode = false;
            ++pos;
            continue;
        }
        if (isBlank(c)) {
            ++pos;
            while (pos < n && isBlank(text[pos])) ++pos;  // indentation runs
            continue;
        }
        if (c == '#' && !lineHasCode) {
            const std::uint32_t startLine = line;
            const std::size_t start = pos;
            std::size_t i = pos + 1;
            while (i < n && isBlank(text[i])) ++i;
            const std::size_t wordStart = i;
            while (i < n && isWordChar(text[i])) ++i;
            const std::string_view word = text.substr(wordStart, i - wordStart);
            // The logical line, with its continuations and the comments in it.
            for (;;) {
                i = ByteScan::firstOf(whole, i, '\n', '\\', '/');
                if (i >= n || text[i] == '\n') break;
                if (text[i] == '\\' && i + 1 < n && (text[i + 1] == '\n' || (text[i + 1] == '\r' && i + 2 < n && text[i + 2] == '\n'))) {
                    i += text[i + 1] == '\r' ? 3 : 2;
                    ++line;
                } else if (text[i] == '/' && i + 1 < n && text[i + 1] == '*') {
                    i = skipBlock(i);
                } else if (text[i] == '/' && i + 1 < n && text[i + 1] == '/') {
                    i = ByteScan::firstOf(whole, i, '\n');
                } else {
                    ++i;
                }
            }
            directive(word, start, i);
            addBoundary(start, startLine, depth);
            pos = i;
            continue;
        }
        if (c == '/' && pos + 1 < n && (text[pos + 1] == '/' || text[pos + 1] == '*')) {
            Comment comment;
            comment.offset = static_cast<std::uint32_t>(pos);
            comment.line = line;
            comment.firstOnLine = !lineHasCode;
            comment.lineComment = text[pos + 1] == '/';
            if (comment.lineComment) {
                const void* end = std::memchr(text.data() + pos, '\n', n - pos);
                pos = end ? static_cast<std::size_t>(static_cast<const char*>(end) - text.data()) : n;
                if (pos > comment.offset && text[pos - 1] == '\r') --pos;
            } else {
                pos = skipBlock(pos);
            }
            comment.end = static_cast<std::uint32_t>(pos);
            comment.endLine = line;
            comment.nextToken = static_cast<std::uint32_t>(tokens.size());
            if (active) comments.push_back(comment);
            continue;
        }
        if (!active) {
            // A rejected branch: only its comments and directives count.
            if (c == '"' || c == '\'') {
                std::size_t i = pos + 1;
                while (i < n && text[i] != c && text[i] != '\n') i += text[i] == '\\' && i + 1 < n && text[i + 1] != '\n' ? 2 : 1;
                pos = i < n && text[i] == c ? i + 1 : i;
            } else {
                ++pos;  // the line has code now: only its end, a comment or a literal counts
                while (pos < n && !(classOf(text[pos]) & kInteresting)) ++pos;
            }
            lineHasCode = true;
            continue;
        }
        Token token;
        token.offset = static_cast<std::uint32_t>(pos);
        token.line = line;
        token.firstOnLine = !lineHasCode;
        token.partner = static_cast<std::uint32_t>(tokens.size());
        lineHasCode = true;
        if (isWordStart(c) || (c == '@' && pos + 1 < n && isWordStart(text[pos + 1]))) {
            token.kind = Token::Kind::Word;
            pos = ByteScan::wordEnd(whole, pos + 1);
        } else if (isDigit(c) || (c == '.' && pos + 1 < n && isDigit(text[pos + 1]))) {
            std::size_t i = pos + 1;
            while (i < n && (isWordChar(text[i]) || text[i] == '.' ||
                             ((text[i] == '+' || text[i] == '-') && (text[i - 1] == 'e' || text[i - 1] == 'E' ||
                                                                     text[i - 1] == 'p' || text[i - 1] == 'P'))))
                ++i;
            token.kind = Token::Kind::Literal;
            pos = i;
        } else if (c == '"' || c == '\'') {
            std::size_t i = pos + 1;
            while (i < n && text[i] != c && text[i] != '\n') i += text[i] == '\\' && i + 1 < n && text[i + 1] != '\n' ? 2 : 1;
            pos = i < n && text[i] == c ? i + 1 : i;
            token.kind = Token::Kind::Literal;
        } else {
            token.kind = Token::Kind::Punct;
            ++pos;
            pair(token, c);
        }
        token.braceDepth = depth;
        token.length = static_cast<std::uint32_t>(pos - token.offset);
        words += token.kind == Token::Kind::Word;
        tokens.push_back(token);
    }
    nextSame.reset(new std::uint32_t[tokens.size()]);
    firstSame.reset(new std::uint32_t[tokens.size()]);
    speltSize = 16;
    while (speltSize < 2 * words) speltSize *= 2;
    spelt.reset(new Spelt[speltSize]);
    std::memset(static_cast<void*>(spelt.get()), 0xFF, speltSize * sizeof(Spelt));  // every slot's first kNone
    for (std::uint32_t i = 0; i < tokens.size(); ++i) {
        firstSame[i] = i;
        if (tokens[i].kind != Token::Kind::Word) continue;
        const std::string_view word = textOf(i);
        const auto hash = static_cast<std::uint32_t>(ByteHash::of(word));
        Spelt& slot = spelt[slotOf(word, hash)];
        nextSame[i] = 0;
        if (slot.first == kNone) {
            slot = Spelt{i, i, hash};
        } else {
            nextSame[slot.last] = i;
            slot.last = i;
            firstSame[i] = slot.first;
        }
    }
}

std::size_t DeclarationSites::slotOf(std::string_view word, std::uint32_t hash) const {
    const std::size_t mask = speltSize - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Spelt& slot = spelt[at];
        if (slot.first == kNone || (slot.hash == hash && textOf(slot.first) == word)) return at;
    }
}

DeclarationSites::Occurrences DeclarationSites::occurrences(std::string_view word) const {
    if (speltSize == 0) return {nullptr, kNone};
    return {nextSame.get(), spelt[slotOf(word, static_cast<std::uint32_t>(ByteHash::of(word)))].first};
}

}  // namespace kestrel
