#include "core/text/DocCommentText.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "core/text/DocCommentParser.h"

namespace kestrel {

namespace {

using Kind = DocComment::BlockKind;
constexpr std::string_view dash = " \u2014 ";
constexpr std::string_view bullet = "\u2022 ";
constexpr std::string_view ellipsis = "\u2026";

std::size_t codePoints(std::string_view s) {
    std::size_t n = 0;
    for (char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// The byte length of the first n code points of s.
std::size_t prefixBytes(std::string_view s, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t seen = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (seen == n) break;
            ++seen;
        }
    }
    return i;
}

// Words that end in a dot without ending a sentence.
constexpr std::string_view abbreviations[] = {"NB", "N.B", "e.g", "i.e", "eg", "ie", "etc", "cf", "vs", "Mr", "Dr", "No"};

// Up to the first ". " before a capital that does not end an abbreviation or an initial:
// "Returns it, e.g. its size. More." -> "Returns it, e.g. its size."
std::string firstSentence(std::string text) {
    for (char& c : text)
        if (c == '\n') c = ' ';
    for (std::size_t dot = text.find(". "); dot != std::string::npos; dot = text.find(". ", dot + 1)) {
        if (dot + 2 >= text.size() || !std::isupper(static_cast<unsigned char>(text[dot + 2]))) continue;
        std::size_t space = text.rfind(' ', dot);
        std::string_view word = std::string_view(text).substr(space == std::string::npos ? 0 : space + 1);
        word = word.substr(0, word.find('.'));
        const bool abbreviation =
            word.size() <= 1 || std::find(std::begin(abbreviations), std::end(abbreviations), word) != std::end(abbreviations);
        if (!abbreviation) return text.substr(0, dot + 1);
    }
    return text;
}

class Writer {
public:
    explicit Writer(std::size_t width) : width(width) {}

    // A paragraph-like text; `tight` joins it to the one before with no blank line.
    void text(std::string_view t, std::string_view first = {}, std::string_view rest = {}, bool tight = false) {
        separate(tight);
        out += width ? DocCommentText::wrap(t, width, first, rest) : std::string(first) + std::string(t);
    }
    void code(std::string_view t) {
        separate(false);
        std::size_t start = 0;
        while (start <= t.size()) {
            std::size_t nl = t.find('\n', start);
            std::string_view line = t.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
            if (start) out += '\n';
            if (!line.empty()) out.append("    ").append(line);
            if (nl == std::string_view::npos) break;
            start = nl + 1;
        }
    }
    void list(std::string_view heading, const std::vector<DocComment::Item>& items) {
        if (items.empty()) return;
        text(heading);
        for (const DocComment::Item& it : items) {
            std::string first = "  " + it.name + (it.text.empty() ? std::string() : std::string(dash));
            text(it.text, first, "    ", true);
        }
    }
    std::string take() { return std::move(out); }

private:
    void separate(bool tight) {
        if (!out.empty()) out += tight ? "\n" : "\n\n";
    }
    std::size_t width;
    std::string out;
};

}  // namespace

std::string DocCommentText::wrap(std::string_view text, std::size_t width, std::string_view firstIndent,
                                 std::string_view indent) {
    std::string out(firstIndent);
    std::size_t column = codePoints(firstIndent);
    bool lineHasWord = false;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\n') {
            out += '\n';
            out += indent;
            column = codePoints(indent);
            lineHasWord = false;
            ++i;
            continue;
        }
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        std::size_t end = text.find_first_of(" \n", i);
        if (end == std::string_view::npos) end = text.size();
        std::string_view word = text.substr(i, end - i);
        std::size_t length = codePoints(word);
        if (lineHasWord && column + 1 + length > width) {
            out += '\n';
            out += indent;
            column = codePoints(indent);
            lineHasWord = false;
        }
        if (lineHasWord) {
            out += ' ';
            ++column;
        }
        out += word;
        column += length;
        lineHasWord = true;
        i = end;
    }
    return out;
}

std::string DocCommentText::plain(const DocComment& doc, const Options& options) {
    Writer w(options.width);
    if (!doc.brief.empty()) w.text(doc.brief);
    Kind previous = Kind::Paragraph;
    bool first = true;
    for (const DocComment::Block& b : doc.blocks) {
        const bool listed = !first && (b.kind == Kind::Bullet || b.kind == Kind::Numbered) &&
                            (previous == Kind::Bullet || previous == Kind::Numbered);
        const bool defined = !first && (b.kind == Kind::Definition && previous == Kind::Term);
        const bool nextTerm = !first && b.kind == Kind::Term && previous == Kind::Definition;
        const bool tight = listed || defined || nextTerm;
        switch (b.kind) {
            case Kind::Paragraph:
            case Kind::Term: w.text(b.text, {}, {}, tight); break;
            case Kind::Code: w.code(b.text); break;
            case Kind::Bullet: w.text(b.text, bullet, "  ", tight); break;
            case Kind::Numbered: {
                std::string mark = std::to_string(b.number) + ". ";
                w.text(b.text, mark, std::string(mark.size(), ' '), tight);
                break;
            }
            case Kind::Definition: w.text(b.text, "    ", "    ", tight); break;
            case Kind::Labelled: w.text(b.text, b.label + (b.text.empty() ? "" : ": "), "  ", false); break;
        }
        previous = b.kind;
        first = false;
    }
    w.list("Parameters", doc.parameters);
    w.list("Constants", doc.constants);
    w.list("Fields", doc.fields);
    if (!doc.returns.empty()) w.text(doc.returns, "Returns: ", "  ");
    w.list("Throws", doc.throws);
    if (!doc.seeAlso.empty()) {
        std::string see;
        for (const std::string& s : doc.seeAlso) see += (see.empty() ? "" : ", ") + s;
        w.text(see, "See also: ", "  ");
    }
    return w.take();
}

std::string DocCommentText::plain(std::string_view body, const Options& options) {
    return plain(DocCommentParser::parse(body), options);
}

std::string DocCommentText::summary(const DocComment& doc, std::size_t maxLength) {
    std::string line = doc.brief;
    if (line.empty())
        for (const DocComment::Block& b : doc.blocks)
            if (b.kind == Kind::Paragraph && !b.text.empty()) {
                line = firstSentence(b.text);
                break;
            }
    if (line.empty() && !doc.returns.empty()) line = "Returns: " + doc.returns;
    for (char& c : line)
        if (c == '\n') c = ' ';
    if (codePoints(line) <= maxLength) return line;
    std::size_t cut = prefixBytes(line, maxLength > 0 ? maxLength - 1 : 0);
    std::size_t space = line.rfind(' ', cut);
    if (space != std::string::npos && space > cut / 2) cut = space;
    line.erase(cut);
    while (!line.empty() && (line.back() == ' ' || line.back() == ',' || line.back() == ';')) line.pop_back();
    return line + std::string(ellipsis);
}

std::string DocCommentText::summary(std::string_view body, std::size_t maxLength) {
    return summary(DocCommentParser::parse(body), maxLength);
}

}  // namespace kestrel
