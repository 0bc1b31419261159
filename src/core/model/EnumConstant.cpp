#include "core/model/EnumConstant.h"

#include <cctype>

#include "core/platform/AsciiClass.h"

namespace kestrel {

namespace {

bool isNameChar(char c) { return isAsciiAlnum(c) || c == '_' || c == '$'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// Walks a text keeping track of character constants ('a', '\'', 'ab  ') and bracket depth,
// so that commas, "=" and blanks inside them are told apart from those of the enumerator.
class Scanner {
public:
    // Feeds one character; answers whether it stands outside every character constant.
    bool step(char c) {
        if (inCharacter) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '\'' || c == '\n' || c == '\r') {  // a line end ends a broken one
                inCharacter = false;
            }
            return false;
        }
        if (c == '\'') {
            inCharacter = true;
            return false;
        }
        if (c == '(' || c == '[' || c == '{') ++depth;
        if ((c == ')' || c == ']' || c == '}') && depth > 0) --depth;
        return true;
    }
    bool atTop() const { return depth == 0; }

private:
    bool inCharacter = false;
    bool escaped = false;
    int depth = 0;
};

}  // namespace

std::string EnumConstant::text() const {
    std::string out;
    appendText(out);
    return out;
}

void EnumConstant::appendText(std::string& out) const {
    out += name;
    if (value) out.append(" = ").append(*value);
}

std::string EnumConstant::singleBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    // Most values hold no character constant, whose blanks would stay: those are taken a run of
    // non-blanks at a time.
    if (text.find('\'') == std::string_view::npos) {
        for (std::size_t i = 0; i < text.size();) {
            if (isBlank(text[i])) {
                ++i;
                continue;
            }
            std::size_t end = i + 1;
            while (end < text.size() && !isBlank(text[end])) ++end;
            if (!out.empty()) out += ' ';
            out.append(text, i, end - i);
            i = end;
        }
        return out;
    }
    Scanner scanner;
    bool pendingBlank = false;
    for (char c : text) {
        const bool inCharacter = !scanner.step(c) && c != '\'';
        if (!inCharacter && isBlank(c)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) out += ' ';
        pendingBlank = false;
        out += c;
    }
    return out;
}

std::optional<EnumConstant> EnumConstant::fromText(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && isNameChar(text[end])) ++end;
    if (end == start || std::isdigit(static_cast<unsigned char>(text[start]))) return std::nullopt;
    EnumConstant constant{std::string(text.substr(start, end - start)), std::nullopt};
    // "Name = value": the "=" right after the name's blanks stands outside everything.
    std::size_t equals = end;
    while (equals < text.size() && isBlank(text[equals])) ++equals;
    if (equals < text.size() && text[equals] == '=') {
        if (std::string value = singleBlanks(text.substr(equals + 1)); !value.empty()) constant.value = std::move(value);
        return constant;
    }
    Scanner scanner;
    for (std::size_t i = end; i < text.size(); ++i) {
        if (scanner.step(text[i]) && scanner.atTop() && text[i] == '=') {
            std::string value = singleBlanks(text.substr(i + 1));
            if (!value.empty()) constant.value = std::move(value);
            break;
        }
    }
    return constant;
}

std::vector<EnumConstant> EnumConstant::fromBody(std::string_view body) {
    std::size_t first = body.find_first_not_of(" \t\r\n");
    std::size_t last = body.find_last_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    body = body.substr(first, last - first + 1);
    if (body.starts_with('{')) body.remove_prefix(1);
    if (body.ends_with('}')) body.remove_suffix(1);
    std::vector<EnumConstant> out;
    Scanner scanner;
    std::size_t entry = 0;
    for (std::size_t i = 0; i <= body.size(); ++i) {
        if (i < body.size() && !(scanner.step(body[i]) && scanner.atTop() && body[i] == ',')) continue;
        if (auto constant = fromText(body.substr(entry, i - entry))) out.push_back(std::move(*constant));
        entry = i + 1;
    }
    return out;
}

}  // namespace kestrel
