#include "core/text/SnippetText.h"

#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

#include "core/text/DeclarationParts.h"

namespace kestrel {

namespace {

using Parts = DeclarationParts;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::size_t skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && isBlank(text[i])) ++i;
    return i;
}

std::size_t skipName(std::string_view text, std::size_t i) {
    while (i < text.size() && Parts::isNameChar(text[i])) ++i;
    return i;
}

std::string trimmed(std::string_view text) {
    std::size_t begin = skipBlanks(text, 0);
    std::size_t end = text.size();
    while (end > begin && isBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

// The end of the parenthesised group that starts at open: after its ")", or the end of the
// text when it is never closed.
std::size_t afterGroup(std::string_view text, std::size_t open) {
    std::size_t close = Parts::closingParen(text, open);
    return close == std::string::npos ? text.size() : close + 1;
}

// The words a C type is made of, before which a word in capitals is a name, not an attribute:
// "const double NS_LIMIT", "void NS_FUNC(int)".
bool isTypeWord(std::string_view word) {
    static constexpr std::string_view kWords[] = {"void",  "char",   "short",    "int",   "long",  "float",
                                                  "double", "signed", "unsigned", "const", "volatile", "_Bool",
                                                  "bool",  "struct", "enum",     "union", "static", "inline"};
    for (std::string_view w : kWords)
        if (word == w) return true;
    return false;
}

// A word written after a declaration's name that is no part of it: __attribute__ and its
// kin, and macros in capitals such as API_AVAILABLE or NS_FORMAT_FUNCTION when a name (not a
// type word) or another attribute's arguments stand before them. before is the name before the
// word, "" when something else is there; afterGroup tells whether that is a ")".
bool isAttribute(std::string_view word, std::string_view before, bool afterGroup = false) {
    if (word.starts_with("__")) return true;
    if (word.find('_') == std::string_view::npos) return false;
    for (char c : word)
        if (!std::isupper(static_cast<unsigned char>(c)) && !std::isdigit(static_cast<unsigned char>(c)) && c != '_')
            return false;
    return afterGroup || (!before.empty() && !isTypeWord(before));
}

// Whether a ")" stands right before position end, blanks skipped.
bool groupBefore(std::string_view text, std::size_t end) {
    while (end > 0 && isBlank(text[end - 1])) --end;
    return end > 0 && text[end - 1] == ')';
}

// The name that precedes position end (blanks skipped), "" when none does.
std::string_view nameBefore(std::string_view text, std::size_t end) {
    while (end > 0 && isBlank(text[end - 1])) --end;
    std::size_t begin = end;
    while (begin > 0 && Parts::isNameChar(text[begin - 1])) --begin;
    return text.substr(begin, end - begin);
}

// The top-level arguments of a list, cut at its commas: "int a, void (*f)(int, int)" ->
// "int a", "void (*f)(int, int)".
std::vector<std::string> splitArguments(std::string_view list) {
    std::vector<std::string> out;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const char c = list[i];
        if (c == '(' || c == '<' || c == '[') ++depth;
        if ((c == ')' || c == '>' || c == ']') && depth > 0) --depth;
        if (c == ',' && depth == 0) {
            out.push_back(trimmed(list.substr(start, i - start)));
            start = i + 1;
        }
    }
    out.push_back(trimmed(list.substr(start)));
    return out;
}

// A function's argument list as placeholders; "(void)" and "()" give none; "..." joins the
// argument before it, as the editors show a format and its values.
std::string argumentPlaceholders(std::string_view list) {
    std::vector<std::string> arguments = splitArguments(list);
    if (arguments.size() == 1 && (arguments[0].empty() || arguments[0] == "void")) return "";
    std::vector<std::string> texts;
    for (const std::string& argument : arguments) {
        if (argument == "..." && !texts.empty()) {
            texts.back() += ", ...";
            continue;
        }
        texts.push_back(SnippetText::readableType(Parts::callType(argument, "", false)));
    }
    std::string out;
    for (const std::string& text : texts) out += (out.empty() ? "" : ", ") + SnippetText::placeholder(text);
    return out;
}

// A constant's or variable's name: its last name, attributes after it left out.
std::string variableName(std::string_view declaration) {
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < declaration.size();) {
        if (declaration[i] == '(') {
            i = afterGroup(declaration, i);
            continue;
        }
        if (!Parts::isNameChar(declaration[i])) {
            ++i;
            continue;
        }
        std::size_t end = skipName(declaration, i);
        const std::string_view name = declaration.substr(i, end - i);
        // What follows the first attribute is attributes too: "NSFooKey API_A(x) API_B(y)".
        if (!names.empty() && isAttribute(name, names.back(), groupBefore(declaration, i))) break;
        names.push_back(name);
        i = end;
    }
    return names.empty() ? trimmed(declaration) : std::string(names.back());
}

// The function a declaration declares, with its argument list (none for a variable).
struct FunctionShape {
    std::string name;
    std::optional<std::string_view> arguments;
};

FunctionShape shapeOf(std::string_view d) {
    for (std::size_t i = 0; i < d.size(); ++i) {
        if (d[i] != '(') continue;
        const std::string_view name = nameBefore(d, i);
        const std::size_t end = afterGroup(d, i);
        // "void (*NSHook)(int)": a variable that holds a function.
        if (const std::size_t inner = skipBlanks(d, i + 1); inner < d.size() && (d[inner] == '*' || d[inner] == '^')) {
            const std::size_t nameStart = skipBlanks(d, inner + 1);
            const std::size_t nameEnd = skipName(d, nameStart);
            if (nameEnd > nameStart) return {std::string(d.substr(nameStart, nameEnd - nameStart)), std::nullopt};
        }
        const std::size_t nameStart = static_cast<std::size_t>(name.data() - d.data());
        if (name.empty() || isAttribute(name, nameBefore(d, nameStart), groupBefore(d, nameStart))) {
            i = end - 1;
            continue;
        }
        const std::size_t close = Parts::closingParen(d, i);
        return {std::string(name), close == std::string::npos ? d.substr(i + 1) : d.substr(i + 1, close - i - 1)};
    }
    return {variableName(d), std::nullopt};
}

}  // namespace

std::string SnippetText::placeholder(const std::string& text) { return "<#" + text + "#>"; }

std::string SnippetText::readableType(const std::string& type) {
    std::string out;
    const std::string_view t(type);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '*') {
            if (!out.empty() && (Parts::isNameChar(out.back()) || out.back() == '>')) out += ' ';
            out += '*';
            // "T * name" -> "T *name"
            if (std::size_t next = skipBlanks(t, i + 1); next < t.size() && Parts::isNameChar(t[next])) i = next - 1;
            continue;
        }
        if (c == ',') {
            out += ',';
            std::size_t next = skipBlanks(t, i + 1);
            if (next < t.size() && t[next] != ')') out += ' ';
            i = next - 1;
            continue;
        }
        if (isBlank(c)) {
            if (!out.empty() && out.back() != ' ') out += ' ';
            continue;
        }
        // "void(^)(int)" -> "void (^)(int)", "int(*)(int)" -> "int (*)(int)"
        if (c == '(' && !out.empty() && Parts::isNameChar(out.back()) && i + 1 < t.size() && (t[i + 1] == '^' || t[i + 1] == '*'))
            out += ' ';
        out += c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::string SnippetText::methodSnippet(const std::string& method, const std::string& receiver) {
    const Parts::Method parts = Parts::methodParts(method);
    if (parts.empty) return "";
    std::string target;
    if (parts.classMethod) target = receiver.empty() ? placeholder("Class") : receiver;
    else target = placeholder(receiver.empty() ? "id" : readableType(receiver + "*"));

    const std::string_view s(parts.selector);
    std::vector<std::string> pieces;  // "initWithFrame:<#(NSRect)#>", or the one word of a unary selector
    bool keyworded = false;
    for (std::size_t i = 0, depth = 0; i < s.size(); ++i) {
        if (s[i] == '(') ++depth;
        if (s[i] == ')' && depth > 0) --depth;
        if (s[i] == ':' && depth == 0) keyworded = true;
    }
    for (std::size_t i = skipBlanks(s, 0); i < s.size(); i = skipBlanks(s, i)) {
        if (s[i] == '(') {  // no keyword before it: an attribute's arguments
            i = afterGroup(s, i);
            continue;
        }
        if (s[i] == ',') {  // ",..." after the last argument
            std::size_t next = skipBlanks(s, i + 1);
            if (s.substr(next).starts_with("...") && !pieces.empty() && pieces.back().ends_with("#>")) {
                pieces.back().insert(pieces.back().size() - 2, ", ...");
                i = next + 3;
            } else {
                ++i;
            }
            continue;
        }
        const std::size_t wordEnd = skipName(s, i);
        const std::string word(s.substr(i, wordEnd - i));
        if (!keyworded) {
            if (!word.empty()) pieces.push_back(word);
            break;
        }
        if (wordEnd >= s.size() || s[wordEnd] != ':') {  // a word that is no keyword: an attribute
            i = wordEnd == i ? i + 1 : wordEnd;
            continue;
        }
        std::size_t j = skipBlanks(s, wordEnd + 1);
        std::string type = "id";  // an argument without a type is an object
        if (j < s.size() && s[j] == '(') {
            const std::size_t close = Parts::closingParen(s, j);
            type = std::string(close == std::string::npos ? s.substr(j + 1) : s.substr(j + 1, close - j - 1));
            j = skipBlanks(s, close == std::string::npos ? s.size() : close + 1);
        }
        j = skipName(s, j);  // the argument's name
        std::string argument(1, '(');  // built in steps: GCC 12 warns wrongly about "(" + a temporary
        argument += readableType(Parts::callType(type, receiver));
        argument += ')';
        pieces.push_back(word + ":" + placeholder(argument));
        i = j;
    }
    std::string text = "[" + target;
    for (const std::string& piece : pieces) text += " " + piece;
    return text + "]";
}

std::string SnippetText::functionSnippet(const std::string& declaration) {
    if (trimmed(declaration).empty()) return "";
    const FunctionShape shape = shapeOf(declaration);
    if (!shape.arguments) return shape.name;
    return shape.name + "(" + argumentPlaceholders(*shape.arguments) + ")";
}

std::string SnippetText::declaredName(const std::string& declaration) {
    if (trimmed(declaration).empty()) return "";
    return shapeOf(declaration).name;
}

}  // namespace kestrel
