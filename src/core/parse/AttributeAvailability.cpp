#include "core/parse/AttributeAvailability.h"

#include <string>
#include <vector>

namespace kestrel {

namespace {

// The attribute text as small tokens: words and numbers, strings (unquoted), and punctuation.
struct Piece {
    enum class Kind { Word, String, Punct } kind;
    std::string text;
};

std::vector<Piece> piecesOf(std::string_view s) {
    std::vector<Piece> pieces;
    std::size_t i = 0;
    auto isWordChar = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
    };
    while (i < s.size()) {
        const char c = s[i];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            ++i;
        } else if (c == '"') {
            std::string text;
            ++i;
            while (i < s.size() && s[i] != '"') {
                if (s[i] == '\\' && i + 1 < s.size()) ++i;
                text += s[i++];
            }
            ++i;
            // Strings written side by side are one.
            if (!pieces.empty() && pieces.back().kind == Piece::Kind::String) pieces.back().text += text;
            else pieces.push_back({Piece::Kind::String, std::move(text)});
        } else if (isWordChar(c)) {
            const std::size_t start = i;
            while (i < s.size() && isWordChar(s[i])) ++i;
            pieces.push_back({Piece::Kind::Word, std::string(s.substr(start, i - start))});
        } else {
            pieces.push_back({Piece::Kind::Punct, std::string(1, c)});
            ++i;
        }
    }
    return pieces;
}

bool isPunct(const std::vector<Piece>& p, std::size_t i, char c) {
    return i < p.size() && p[i].kind == Piece::Kind::Punct && p[i].text.size() == 1 && p[i].text[0] == c;
}

// The index after the group that opens at i ("(" ... ")").
std::size_t afterGroup(const std::vector<Piece>& p, std::size_t i) {
    int depth = 0;
    for (; i < p.size(); ++i) {
        if (isPunct(p, i, '(')) ++depth;
        else if (isPunct(p, i, ')') && --depth == 0) return i + 1;
    }
    return p.size();
}

std::string attributeName(std::string name) {
    // __deprecated__ is deprecated.
    if (name.size() > 4 && name.starts_with("__") && name.ends_with("__")) name = name.substr(2, name.size() - 4);
    return name;
}

std::string versionText(std::string v) {
    for (char& c : v)
        if (c == '_') c = '.';
    return v;
}

class Reader {
public:
    explicit Reader(PlistDict& out) : out(out) {}

    // The attribute list inside "__attribute__((" ... "))", from begin to end.
    void list(const std::vector<Piece>& p, std::size_t begin, std::size_t end) {
        std::size_t i = begin;
        while (i < end) {
            if (p[i].kind != Piece::Kind::Word) {
                ++i;
                continue;
            }
            const std::string name = attributeName(p[i].text);
            std::size_t argsBegin = i + 1, argsEnd = i + 1, next = i + 1;
            if (isPunct(p, i + 1, '(')) {
                next = std::min(end, afterGroup(p, i + 1));
                argsBegin = i + 2;
                argsEnd = next > 0 ? next - 1 : next;
            }
            if (name == "availability") availability(p, argsBegin, argsEnd);
            else if (name == "deprecated") bare(p, argsBegin, argsEnd, "deprecated");
            else if (name == "unavailable") bare(p, argsBegin, argsEnd, "unavailable");
            i = next;
        }
    }

private:
    PlistDict& platform(const std::string& name) {
        const std::string key = name == "macosx" ? "macos" : name;
        if (!out.contains(key)) out.set(key, PlistValue(PlistDict()));
        return *out.find(key)->getDict();
    }
    void text(const std::string& key, const std::string& value) {
        if (!out.contains(key)) out.set(key, PlistValue(value));
    }

    // availability(macos, introduced=10.7, deprecated=10.14, message="...", replacement="...")
    void availability(const std::vector<Piece>& p, std::size_t begin, std::size_t end) {
        // Swift's own availability (NS_SWIFT_UNAVAILABLE) says nothing of the interface here.
        if (begin >= end || p[begin].kind != Piece::Kind::Word || p[begin].text == "swift") return;
        PlistDict& entry = platform(p[begin].text);
        for (std::size_t i = begin + 1; i < end; ++i) {
            if (p[i].kind != Piece::Kind::Word) continue;
            const std::string& key = p[i].text;
            const bool valued = isPunct(p, i + 1, '=') && i + 2 < end;
            if (key == "unavailable") {
                entry.set("unavailable", PlistValue(true));
            } else if (valued && (key == "introduced" || key == "deprecated" || key == "obsoleted")) {
                entry.set(key, PlistValue(versionText(p[i + 2].text)));
                i += 2;
            } else if (valued && (key == "message" || key == "replacement") && p[i + 2].kind == Piece::Kind::String) {
                text(key, p[i + 2].text);
                i += 2;
            }
        }
    }

    // deprecated, deprecated("message"), deprecated("message", "replacement"); unavailable("message")
    void bare(const std::vector<Piece>& p, std::size_t begin, std::size_t end, const std::string& what) {
        PlistDict& entry = platform("*");
        if (what == "deprecated") {
            if (!entry.contains("deprecated")) entry.set("deprecated", PlistValue(""));
        } else {
            entry.set("unavailable", PlistValue(true));
        }
        std::vector<std::string> strings;
        for (std::size_t i = begin; i < end; ++i)
            if (p[i].kind == Piece::Kind::String) strings.push_back(p[i].text);
        if (!strings.empty() && !strings[0].empty()) text("message", strings[0]);
        if (strings.size() > 1 && !strings[1].empty()) text("replacement", strings[1]);
    }

    PlistDict& out;
};

}  // namespace

std::optional<PlistDict> AttributeAvailability::read(std::string_view expanded) {
    if (!mayHold(expanded)) return std::nullopt;
    const std::vector<Piece> p = piecesOf(expanded);
    PlistDict out;
    Reader reader(out);
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i].kind != Piece::Kind::Word || p[i].text != "__attribute__" || !isPunct(p, i + 1, '(')) continue;
        const std::size_t end = afterGroup(p, i + 1);
        // "((" list "))": the list lies inside both parentheses.
        if (isPunct(p, i + 2, '(') && end >= 2) reader.list(p, i + 3, end - 2);
        i = end > 0 ? end - 1 : i;
    }
    // Platforms whose entry says nothing (an availability attribute of only a message) go.
    PlistDict kept;
    bool any = false;
    for (const auto& [key, value] : out) {
        if (const PlistDict* entry = value.getDict(); entry && entry->empty()) continue;
        any = any || value.isDict();
        kept.set(key, value);
    }
    if (!any) return std::nullopt;
    return kept;
}

}  // namespace kestrel
