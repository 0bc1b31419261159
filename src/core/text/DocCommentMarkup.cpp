#include "core/text/DocCommentMarkup.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>

namespace kestrel {

namespace {

using Block = DocComment::Block;
using Kind = DocComment::BlockKind;

enum class Tag { Paragraph, Break, Inline, List, OrderedList, Item, Deflist, Term, Desc, Verbatim, Section, Note, Ref };

struct TagName {
    std::string_view name;  // lower case
    Tag tag;
    std::string_view note = {};
};
constexpr std::array<TagName, 46> tagNames{{
    {"p", Tag::Paragraph},          {"br", Tag::Break},
    {"code", Tag::Inline},          {"em", Tag::Inline},
    {"strong", Tag::Inline},        {"var", Tag::Inline},
    {"b", Tag::Inline},             {"i", Tag::Inline},
    {"tt", Tag::Inline},            {"u", Tag::Inline},
    {"span", Tag::Inline},          {"font", Tag::Inline},
    {"a", Tag::Inline},             {"file", Tag::Inline},
    {"site", Tag::Inline},          {"label", Tag::Inline},
    {"ref", Tag::Ref},              {"uref", Tag::Ref},
    {"url", Tag::Ref},              {"email", Tag::Ref},
    {"prjref", Tag::Ref},           {"list", Tag::List},
    {"ul", Tag::List},              {"enum", Tag::OrderedList},
    {"ol", Tag::OrderedList},       {"item", Tag::Item},
    {"li", Tag::Item},              {"deflist", Tag::Deflist},
    {"dl", Tag::Deflist},           {"term", Tag::Term},
    {"dt", Tag::Term},              {"desc", Tag::Desc},
    {"dd", Tag::Desc},              {"example", Tag::Verbatim},
    {"pre", Tag::Verbatim},         {"heading", Tag::Section},
    {"title", Tag::Section},        {"section", Tag::Section},
    {"subsect", Tag::Section},      {"chapter", Tag::Section},
    {"unit", Tag::Section},         {"footnote", Tag::Section},
    {"init", Tag::Note, "This is a designated initialiser."},
    {"override-subclass", Tag::Note, "Subclasses must override this method."},
    {"override-never", Tag::Note, "Subclasses should not override this method."},
    {"override-dummy", Tag::Note, "Does nothing here: subclasses may override it."},
}};

// Doxygen's and HeaderDoc's inline commands that mark the next word: "@c nil" -> "nil".
constexpr std::array<std::string_view, 9> wordCommands{"c", "p", "a", "e", "em", "b", "ref", "anchor", "tt"};
constexpr std::string_view escapable = "@\\&$#<>%\".:|{}";
constexpr std::size_t longestTag = 256;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A tag read at '<': <name attr="v" ...>, </name>, <name/>.
struct ParsedTag {
    std::size_t length = 0;  // 0: no tag here
    std::string name;
    bool closing = false;
    bool selfClosing = false;
    std::string attributes;
};

ParsedTag parseTag(std::string_view s, std::size_t at) {
    ParsedTag tag;
    std::size_t i = at + 1;
    if (i < s.size() && s[i] == '/') {
        tag.closing = true;
        ++i;
    }
    std::size_t start = i;
    while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '-')) ++i;
    if (i == start || !std::isalpha(static_cast<unsigned char>(s[start]))) return tag;
    tag.name = lower(s.substr(start, i - start));
    std::size_t close = s.find('>', i);
    if (close == std::string_view::npos || close - at > longestTag) return {};
    std::string_view inside = s.substr(i, close - i);
    // Only blanks, attributes and a final "/" may follow the name: "<NSCoding>" is a tag by
    // form but not one we know, "a < b > c" is none.
    if (!inside.empty() && !isBlank(inside[0]) && inside[0] != '\n' && inside[0] != '/') return {};
    if (!inside.empty() && inside.back() == '/') {
        tag.selfClosing = true;
        inside.remove_suffix(1);
    }
    tag.attributes = std::string(inside);
    tag.length = close + 1 - at;
    return tag;
}

// attr="value" or attr='value' among a tag's attributes.
std::string attribute(std::string_view attributes, std::string_view name) {
    std::size_t pos = 0;
    while ((pos = attributes.find(name, pos)) != std::string_view::npos) {
        std::size_t eq = pos + name.size();
        bool starts = pos == 0 || !isWordChar(attributes[pos - 1]);
        while (eq < attributes.size() && isBlank(attributes[eq])) ++eq;
        if (starts && eq + 1 < attributes.size() && attributes[eq] == '=') {
            std::size_t q = eq + 1;
            while (q < attributes.size() && isBlank(attributes[q])) ++q;
            if (q < attributes.size() && (attributes[q] == '"' || attributes[q] == '\'')) {
                std::size_t end = attributes.find(attributes[q], q + 1);
                if (end != std::string_view::npos) return std::string(attributes.substr(q + 1, end - q - 1));
            }
        }
        pos += name.size();
    }
    return {};
}

// Where "</name" (any case) starts at or after from; npos when nowhere.
std::size_t closingTag(std::string_view s, std::size_t from, std::string_view name) {
    for (std::size_t at = s.find("</", from); at != std::string_view::npos; at = s.find("</", at + 2))
        if (at + 2 + name.size() <= s.size() && lower(s.substr(at + 2, name.size())) == name) return at;
    return std::string_view::npos;
}

const TagName* knownTag(const std::string& name) {
    for (const TagName& t : tagNames)
        if (t.name == name) return &t;
    return nullptr;
}

// The blank-collapsed text of a block: soft line ends and runs of blanks made one space, a
// hard break ('\n') kept with no blanks around it.
std::string tidy(std::string_view raw) {
    std::string out;
    bool blank = false;
    for (char c : raw) {
        if (c == '\n') {
            while (!out.empty() && out.back() == ' ') out.pop_back();
            if (!out.empty() && out.back() != '\n') out += '\n';
            blank = false;
        } else if (isBlank(c)) {
            blank = true;
        } else {
            if (blank && !out.empty() && out.back() != '\n') out += ' ';
            blank = false;
            out += c;
        }
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '\n')) out.pop_back();
    return out;
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : s(text) {}

    std::vector<Block> run() {
        while (i < s.size()) step();
        flush();
        return std::move(out);
    }

private:
    struct List {
        bool ordered = false;
        int count = 0;
    };

    void flush() {
        std::string text = tidy(current);
        current.clear();
        if (!text.empty()) out.push_back(Block{kind, std::move(text), label, number});
        kind = resume;
        label.clear();
        number = 0;
    }
    void start(Kind k, std::string lab = {}, int n = 0) {
        flush();
        kind = k;
        label = std::move(lab);
        number = n;
    }
    void push(Kind k, std::string text, std::string lab = {}) {
        flush();
        if (!text.empty()) out.push_back(Block{k, std::move(text), std::move(lab), 0});
    }

    // At a line's first non-blank: a blank line, a fence, a bullet or a number.
    void lineStart() {
        std::size_t j = i;
        while (j < s.size() && isBlank(s[j])) ++j;
        if (j >= s.size()) {
            i = j;
            return;
        }
        if (s[j] == '\n') {  // a blank line ends the paragraph, and an open item
            flush();
            i = j;
            return;
        }
        std::string_view rest = s.substr(j);
        if (rest.starts_with("```")) {
            std::size_t bodyStart = s.find('\n', j);
            if (bodyStart == std::string_view::npos) bodyStart = s.size();
            std::size_t fence = s.find("```", bodyStart);
            std::size_t end = fence == std::string_view::npos ? s.size() : fence;
            push(Kind::Code, DocCommentMarkup::codeText(s.substr(bodyStart, end - bodyStart), false));
            i = fence == std::string_view::npos ? s.size() : fence + 3;
            while (i < s.size() && s[i] != '\n') ++i;  // the fence's own line
            return;
        }
        if (rest.size() > 2 && (rest[0] == '-' || rest[0] == '*' || rest[0] == '+') && rest[1] == ' ' &&
            rest[2] != '(' && rest[2] != '[') {
            start(Kind::Bullet);
            i = j + 2;
            return;
        }
        std::size_t digits = 0;
        while (digits < rest.size() && digits < 3 && std::isdigit(static_cast<unsigned char>(rest[digits]))) ++digits;
        if (digits > 0 && digits + 1 < rest.size() && (rest[digits] == '.' || rest[digits] == ')') &&
            rest[digits + 1] == ' ') {
            start(Kind::Numbered, {}, std::stoi(std::string(rest.substr(0, digits))));
            i = j + digits + 2;
            return;
        }
        i = j;
    }

    void step() {
        if (atLineStart) {
            atLineStart = false;
            lineStart();
            if (i >= s.size()) return;
        }
        char c = s[i];
        if (c == '\n') {
            current += ' ';
            ++i;
            atLineStart = true;
        } else if (c == '<') {
            tag();
        } else if (c == '&') {
            std::size_t used = DocCommentMarkup::decodeEntity(s.substr(i), current);
            if (used == 0) current += c;
            i += std::max<std::size_t>(used, 1);
        } else if ((c == '@' || c == '\\') && i + 1 < s.size()) {
            command();
        } else if (c == '{' && s.substr(i).starts_with("{@link")) {
            std::size_t close = s.find('}', i);
            std::size_t end = close == std::string_view::npos ? s.size() : close;
            link(s.substr(i + 6, end - i - 6));
            i = close == std::string_view::npos ? s.size() : close + 1;
        } else {
            current += c;
            ++i;
        }
    }

    void tag() {
        ParsedTag t = parseTag(s, i);
        const TagName* known = t.length ? knownTag(t.name) : nullptr;
        if (!known) {
            current += '<';
            ++i;
            return;
        }
        i += t.length;
        switch (known->tag) {
            case Tag::Paragraph:
            case Tag::Section: flush(); break;
            case Tag::Break: current += '\n'; break;
            case Tag::Inline: break;
            case Tag::Ref:
                // <ref id="-init" /> names its target only; <ref ...>text</ref> keeps its text
                if (t.selfClosing) {
                    std::string target = attribute(t.attributes, "id");
                    if (target.empty()) target = attribute(t.attributes, "url");
                    current += target;
                }
                break;
            case Tag::List:
            case Tag::OrderedList:
                flush();
                if (t.closing && !lists.empty()) lists.pop_back();
                else if (!t.closing && lists.size() < 64) lists.push_back({known->tag == Tag::OrderedList, 0});
                break;
            case Tag::Item:
                if (t.closing) flush();
                else if (!lists.empty() && lists.back().ordered) start(Kind::Numbered, {}, ++lists.back().count);
                else start(Kind::Bullet);
                break;
            case Tag::Deflist:
                resume = Kind::Paragraph;
                flush();
                break;
            case Tag::Term:
                resume = Kind::Paragraph;
                t.closing ? flush() : start(Kind::Term);
                break;
            case Tag::Desc:
                // Text after an example inside the description still belongs to it.
                resume = t.closing ? Kind::Paragraph : Kind::Definition;
                t.closing ? flush() : start(Kind::Definition);
                break;
            case Tag::Verbatim: {
                if (t.closing || t.selfClosing) break;
                std::size_t found = closingTag(s, i, t.name);
                std::size_t end = found == std::string_view::npos ? s.size() : found;
                push(Kind::Code, DocCommentMarkup::codeText(s.substr(i, end - i), true));
                i = end;
                if (found != std::string_view::npos) {
                    std::size_t gt = s.find('>', end);
                    i = gt == std::string_view::npos ? s.size() : gt + 1;
                }
                break;
            }
            case Tag::Note:
                if (!t.closing) push(Kind::Labelled, std::string(known->note), "Note");
                break;
        }
    }

    // @c word, \p word, \@, @link target text @/link; anything else stays as written.
    void command() {
        const char lead = s[i];
        if (lead == '\\' && escapable.find(s[i + 1]) != std::string_view::npos) {
            current += s[i + 1];
            i += 2;
            return;
        }
        const bool wordStart = i == 0 || !(isWordChar(s[i - 1]) || s[i - 1] == '.');
        std::size_t j = i + 1;
        while (j < s.size() && std::isalpha(static_cast<unsigned char>(s[j]))) ++j;
        std::string_view name = s.substr(i + 1, j - i - 1);
        if (!wordStart || name.empty() || (j < s.size() && isWordChar(s[j]))) {
            current += lead;
            ++i;
            return;
        }
        if (name == "link") {
            std::size_t end = s.find("@/link", j);
            std::size_t alt = s.find("@endlink", j);
            std::size_t stop = std::min(end, alt);
            std::size_t after = stop == std::string_view::npos ? s.size() : stop + (stop == end ? 6 : 8);
            link(s.substr(j, std::min(stop, s.size()) - j));
            i = after;
            return;
        }
        if (std::find(wordCommands.begin(), wordCommands.end(), name) != wordCommands.end() && j < s.size() &&
            isBlank(s[j])) {
            i = j + 1;  // the word itself follows as text
            return;
        }
        current += lead;
        ++i;
    }

    // "NSString text shown" -> "text shown"; "NSString" -> "NSString".
    void link(std::string_view inside) {
        std::string text = tidy(inside);
        std::size_t space = text.find(' ');
        current += space == std::string::npos ? text : text.substr(space + 1);
    }

    std::string_view s;
    std::size_t i = 0;
    bool atLineStart = true;
    std::vector<Block> out;
    std::string current;
    Kind kind = Kind::Paragraph;
    Kind resume = Kind::Paragraph;  // what a flush returns to: the open <desc>'s text
    std::string label;
    int number = 0;
    std::vector<List> lists;
};

}  // namespace

std::vector<DocComment::Block> DocCommentMarkup::blocks(std::string_view text) { return Scanner(text).run(); }

std::string DocCommentMarkup::inlineText(std::string_view text) {
    std::string out;
    for (const Block& b : blocks(text)) {
        if (!out.empty()) out += '\n';
        if (b.kind == Kind::Bullet) out += "\u2022 ";
        out += b.text;
    }
    return out;
}

std::size_t DocCommentMarkup::decodeEntity(std::string_view text, std::string& out) {
    struct Named {
        std::string_view name, text;
    };
    static constexpr std::array<Named, 8> named{{{"lt", "<"},
                                                 {"gt", ">"},
                                                 {"amp", "&"},
                                                 {"quot", "\""},
                                                 {"apos", "'"},
                                                 {"nbsp", " "},
                                                 {"copy", "\u00a9"},
                                                 {"mdash", "\u2014"}}};
    std::size_t semi = text.find(';');
    if (text.size() < 3 || text[0] != '&' || semi == std::string_view::npos || semi > 10) return 0;
    std::string_view name = text.substr(1, semi - 1);
    if (name.size() > 1 && name[0] == '#') {
        std::uint32_t cp = 0;
        const bool hex = name[1] == 'x' || name[1] == 'X';
        std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty()) return 0;
        for (char c : digits) {
            int v = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                    : hex && std::isxdigit(static_cast<unsigned char>(c)) ? std::tolower(c) - 'a' + 10
                                                                         : -1;
            if (v < 0) return 0;
            cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
        }
        if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
        appendUtf8(out, cp);
        return semi + 1;
    }
    for (const Named& n : named)
        if (n.name == name) {
            out += n.text;
            return semi + 1;
        }
    return 0;
}

std::string DocCommentMarkup::codeText(std::string_view raw, bool entities) {
    std::string text;
    if (entities) {
        for (std::size_t i = 0; i < raw.size();) {
            std::size_t used = raw[i] == '&' ? decodeEntity(raw.substr(i), text) : 0;
            if (used == 0) text += raw[i];
            i += std::max<std::size_t>(used, 1);
        }
    } else {
        text = std::string(raw);
    }
    std::vector<std::string_view> lines;
    std::string_view rest = text;
    while (true) {
        std::size_t nl = rest.find('\n');
        std::string_view line = rest.substr(0, nl);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos) break;
        rest.remove_prefix(nl + 1);
    }
    while (!lines.empty() && lines.front().empty()) lines.erase(lines.begin());
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    std::size_t indent = std::string_view::npos;
    for (std::string_view line : lines)
        if (!line.empty()) indent = std::min(indent, line.find_first_not_of(" \t"));
    std::string out;
    for (std::string_view line : lines) {
        if (!out.empty()) out += '\n';
        if (line.size() > indent) out += line.substr(indent);
    }
    return out;
}

}  // namespace kestrel
