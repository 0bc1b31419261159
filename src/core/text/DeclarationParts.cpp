#include "core/text/DeclarationParts.h"

#include <cctype>

namespace kestrel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The words a declaration may carry that a variable or a cast in a call cannot, or need not:
// nullability and __kindof; in a method also the qualifiers of distributed messages.
bool isDeclarationOnly(std::string_view word, bool method) {
    static constexpr std::string_view kWords[] = {
        "nullable", "nonnull", "null_unspecified", "null_resettable", "_Nullable", "_Nonnull",
        "_Null_unspecified", "_Nullable_result", "__nullable", "__nonnull", "__null_unspecified", "__kindof",
    };
    static constexpr std::string_view kMessageWords[] = {"oneway", "in", "out", "inout", "bycopy", "byref"};
    for (std::string_view w : kWords)
        if (word == w) return true;
    if (method)
        for (std::string_view w : kMessageWords)
            if (word == w) return true;
    return false;
}

}  // namespace

std::size_t DeclarationParts::closingParen(std::string_view text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        if (text[i] == ')' && --depth == 0) return i;
    }
    return std::string::npos;
}

bool DeclarationParts::isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool DeclarationParts::returnsNothing(const std::string& type) { return type == "void" || type == "oneway void"; }

DeclarationParts::Method DeclarationParts::methodParts(const std::string& method) {
    Method parts;
    std::size_t pos = 0;
    if (!method.empty() && (method[0] == '-' || method[0] == '+')) {
        parts.classMethod = method[0] == '+';
        pos = 1;
    }
    while (pos < method.size() && isBlank(method[pos])) ++pos;
    if (pos >= method.size()) return parts;
    parts.empty = false;
    if (method[pos] != '(') {
        parts.type = "id";
        parts.selector = method.substr(pos);
        return parts;
    }
    std::size_t close = closingParen(method, pos);
    if (close == std::string::npos) {
        parts.type = method.substr(pos + 1);
    } else {
        parts.type = method.substr(pos + 1, close - pos - 1);
        parts.selector = method.substr(close + 1);
    }
    if (parts.type.find_first_not_of(" \t") == std::string::npos) parts.type = "id";
    return parts;
}

std::string DeclarationParts::callType(const std::string& type, const std::string& receiver, bool method) {
    std::string out;
    std::size_t i = 0;
    while (i < type.size()) {
        if (!isNameChar(type[i])) {
            out += type[i++];
            continue;
        }
        std::size_t end = i;
        while (end < type.size() && isNameChar(type[end])) ++end;
        std::string_view word(type.data() + i, end - i);
        i = end;
        if (isDeclarationOnly(word, method)) {
            while (i < type.size() && isBlank(type[i])) ++i;
            // The blank before the word stays only between two names: "id _Nullable x" -> "id x".
            if (!out.empty() && out.back() == ' ' && (i >= type.size() || !isNameChar(type[i]))) out.pop_back();
            if (!out.empty() && out.back() != ' ' && isNameChar(out.back()) && i < type.size() && isNameChar(type[i]))
                out += ' ';
            continue;
        }
        if (method && word == "instancetype") out += receiver.empty() ? "id" : receiver + "*";
        else out += word;
    }
    return out;
}

}  // namespace kestrel
