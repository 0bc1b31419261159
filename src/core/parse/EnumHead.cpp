#include "core/parse/EnumHead.h"

#include <array>
#include <cctype>
#include <string_view>

#include "core/platform/AsciiClass.h"

namespace kestrel {

namespace {

constexpr std::array<std::string_view, 6> kQualifiers{"const", "volatile", "restrict", "__restrict", "_Nonnull", "_Nullable"};

bool isQualifier(const std::string& word) {
    for (std::string_view q : kQualifiers)
        if (word == q) return true;
    return false;
}

// The index after the bracketed group that opens at tokens[open] ("(" or "["), or the end.
std::size_t pastGroup(const std::vector<std::string>& tokens, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (t == "(" || t == "[") ++depth;
        if ((t == ")" || t == "]") && --depth == 0) return i + 1;
    }
    return tokens.size();
}

std::string joinedWords(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& w : words) out += (out.empty() ? "" : " ") + w;
    return out;
}

}  // namespace

bool EnumHead::isName(const std::string& word) {
    if (word.empty() || std::isdigit(static_cast<unsigned char>(word[0]))) return false;
    for (char c : word)
        if (!isAsciiAlnum(c) && c != '_' && c != '$') return false;
    return true;
}

std::vector<std::string> EnumHead::withoutAttributes(const std::vector<std::string>& tokens,
                                                     const IsAttribute& isAttribute) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < tokens.size();) {
        const std::string& t = tokens[i];
        const bool call = i + 1 < tokens.size() && tokens[i + 1] == "(" && isName(t);
        if (call) {
            i = pastGroup(tokens, i + 1);
        } else if (t == "[" && i + 1 < tokens.size() && tokens[i + 1] == "[") {
            i = pastGroup(tokens, i);
        } else if (isName(t) && isAttribute && isAttribute(t)) {
            ++i;
        } else {
            out.push_back(t);
            ++i;
        }
    }
    return out;
}

EnumHead EnumHead::read(const std::vector<std::string>& tokens, const IsAttribute& isAttribute) {
    EnumHead head;
    std::vector<std::string> words = withoutAttributes(tokens, isAttribute);
    std::vector<std::string> type;
    bool afterColon = false;
    for (const std::string& w : words) {
        if (w == ":") {
            afterColon = true;
        } else if (afterColon) {
            type.push_back(w);
        } else if (isName(w)) {
            head.tag = w;  // an unknown macro before the tag gives way to the tag after it
        }
    }
    if (!type.empty()) head.type = joinedWords(type);
    return head;
}

std::vector<EnumHead::Declarator> EnumHead::declarators(const std::vector<std::string>& tokens,
                                                        const IsAttribute& isAttribute) {
    std::vector<Declarator> out;
    std::vector<std::string> words = withoutAttributes(tokens, isAttribute);
    Declarator current;
    bool named = false;
    int depth = 0;
    auto finish = [&] {
        if (named) out.push_back(current);
        current = Declarator{};
        named = false;
    };
    for (std::string w : words) {
        if (w == "(" || w == "[") ++depth;
        if (w == ")" || w == "]") --depth;
        if (depth > 0 || w == ")" || w == "]") continue;  // array sizes and the like
        if (w == ",") {
            finish();
            continue;
        }
        while (!w.empty() && w[0] == '*') {
            ++current.pointers;
            w.erase(0, 1);
        }
        if (!named && isName(w) && !isQualifier(w)) {
            current.name = w;
            named = true;
        }
    }
    finish();
    return out;
}

}  // namespace kestrel
