#include "core/model/SearchRank.h"

#include <algorithm>

namespace kestrel {

namespace {

bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isIdentifier(char c) { return isLower(c) || isUpper(c) || isDigit(c) || c == '_'; }
char lower(char c) { return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

// The index just after the parenthesised group that opens at `at` (nesting counted), or the
// end of the text when it is not closed.
std::size_t afterGroup(std::string_view text, std::size_t at) {
    int depth = 0;
    for (std::size_t i = at; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        if (text[i] == ')' && --depth == 0) return i + 1;
    }
    return text.size();
}

std::size_t skipSpaces(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] == ' ') ++at;
    return at;
}

std::size_t skipIdentifier(std::string_view text, std::size_t at) {
    while (at < text.size() && isIdentifier(text[at])) ++at;
    return at;
}

// The identifier that ends just before `end` (spaces before `end` skipped); empty when none.
std::string_view identifierBefore(std::string_view text, std::size_t end) {
    while (end > 0 && text[end - 1] == ' ') --end;
    std::size_t start = end;
    while (start > 0 && isIdentifier(text[start - 1])) --start;
    return text.substr(start, end - start);
}

}  // namespace

std::string SearchRank::selectorOf(std::string_view d) {
    std::string selector;
    selectorOf(d, selector);
    return selector;
}

void SearchRank::selectorOf(std::string_view d, std::string& selector) {
    selector.clear();
    std::size_t i = skipSpaces(d, 0);
    if (i < d.size() && (d[i] == '-' || d[i] == '+')) i = skipSpaces(d, i + 1);
    if (i < d.size() && d[i] == '(') i = skipSpaces(d, afterGroup(d, i));
    while (i < d.size()) {
        const std::size_t end = skipIdentifier(d, i);
        selector.append(d.substr(i, end - i));
        if (end >= d.size() || d[end] != ':') break;  // a selector without arguments, or the end
        selector += ':';
        i = skipSpaces(d, end + 1);
        if (i < d.size() && d[i] == '(') i = skipSpaces(d, afterGroup(d, i));
        i = skipSpaces(d, skipIdentifier(d, i));  // the argument's name
    }
}

std::string_view SearchRank::functionNameOf(std::string_view d) {
    const std::size_t open = d.find('(');
    if (open != std::string_view::npos) {
        // A pointer to a function: "void (*NSFooHook)(int)".
        if (const std::size_t star = skipSpaces(d, open + 1); star < d.size() && d[star] == '*') {
            const std::size_t start = skipSpaces(d, star + 1);
            std::string_view name = d.substr(start, skipIdentifier(d, start) - start);
            if (!name.empty()) return name;
        }
        std::string_view name = identifierBefore(d, open);
        if (!name.empty()) return name;
    }
    // A variable or constant: the last identifier before any array size or value.
    std::size_t end = std::min({d.find('['), d.find('='), d.size()});
    while (end > 0 && !isIdentifier(d[end - 1])) --end;
    std::string_view name = identifierBefore(d, end);
    return name.empty() ? d : name;
}

bool SearchRank::isWordStart(std::string_view name, std::size_t at) {
    if (at == 0) return true;
    if (at >= name.size()) return false;
    const char before = name[at - 1];
    const char c = name[at];
    if (before == ':' || before == '_') return true;
    if (!isUpper(c)) return false;
    if (isLower(before) || isDigit(before)) return true;
    // The last capital of a run starts the word that follows: NS|View, NSURL|Session.
    return isUpper(before) && at + 1 < name.size() && isLower(name[at + 1]);
}

SearchRank::Key SearchRank::keyOf(std::string_view name, std::size_t index) {
    lowered_.assign(name);
    std::transform(lowered_.begin(), lowered_.end(), lowered_.begin(), lower);
    const std::string_view l(lowered_);
    Key out{Elsewhere, 0, static_cast<std::uint32_t>(name.size()), static_cast<std::uint32_t>(index)};
    for (const std::string& key : keys_) {
        if (key.empty()) continue;
        Rank r = Elsewhere;
        if (l == key || (l.size() == key.size() + 1 && l.back() == ':' && l.substr(0, key.size()) == key)) {
            r = Exact;
        } else if (l.substr(0, key.size()) == key) {
            r = Prefix;
        } else {
            for (std::size_t at = l.find(key); at != std::string_view::npos; at = l.find(key, at + 1)) {
                if (isWordStart(name, at)) {
                    r = WordStart;
                    break;
                }
                r = InName;
            }
        }
        out.rank = std::min(out.rank, r);
        out.all += r;
    }
    return out;
}

SearchRank::Key SearchRank::methodKeyOf(std::string_view declaration, std::size_t index) {
    selectorOf(declaration, selector_);
    return keyOf(selector_, index);
}

std::vector<std::size_t> SearchRank::order(std::vector<Key> keys) {
    // Each key as one number, compared at once: rank, then the sum, the length and the index,
    // each in a field of its own (a sum or length beyond its field counts as its largest).
    std::vector<std::uint64_t> packed;
    packed.reserve(keys.size());
    for (const Key& k : keys)
        packed.push_back(std::uint64_t{k.rank} << 56 | std::uint64_t{std::min<std::uint32_t>(k.all, 0xff)} << 48 |
                         std::uint64_t{std::min<std::uint32_t>(k.length, 0xffff)} << 32 | k.index);
    std::sort(packed.begin(), packed.end());
    std::vector<std::size_t> out;
    out.reserve(packed.size());
    for (std::uint64_t p : packed) out.push_back(static_cast<std::size_t>(p & 0xffffffffu));
    return out;
}
}  // namespace kestrel
