#include "core/parse/MacroBody.h"

#include "core/parse/MacroKeywordSource.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace kestrel {

namespace {

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// "F,A", "X", "..." and "" are parameter lists; "0x7fffffff" and "a+b" are not.
bool isParameterList(std::string_view text, std::vector<std::string>& names) {
    names.clear();
    if (text.empty()) return true;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = std::min(text.find(',', start), text.size());
        std::string_view item = text.substr(start, end - start);
        bool name = !item.empty() && !std::isdigit(static_cast<unsigned char>(item[0]));
        for (char c : item) name = name && isNameChar(c);
        if (!name && item != "...") return false;
        names.emplace_back(item);
        start = end + 1;
    }
    return true;
}

// "staticinline" -> "static", "inline": the language's words that a blank separated.
bool splitKeywordPair(CToken& token, CTokens& out) {
    for (std::string_view first : {"static", "extern"}) {
        if (!token.text.starts_with(first)) continue;
        std::string_view rest = std::string_view(token.text).substr(first.size());
        for (std::string_view second : {"inline", "const", "volatile"}) {
            if (rest != second) continue;
            out.push_back(CToken{std::string(first), CToken::Kind::Word, token.spaceBefore});
            out.push_back(CToken{std::string(second), CToken::Kind::Word, true});
            return true;
        }
    }
    return false;
}

// "static__inline____attribute__" -> "static", "__inline__", "__attribute__": a word ends
// before a "__" followed by a letter, unless the word has only begun.
void splitGluedWords(CTokens& tokens) {
    CTokens out;
    out.reserve(tokens.size());
    for (CToken& token : tokens) {
        if (!token.isName() || splitKeywordPair(token, out)) {
            if (!token.isName()) out.push_back(std::move(token));
            continue;
        }
        const std::string& text = token.text;
        std::size_t begin = 0;
        for (std::size_t i = 1; i + 2 < text.size(); ++i) {
            // "____attribute": only the last pair begins the next word
            if (text.compare(i, 2, "__") != 0 || !std::isalpha(static_cast<unsigned char>(text[i + 2]))) continue;
            CToken part{text.substr(begin, i - begin), CToken::Kind::Word, begin == 0 ? token.spaceBefore : true};
            out.push_back(std::move(part));
            begin = i;
        }
        CToken last{text.substr(begin), CToken::Kind::Word, begin == 0 ? token.spaceBefore : true};
        out.push_back(std::move(last));
    }
    tokens = std::move(out);
}

}  // namespace

MacroBody MacroBody::read(const std::string& definition) {
    MacroBody macro;
    std::string_view text = definition;
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    if (text.starts_with('(')) {
        std::size_t close = text.find(')');
        if (close != std::string_view::npos && isParameterList(text.substr(1, close - 1), macro.parameters)) {
            macro.functionLike = true;
            text.remove_prefix(close + 1);
        } else {
            macro.parameters.clear();
        }
    }
    macro.body = CTokenizer::tokenize(text);
    splitGluedWords(macro.body);
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
        const bool variadic = token.is("__VA_ARGS__") && !parameters.empty() && parameters.back() == "...";
        if (parameter == parameters.end() && !variadic) {
            out.push_back(token);
            continue;
        }
        const std::size_t index = variadic ? parameters.size() - 1 : static_cast<std::size_t>(parameter - parameters.begin());
        for (std::size_t a = index; a < arguments.size(); ++a) {
            if (a > index) out.push_back(CToken{",", CToken::Kind::Punct, false});
            bool first = true;
            for (CToken part : arguments[a]) {
                if (first) part.spaceBefore = token.spaceBefore || part.spaceBefore;
                first = false;
                out.push_back(std::move(part));
            }
            if (!variadic) break;
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
