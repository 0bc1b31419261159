#include "core/text/DocCommentParser.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <vector>

#include "core/text/DocCommentMarkup.h"

namespace kestrel {

namespace {

enum class Part { Drop, Brief, Body, Param, Constant, Field, Returns, Retval, Throws, See, Labelled, CodeStart, CodeEnd, Keep };

struct TagPart {
    std::string_view name;
    Part part;
    std::string_view label = {};
};
constexpr TagPart tagParts[] = {
    {"abstract", Part::Brief},        {"brief", Part::Brief},
    {"short", Part::Brief},           {"summary", Part::Brief},
    {"discussion", Part::Body},       {"details", Part::Body},
    {"description", Part::Body},      {"param", Part::Param},
    {"parameter", Part::Param},       {"arg", Part::Param},
    {"tparam", Part::Param},          {"templatefield", Part::Param},
    {"const", Part::Constant},        {"constant", Part::Constant},
    {"field", Part::Field},           {"result", Part::Returns},
    {"return", Part::Returns},        {"returns", Part::Returns},
    {"retval", Part::Retval},         {"throws", Part::Throws},
    {"throw", Part::Throws},          {"exception", Part::Throws},
    {"see", Part::See},               {"seealso", Part::See},
    {"sa", Part::See},                {"code", Part::CodeStart},
    {"textblock", Part::CodeStart},   {"/textblock", Part::CodeEnd},
    {"verbatim", Part::CodeStart},    {"endcode", Part::CodeEnd},
    {"endverbatim", Part::CodeEnd},   {"note", Part::Labelled, "Note"},
    {"warning", Part::Labelled, "Warning"},
    {"attention", Part::Labelled, "Attention"},
    {"important", Part::Labelled, "Important"},
    {"deprecated", Part::Labelled, "Deprecated"},
    {"since", Part::Labelled, "Since"},
    {"version", Part::Labelled, "Version"},
    {"author", Part::Labelled, "Author"},
    {"bug", Part::Labelled, "Bug"},
    {"todo", Part::Labelled, "To do"},
    {"remark", Part::Labelled, "Remark"},
    {"remarks", Part::Labelled, "Remarks"},
    {"pre", Part::Labelled, "Precondition"},
    {"post", Part::Labelled, "Postcondition"},
    {"invariant", Part::Labelled, "Invariant"},
    {"availability", Part::Labelled, "Availability"},
    {"updated", Part::Labelled, "Updated"},
    {"copyright", Part::Labelled, "Copyright"},
    {"par", Part::Labelled, "Note"},
    // HeaderDoc's and Doxygen's header lines: what the comment is about, already known.
    {"class", Part::Drop},            {"method", Part::Drop},
    {"function", Part::Drop},         {"interface", Part::Drop},
    {"protocol", Part::Drop},         {"category", Part::Drop},
    {"typedef", Part::Drop},          {"struct", Part::Drop},
    {"enum", Part::Drop},             {"union", Part::Drop},
    {"define", Part::Drop},           {"defined", Part::Drop},
    {"property", Part::Drop},         {"var", Part::Drop},
    {"header", Part::Drop},           {"framework", Part::Drop},
    {"methodgroup", Part::Drop},      {"group", Part::Drop},
    {"functiongroup", Part::Drop},    {"file", Part::Drop},
    {"fn", Part::Drop},               {"defgroup", Part::Drop},
    {"ingroup", Part::Drop},          {"addtogroup", Part::Drop},
    {"name", Part::Drop},             {"charset", Part::Drop},
    {"indexgroup", Part::Drop},       {"callback", Part::Drop},
    {"constantgroup", Part::Drop},    {"ignore", Part::Drop},
    {"internal", Part::Drop},         {"related", Part::Drop},
    {"superclass", Part::Drop},       {"updated-by", Part::Drop},
    // Objective-C's own words opening a line of prose or an example are no tags.
    {"end", Part::Keep},              {"implementation", Part::Keep},
    {"selector", Part::Keep},         {"encode", Part::Keep},
    {"synthesize", Part::Keep},       {"dynamic", Part::Keep},
    {"optional", Part::Keep},         {"required", Part::Keep},
    {"try", Part::Keep},              {"private", Part::Keep},
    {"protected", Part::Keep},        {"public", Part::Keep},
    {"package", Part::Keep},
    // inline commands (DocCommentMarkup's)
    {"c", Part::Keep},                {"p", Part::Keep},
    {"a", Part::Keep},                {"e", Part::Keep},
    {"b", Part::Keep},                {"em", Part::Keep},
    {"ref", Part::Keep},              {"link", Part::Keep},
    {"/link", Part::Keep},            {"n", Part::Keep},
};
constexpr std::size_t longestTagName = 32;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

const TagPart* findTag(std::string_view name) {
    std::string lowered(name);
    for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const TagPart& t : tagParts)
        if (t.name == lowered) return &t;
    return nullptr;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (isBlank(s.front()) || s.front() == '\n')) s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\n')) s.remove_suffix(1);
    return s;
}

// A tag met in a line: where it starts, where its name ends, and what it is.
struct FoundTag {
    std::size_t at = std::string_view::npos;
    std::size_t end = 0;
    Part part = Part::Keep;
    std::string label;
};

// The next tag in line from `from`: "@name" or "\name" opening the line or after a blank,
// followed by a blank, "[" (\param[in]) or the line's end. An unknown name opening the line
// is a labelled paragraph of its own.
FoundTag nextTag(std::string_view line, std::size_t from) {
    for (std::size_t i = from; i < line.size(); ++i) {
        if (line[i] != '@' && line[i] != '\\') continue;
        if (i > 0 && !isBlank(line[i - 1])) continue;
        std::size_t j = i + 1;
        if (j < line.size() && line[j] == '/') ++j;  // @/textblock, @/link
        const std::size_t nameStart = j;
        while (j < line.size() && j - i <= longestTagName &&
               (std::isalpha(static_cast<unsigned char>(line[j])) || line[j] == '-'))
            ++j;
        if (j == nameStart || (j < line.size() && !isBlank(line[j]) && line[j] != '[' && line[j] != ':')) continue;
        std::string_view name = line.substr(i + 1, j - i - 1);
        const TagPart* tag = findTag(name);
        const bool opensLine = trim(line.substr(0, i)).empty();
        if (tag && tag->part == Part::Keep) continue;
        // "@YES" opening a line of an example is no tag: an unknown tag is a lower-case word
        const bool tagLike = name.size() > 1 && std::islower(static_cast<unsigned char>(name[0]));
        if (!tag && !(opensLine && line[i] == '@' && tagLike)) continue;
        FoundTag found{i, j, tag ? tag->part : Part::Labelled, {}};
        if (tag) found.label = std::string(tag->label);
        else {
            found.label.assign(name);  // "@availability2" -> "Availability2"
            found.label[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(found.label[0])));
        }
        // \param[in,out]: the direction is no part of the text
        if (j < line.size() && line[j] == '[') {
            std::size_t close = line.find(']', j);
            if (close != std::string_view::npos && close - j < 16) found.end = close + 1;
        }
        return found;
    }
    return {};
}

struct Section {
    Part part = Part::Body;
    std::string label;
    std::string text;                 // markup, lines joined by "\n"
    std::vector<std::string> code;    // code blocks met in it, in order, each at a marker in text
};

constexpr char codeMarker = '\x1e';  // where a code block stands in a section's text

class Builder {
public:
    std::vector<Section> sections{Section{}};

    void line(std::string_view l) {
        if (inCode) {
            FoundTag end = nextTag(l, 0);
            while (end.at != std::string_view::npos && end.part != Part::CodeEnd) end = nextTag(l, end.end);
            if (end.at == std::string_view::npos) {
                codeText.append(l).append(1, '\n');
                return;
            }
            codeText.append(l.substr(0, end.at));
            closeCode();
            l.remove_prefix(end.end);
        }
        if (trim(l).empty()) {
            Part p = sections.back().part;
            if (p != Part::Body) sections.push_back(Section{});  // a blank line ends a tag's text
            sections.back().text += '\n';
            return;
        }
        std::size_t pos = 0;
        while (pos <= l.size()) {
            FoundTag tag = nextTag(l, pos);
            std::size_t stop = std::min(tag.at, l.size());
            sections.back().text.append(l.substr(pos, stop - pos));
            if (tag.at == std::string_view::npos) break;
            pos = tag.end;
            if (tag.part == Part::Drop) return;  // the header line, with its name
            if (tag.part == Part::CodeStart) {
                // Code is shown as a block of the discussion, even after "@result ..."
                if (sections.back().part != Part::Body && sections.back().part != Part::Labelled)
                    sections.push_back(Section{});
                inCode = true;
                codeText.clear();
                std::string_view rest = l.substr(pos);
                FoundTag end = nextTag(rest, 0);
                while (end.at != std::string_view::npos && end.part != Part::CodeEnd) end = nextTag(rest, end.end);
                if (end.at == std::string_view::npos) {  // the code goes on below
                    if (!trim(rest).empty()) codeText.append(rest).append(1, '\n');
                    return;
                }
                codeText.append(rest.substr(0, end.at));  // @code x = 1; @endcode
                closeCode();
                pos += end.end;
                continue;
            }
            if (tag.part == Part::CodeEnd) continue;
            sections.push_back(Section{tag.part, tag.label, {}, {}});
        }
        sections.back().text += '\n';
    }

    void finish() {
        if (inCode) closeCode();
    }

private:
    void closeCode() {
        inCode = false;
        sections.back().text += codeMarker;
        sections.back().code.push_back(DocCommentMarkup::codeText(codeText, false));
        codeText.clear();
    }

    bool inCode = false;
    std::string codeText;
};

// The section's blocks, its code blocks in their places.
std::vector<DocComment::Block> sectionBlocks(const Section& s) {
    std::vector<DocComment::Block> blocks;
    std::size_t start = 0, codeIndex = 0;
    std::string_view text = s.text;
    while (start <= text.size()) {
        std::size_t marker = text.find(codeMarker, start);
        std::size_t end = marker == std::string_view::npos ? text.size() : marker;
        for (auto& b : DocCommentMarkup::blocks(text.substr(start, end - start))) blocks.push_back(std::move(b));
        if (marker == std::string_view::npos) break;
        if (codeIndex < s.code.size() && !s.code[codeIndex].empty())
            blocks.push_back({DocComment::BlockKind::Code, s.code[codeIndex], {}, 0});
        ++codeIndex;
        start = marker + 1;
    }
    return blocks;
}

std::string joinedText(const std::vector<DocComment::Block>& blocks, std::string_view between) {
    std::string out;
    for (const auto& b : blocks) {
        if (b.text.empty()) continue;
        if (!out.empty()) out += between;
        out += b.text;
    }
    return out;
}

// "name The text", "name: text", "name - text" -> {"name", "The text"}
DocComment::Item item(const Section& s) {
    std::string text = joinedText(sectionBlocks(s), "\n");
    std::string_view rest = trim(text);
    std::size_t space = 0;
    while (space < rest.size() && !isBlank(rest[space]) && rest[space] != '\n') ++space;
    DocComment::Item it{std::string(rest.substr(0, space)), {}};
    if (!it.name.empty() && (it.name.back() == ':' || it.name.back() == ',')) it.name.pop_back();
    rest = trim(rest.substr(space));
    if (rest.starts_with("- ") || rest.starts_with(": ") || rest.starts_with("\u2014 ")) rest = trim(rest.substr(rest[0] == '-' || rest[0] == ':' ? 2 : 4));
    it.text = std::string(rest);
    return it;
}

}  // namespace

std::string DocCommentParser::stripDelimiters(std::string_view text) {
    std::string s(text);
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        std::size_t nl = s.find('\n', start);
        lines.push_back(s.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    // Line comments: every line opens with "//" ("///", "//!", "///<").
    bool lineComments = true;
    for (const std::string& l : lines) {
        std::string_view t = trim(l);
        if (!t.empty() && !t.starts_with("//")) lineComments = false;
    }
    for (std::string& l : lines) {
        std::size_t first = l.find_first_not_of(" \t");
        if (first == std::string::npos) continue;
        if (lineComments) {
            std::size_t after = first + 2;
            if (after < l.size() && (l[after] == '/' || l[after] == '!')) ++after;
            if (after < l.size() && l[after] == '<') ++after;
            if (after < l.size() && l[after] == ' ') ++after;
            l.erase(0, after);
        }
    }
    if (!lines.empty()) {
        std::string& first = lines.front();
        std::size_t f = first.find_first_not_of(" \t");
        if (f != std::string::npos && first.compare(f, 2, "/*") == 0) {
            std::size_t after = f + 2;
            while (after < first.size() && (first[after] == '*' || first[after] == '!')) ++after;
            if (after < first.size() && first[after] == '<') ++after;
            first.erase(0, after);
        }
        std::string& last = lines.back();
        std::size_t close = last.rfind("*/");
        if (close != std::string::npos && trim(std::string_view(last).substr(close + 2)).empty()) {
            std::size_t cut = close;
            while (cut > 0 && last[cut - 1] == '*') --cut;
            last.erase(cut);
        }
    }
    // Leading stars, when every line after the first that says something has one.
    bool stars = true, any = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string_view t = trim(lines[i]);
        if (t.empty()) continue;
        any = true;
        if (t[0] != '*') stars = false;
    }
    if (stars && any)
        for (std::size_t i = 1; i < lines.size(); ++i) {
            std::string& l = lines[i];
            std::size_t f = l.find_first_not_of(" \t");
            if (f == std::string::npos || l[f] != '*') continue;
            std::size_t after = f + 1;
            if (after < l.size() && l[after] == ' ') ++after;
            l.erase(0, after);
        }
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) out += '\n';
        out += lines[i];
    }
    return std::string(trim(out));
}

DocComment DocCommentParser::parse(std::string_view body) {
    std::string text = stripDelimiters(body);
    Builder builder;
    std::string_view rest = text;
    while (true) {
        std::size_t nl = rest.find('\n');
        builder.line(rest.substr(0, nl));
        if (nl == std::string_view::npos) break;
        rest.remove_prefix(nl + 1);
    }
    builder.finish();

    DocComment doc;
    for (const Section& s : builder.sections) {
        switch (s.part) {
            case Part::Body:
                for (auto& b : sectionBlocks(s)) doc.blocks.push_back(std::move(b));
                break;
            case Part::Brief: {
                std::string brief = joinedText(sectionBlocks(s), " ");
                if (!brief.empty()) doc.brief += (doc.brief.empty() ? "" : " ") + brief;
                break;
            }
            case Part::Labelled:
                doc.blocks.push_back({DocComment::BlockKind::Labelled, joinedText(sectionBlocks(s), "\n"), s.label, 0});
                break;
            case Part::Param:
                if (auto it = item(s); !it.name.empty()) doc.parameters.push_back(std::move(it));
                break;
            case Part::Constant:
                if (auto it = item(s); !it.name.empty()) doc.constants.push_back(std::move(it));
                break;
            case Part::Field:
                if (auto it = item(s); !it.name.empty()) doc.fields.push_back(std::move(it));
                break;
            case Part::Throws:
                if (auto it = item(s); !it.name.empty()) doc.throws.push_back(std::move(it));
                break;
            case Part::Returns:
            case Part::Retval: {
                std::string r = joinedText(sectionBlocks(s), " ");
                if (!r.empty()) doc.returns += (doc.returns.empty() ? "" : " ") + r;
                break;
            }
            case Part::See:
                if (std::string see = joinedText(sectionBlocks(s), " "); !see.empty()) doc.seeAlso.push_back(see);
                break;
            default: break;
        }
    }
    return doc;
}

}  // namespace kestrel
