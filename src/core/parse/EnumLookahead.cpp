#include "core/parse/EnumLookahead.h"

#include <cctype>

#include "core/model/EnumConstant.h"

namespace kestrel {

namespace {

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

// Reads the text a character at a time with the comments and directive lines taken out (each
// stands as one blank).
class Reader {
public:
    explicit Reader(std::string_view text) : text(text.substr(0, EnumLookahead::kLimit)) {}

    // The next character, or '\0' at the end.
    char next() {
        while (at < text.size()) {
            const char c = text[at];
            if (c == '/' && at + 1 < text.size() && text[at + 1] == '/') {
                skipLine();
                return ' ';
            }
            if (c == '/' && at + 1 < text.size() && text[at + 1] == '*') {
                std::size_t close = text.find("*/", at + 2);
                at = close == std::string_view::npos ? text.size() : close + 2;
                return ' ';
            }
            if (c == '#' && lineStart) {
                skipLine();
                return ' ';
            }
            ++at;
            if (c == '\n' || c == '\r') {
                lineStart = true;
            } else if (c != ' ' && c != '\t') {
                lineStart = false;
            }
            return c;
        }
        return '\0';
    }
    // The name that starts with c (already read).
    std::string name(char c) {
        std::string word(1, c);
        while (at < text.size() && isNameChar(text[at])) word += text[at++];
        return word;
    }

private:
    void skipLine() {
        while (at < text.size() && text[at] != '\n' && text[at] != '\r') ++at;
    }

    std::string_view text;
    std::size_t at = 0;
    bool lineStart = false;
};

bool isAttributeWord(const std::string& word) {
    return word == "__attribute__" || word == "__attribute" || word == "__declspec" || word == "alignas" ||
           word == "_Alignas";
}

}  // namespace

bool EnumLookahead::definitionFollows(std::string_view unread, const IsAttribute& isAttribute) {
    Reader reader(unread);
    std::string lastName;
    int names = 0;
    for (char c = reader.next(); c != '\0'; c = reader.next()) {
        if (isNameChar(c)) {
            lastName = reader.name(c);
            ++names;
            continue;
        }
        if (c == '{') return true;
        if (c == ';' || c == '}' || c == '=' || c == ')') return false;
        if (c == '(') {
            // An attribute's arguments, or a macro call right after "enum"; anything else is
            // a function's parameter list.
            const bool attribute = isAttributeWord(lastName) || (isAttribute && !lastName.empty() && isAttribute(lastName));
            if (!attribute && names != 1) return false;
            int depth = 1;
            while (depth > 0) {
                const char inner = reader.next();
                if (inner == '\0') return false;
                if (inner == '(') ++depth;
                if (inner == ')') --depth;
            }
            names = 2;  // the next group is no macro call right after "enum"
            lastName.clear();
        }
    }
    return false;
}

std::optional<std::vector<std::string>> EnumLookahead::callArguments(std::string_view unread) {
    Reader reader(unread);
    char c = reader.next();
    while (c == ' ' || c == '\t' || c == '\n' || c == '\r') c = reader.next();
    if (c != '(') return std::nullopt;
    std::vector<std::string> arguments(1);
    int depth = 0;
    for (c = reader.next(); c != '\0'; c = reader.next()) {
        if (c == ')' && depth == 0) {
            if (arguments.size() == 1 && EnumConstant::singleBlanks(arguments[0]).empty()) arguments.clear();
            for (std::string& argument : arguments) argument = EnumConstant::singleBlanks(argument);
            return arguments;
        }
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c == ',' && depth == 0) {
            arguments.emplace_back();
        } else {
            arguments.back() += c;
        }
    }
    return std::nullopt;
}

}  // namespace kestrel
