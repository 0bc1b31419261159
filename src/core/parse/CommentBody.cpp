#include "core/parse/CommentBody.h"

#include <algorithm>

#include "core/platform/ByteScan.h"
#include "core/platform/HedderText.h"

namespace kestrel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Lines without their shared indentation, blank ones at either end dropped, joined by "\n".
std::string join(std::vector<std::string_view> lines, bool dropSharedIndent) {
    for (auto& line : lines) line = trimRight(line);
    while (!lines.empty() && lines.front().empty()) lines.erase(lines.begin());
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (dropSharedIndent) {
        std::size_t shared = std::string_view::npos;
        for (std::string_view line : lines) {
            if (line.empty()) continue;
            std::size_t indent = 0;
            while (indent < line.size() && isBlank(line[indent])) ++indent;
            shared = std::min(shared, indent);
        }
        if (shared != std::string_view::npos)
            for (auto& line : lines)
                if (!line.empty()) line.remove_prefix(std::min(shared, line.size()));
    }
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) out += '\n';
        out.append(lines[i]);
    }
    return out;
}

// A line comment's text after its "//", "///", "//!" and a following "<": and one blank.
std::string_view lineBody(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    line.remove_prefix(i);
    if (line.starts_with("//")) line.remove_prefix(2);
    if (!line.empty() && (line.front() == '/' || line.front() == '!')) line.remove_prefix(1);
    if (!line.empty() && line.front() == '<') line.remove_prefix(1);
    return line;
}

}  // namespace

CommentBody::Style CommentBody::styleOf(std::string_view c) {
    if (c.starts_with("//")) {
        if (c.size() > 2 && (c[2] == '/' || c[2] == '!')) {
            if (c.size() > 3 && c[3] == '<') return Style::Trailing;
            if (c[2] == '/' && c.size() > 3 && c[3] == '/') return Style::Plain;  // a "////" ruler
            return Style::Doc;
        }
        return Style::Plain;
    }
    if (c.starts_with("/*") && c.size() > 2 && (c[2] == '*' || c[2] == '!')) {
        if (c.starts_with("/**/") || c.starts_with("/***")) return Style::Plain;
        if (c.size() > 3 && c[3] == '<') return Style::Trailing;
        return Style::Doc;
    }
    return Style::Plain;
}

std::string CommentBody::clean(std::string text) {
    HedderText::repairUtf8(text);
    // A property list holds no control character but tab and line end.
    for (std::size_t at = ByteScan::firstControl(text, 0); at < text.size(); ++at)
        if (ByteScan::isControl(text[at])) text[at] = ' ';
    return text;
}

std::string CommentBody::strip(std::string_view comment) {
    if (comment.starts_with("//")) return stripRun({comment});
    if (comment.starts_with("/*")) comment.remove_prefix(2);
    if (comment.ends_with("*/")) comment.remove_suffix(2);
    // The opener's "*", "!" and "<" ("/**", "/*!", "/**<").
    // ("/*****" of a boxed comment: all of its stars)
    if (!comment.empty() && comment.front() == '!') comment.remove_prefix(1);
    while (!comment.empty() && comment.front() == '*') comment.remove_prefix(1);
    if (!comment.empty() && comment.front() == '<') comment.remove_prefix(1);
    // The first line stands after the opener: the others keep the indentation they share.
    const std::size_t firstEnd = comment.find('\n');
    std::string_view first = comment.substr(0, firstEnd);
    while (!first.empty() && isBlank(first.front())) first.remove_prefix(1);
    first = trimRight(first);
    if (firstEnd == std::string_view::npos) return clean(std::string(first));
    const std::string_view rest = comment.substr(firstEnd + 1);
    // Each line after the first, walked twice without a list made of them: once to learn
    // whether all of them are " * text" lines and the indentation those with text share, once
    // to write them.
    auto eachLine = [rest](auto&& take) {
        for (std::size_t from = 0;;) {
            const std::size_t end = rest.find('\n', from);
            take(rest.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
            if (end == std::string_view::npos) return;
            from = end + 1;
        }
    };
    auto blanksOpening = [](std::string_view line) {
        std::size_t at = 0;
        while (at < line.size() && isBlank(line[at])) ++at;
        return at;
    };
    bool starred = true;
    std::size_t shared = std::string_view::npos;
    eachLine([&](std::string_view line) {
        const std::size_t at = blanksOpening(line);
        if (at == line.size()) return;  // blank: neither unstarred nor indented
        if (line[at] != '*') starred = false;
        shared = std::min(shared, at);
    });
    // Blank lines before the first with text and after the last go; those between stay.
    std::string body;
    body.reserve(comment.size());
    body.append(first);
    bool started = false;
    std::size_t blanks = 0;
    eachLine([&](std::string_view line) {
        if (starred) {
            // " * text" -> "text"; a closing " **" line of a boxed comment goes whole.
            std::size_t at = blanksOpening(line);
            while (at < line.size() && line[at] == '*') ++at;
            if (at < line.size() && line[at] == ' ') ++at;
            line.remove_prefix(at);
        }
        line = trimRight(line);
        if (line.empty()) {
            blanks += started;
            return;
        }
        if (!starred) line.remove_prefix(std::min(shared, line.size()));
        if (started || !first.empty()) body.append(blanks + 1, '\n');
        body.append(line);
        started = true;
        blanks = 0;
    });
    return clean(std::move(body));
}

std::string CommentBody::stripRun(const std::vector<std::string_view>& lines) {
    std::vector<std::string_view> bodies;
    bodies.reserve(lines.size());
    for (std::string_view line : lines) bodies.push_back(lineBody(line));
    // "// text" loses its one blank with the shared indentation.
    return clean(join(bodies, true));
}

}  // namespace kestrel
