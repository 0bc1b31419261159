#include "core/parse/MacroBody.h"

#include <algorithm>

#include "core/parse/MacroDefinition.h"
#include "core/parse/MacroKeywordSource.h"

namespace kestrel {

MacroBody MacroBody::of(const MacroDefinition& definition) {
    MacroBody macro;
    macro.functionLike = definition.isFunctionLike();
    macro.variadic = definition.isVariadic();
    macro.parameters = definition.getParameters();
    macro.body = CTokenizer::tokenize(definition.bodyText());
    return macro;
}

std::vector<CTokens> MacroBody::arguments(const CTokens& tokens, std::size_t open, std::size_t& end) {
    std::vector<CTokens> args;
    end = open;
    if (open >= tokens.size() || !tokens[open].is("(")) return args;
    CTokens current;
    int depth = 0;
    std::size_t i = open + 1;
    for (; i < tokens.size(); ++i) {
        const CToken& token = tokens[i];
        if (token.kind == CToken::Kind::Punct) {
            if (token.is(")") && depth == 0) break;
            if (token.is("(") || token.is("[") || token.is("{")) ++depth;
            if (token.is(")") || token.is("]") || token.is("}")) --depth;
            if (token.is(",") && depth == 0) {
                args.push_back(std::move(current));
                current.clear();
                continue;
            }
        }
        current.push_back(token);
    }
    end = std::min(i + 1, tokens.size());
    if (!current.empty() || !args.empty()) args.push_back(std::move(current));
    return args;
}

std::optional<CTokens> MacroBody::expand(const std::vector<CTokens>& arguments) const {
    CTokens out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const CToken& token = body[i];
        if (token.kind == CToken::Kind::Punct && token.is("#")) return std::nullopt;  // "#x", "a##b"
        if (!token.isName()) {
            out.push_back(token);
            continue;
        }
        auto parameter = std::find(parameters.begin(), parameters.end(), token.text);
        if (parameter == parameters.end()) {
            out.push_back(token);
            continue;
        }
        const std::size_t index = static_cast<std::size_t>(parameter - parameters.begin());
        const bool rest = variadic && index + 1 == parameters.size();
        for (std::size_t a = index; a < arguments.size(); ++a) {
            if (a > index) out.push_back(CToken{",", CToken::Kind::Punct, false});
            bool first = true;
            for (CToken part : arguments[a]) {
                if (first) part.spaceBefore = token.spaceBefore || part.spaceBefore;
                first = false;
                out.push_back(std::move(part));
            }
            if (!rest) break;
        }
    }
    return out;
}

std::optional<CTokens> MacroBody::expandUses(CTokens tokens, MacroKeywordSource& keywords) {
    bool changed = false;
    for (int round = 0; round < 4; ++round) {
        bool again = false;
        for (std::size_t i = 0; i + 1 < tokens.size() && tokens.size() < 4096; ++i) {
            if (!tokens[i].isName() || !tokens[i + 1].is("(")) continue;
            const MacroBody* macro = keywords.macroDefinition(tokens[i].text);
            if (!macro || !macro->functionLike || keywords.isAttributeMacro(tokens[i].text) == true) continue;
            std::size_t end = i + 1;
            std::optional<CTokens> expansion = macro->expand(MacroBody::arguments(tokens, i + 1, end));
            if (!expansion) continue;
            if (!expansion->empty()) expansion->front().spaceBefore = tokens[i].spaceBefore;
            tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i), tokens.begin() + static_cast<std::ptrdiff_t>(end));
            tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(i), expansion->begin(), expansion->end());
            changed = again = true;
            i += expansion->empty() ? 0 : expansion->size() - 1;  // what it stands for is read next round
        }
        if (!again) break;
    }
    if (!changed) return std::nullopt;
    return tokens;
}

}  // namespace kestrel
