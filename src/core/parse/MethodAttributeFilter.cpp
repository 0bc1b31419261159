#include "core/parse/MethodAttributeFilter.h"

#include "core/parse/AttributeWord.h"

namespace kestrel {

bool MethodAttributeFilter::isWrittenAsMacro(std::string_view word) { return AttributeWord::isWrittenAsMacro(word); }

bool MethodAttributeFilter::isAttribute(const std::string& word) const { return AttributeWord::isAttribute(word, keywords); }

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
