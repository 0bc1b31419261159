#include "core/parse/DeclarationAttributes.h"

#include "core/parse/AttributeWord.h"
#include "core/parse/MacroBody.h"
#include "core/parse/MacroKeywordSource.h"

namespace kestrel {

namespace {

std::size_t useEnd(const CTokens& input, std::size_t i, bool withArguments) {
    if (withArguments && i + 1 < input.size() && input[i + 1].is("(")) return CTokenizer::skipBalanced(input, i + 1);
    return i + 1;
}

}  // namespace

bool DeclarationAttributes::opensPointerDeclarator(const CTokens& tokens, std::size_t open) {
    std::size_t i = open + 1;
    if (i < tokens.size() && tokens[i].isName()) ++i;  // a calling convention: "(CSSMAPI *name)"
    return i < tokens.size() && (tokens[i].is("*") || tokens[i].is("^"));
}

CTokens DeclarationAttributes::without(CTokens tokens, MacroKeywordSource* keywords, bool dropUnknownUses) {
    // Kept tokens move down over the dropped ones: no copy of the declaration.
    std::size_t kept = 0;
    bool space = false;  // a dropped run stood where a blank did
    for (std::size_t i = 0; i < tokens.size();) {
        const CToken& t = tokens[i];
        std::size_t end = i;
        if (t.kind == CToken::Kind::Literal && kept > 0 && tokens[kept - 1].is("extern")) {
            end = i + 1;
        } else if (t.isWord() && AttributeWord::isAttributeKeyword(t.text)) {
            end = useEnd(tokens, i, true);
        } else if (t.isName()) {
            std::optional<bool> attribute = AttributeWord::known(t.text, keywords);
            if (attribute == true) {
                const MacroBody* macro = keywords ? keywords->macroDefinition(t.text) : nullptr;
                end = useEnd(tokens, i, !macro || macro->functionLike);
            } else if (!attribute && dropUnknownUses && AttributeWord::isWrittenAsMacro(t.text) &&
                       i + 1 < tokens.size() && tokens[i + 1].is("(") && !opensPointerDeclarator(tokens, i + 1)) {
                end = useEnd(tokens, i, true);  // API_AVAILABLE(macos(10.7)) where it is unknown
            }
        }
        if (end == i) {
            if (kept != i) tokens[kept] = std::move(tokens[i]);
            if (space) tokens[kept].spaceBefore = true;
            ++kept;
            space = false;
            ++i;
        } else {
            space = space || t.spaceBefore;
            i = end;
        }
    }
    tokens.resize(kept);
    return tokens;
}

std::string DeclarationAttributes::tagName(const std::string& text, MacroKeywordSource* keywords) {
    // A word written like a macro and unknown is an attribute beside the real name, or in
    // place of one: "struct DEPRECATED_IN_MAC_OS_X_VERSION_10_7_AND_LATER {...} CSSM_TUPLE".
    for (const CToken& token : without(CTokenizer::tokenize(text), keywords, true)) {
        if (token.isName() &&
            !(AttributeWord::isWrittenAsMacro(token.text) && AttributeWord::known(token.text, keywords) != false))
            return token.text;
    }
    return {};
}

}  // namespace kestrel
