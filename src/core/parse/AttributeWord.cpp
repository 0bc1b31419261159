#include "core/parse/AttributeWord.h"

#include <array>

#include "core/parse/MacroKeywordSource.h"

namespace kestrel {

namespace {

constexpr std::array<std::string_view, 8> kAttributeKeywords{
    "__attribute__", "__attribute", "__declspec", "__asm", "__asm__", "asm", "_Pragma", "__pragma",
};

}  // namespace

bool AttributeWord::isWrittenAsMacro(std::string_view word) {
    bool underscore = false;
    bool letter = false;
    for (char c : word) {
        if (c == '_') underscore = true;
        else if (c >= 'A' && c <= 'Z') letter = true;
        else if (c < '0' || c > '9') return false;
    }
    return underscore && letter;
}

bool AttributeWord::isAttributeKeyword(std::string_view word) {
    for (std::string_view keyword : kAttributeKeywords)
        if (word == keyword) return true;
    return false;
}

std::optional<bool> AttributeWord::known(const std::string& word, MacroKeywordSource* keywords) {
    return keywords ? keywords->isAttributeMacro(word) : std::nullopt;
}

bool AttributeWord::isAttribute(std::string_view word, MacroKeywordSource* keywords) {
    const bool reserved = word.starts_with("__");
    if (!reserved && !isWrittenAsMacro(word) && word != "asm" && word != "_Pragma") return false;
    if (isAttributeKeyword(word)) return true;
    // An unknown reserved word may be an argument's name: "(id)__arg".
    return known(std::string(word), keywords).value_or(!reserved);
}

}  // namespace kestrel
