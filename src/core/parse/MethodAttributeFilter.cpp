#include "core/parse/MethodAttributeFilter.h"

#include "core/parse/MacroKeywordSource.h"

namespace kestrel {

bool MethodAttributeFilter::isWrittenAsMacro(std::string_view word) {
    bool underscore = false;
    bool letter = false;
    for (char c : word) {
        if (c == '_') underscore = true;
        else if (c >= 'A' && c <= 'Z') letter = true;
        else if (c < '0' || c > '9') return false;
    }
    return underscore && letter;
}

bool MethodAttributeFilter::isAttribute(const std::string& word) const {
    const bool reserved = word.starts_with("__");
    if (!reserved && !isWrittenAsMacro(word)) return false;  // "URL", "NSRect": asked of nobody
    if (word == "__attribute__" || word == "__attribute") return true;
    std::optional<bool> known = keywords ? keywords->isAttributeMacro(word) : std::nullopt;
    // An unknown reserved word may be an argument's name: "(id)__arg".
    return known.value_or(!reserved);
}

bool MethodAttributeFilter::startsAttribute(const std::string& word) {
    afterMacro = isAttribute(word);
    return afterMacro;
}

bool MethodAttributeFilter::dropsAfterMacro(int status, const std::string& command, bool inDeclaration) {
    // What ends a statement or a block is never an attribute's, even in unbalanced arguments.
    if (status == kSemicolon || status == kOpenBrace || status == kCloseBrace || status == kHash ||
        (status == kWord && command == "@end")) {
        afterMacro = false;
        depth = 0;
        typeDepth = 0;
        return false;
    }
    if (depth > 0) {
        if (status == kOpenParen) ++depth;
        if (status == kCloseParen) --depth;
        return true;
    }
    afterMacro = false;
    if (status == kOpenParen) {  // the dropped word's arguments
        depth = 1;
        return true;
    }
    return drops(status, command, inDeclaration);
}

}  // namespace kestrel
