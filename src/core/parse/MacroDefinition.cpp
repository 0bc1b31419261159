#include "core/parse/MacroDefinition.h"

#include <algorithm>

namespace kestrel {

namespace {

using Kind = PreprocessorToken::Kind;

bool sameTokens(const PreprocessorTokens& a, const PreprocessorTokens& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
               return x.text == y.text && x.kind == y.kind && x.spaceBefore == y.spaceBefore;
           });
}

}  // namespace

std::optional<std::pair<std::string, MacroDefinition>> MacroDefinition::parse(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (pos >= text.size() || !PreprocessorLexer::isIdentifierStart(text[pos])) return std::nullopt;
    std::size_t nameEnd = pos + 1;
    while (nameEnd < text.size() && PreprocessorLexer::isIdentifierChar(text[nameEnd])) ++nameEnd;
    std::string name(text.substr(pos, nameEnd - pos));
    MacroDefinition definition;
    PreprocessorTokens tokens = PreprocessorLexer::tokenize(text.substr(nameEnd));
    std::size_t bodyStart = 0;
    // Function-like only when "(" follows the name without a blank.
    if (!tokens.empty() && tokens[0].isPunctuator("(") && !tokens[0].spaceBefore) {
        definition.functionLike = true;
        std::size_t i = 1;
        bool expectName = true;
        for (;; ++i) {
            if (i >= tokens.size()) return std::nullopt;  // never closed
            const PreprocessorToken& t = tokens[i];
            if (t.isPunctuator(")")) {
                if (expectName && !definition.parameters.empty()) return std::nullopt;  // "(a,)"
                break;
            }
            if (definition.variadic) return std::nullopt;  // "..." must come last
            if (expectName && t.isPunctuator("...")) {
                definition.parameters.emplace_back("__VA_ARGS__");
                definition.variadic = true;
                expectName = false;
            } else if (expectName && t.isIdentifier()) {
                if (definition.parameterIndex(t.text) >= 0) return std::nullopt;  // a name twice
                definition.parameters.push_back(t.text);
                expectName = false;
                if (i + 1 < tokens.size() && tokens[i + 1].isPunctuator("...")) {  // GNU "args..."
                    definition.variadic = true;
                    ++i;
                }
            } else if (!expectName && t.isPunctuator(",")) {
                expectName = true;
            } else {
                return std::nullopt;
            }
        }
        bodyStart = i + 1;
    }
    definition.body.assign(tokens.begin() + static_cast<std::ptrdiff_t>(bodyStart), tokens.end());
    if (!definition.body.empty()) definition.body.front().spaceBefore = false;
    return std::make_pair(std::move(name), std::move(definition));
}

MacroDefinition MacroDefinition::fromRecordText(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    MacroDefinition definition;
    if (text.starts_with('(')) {
        std::size_t close = text.find(')');
        if (close != std::string_view::npos) {
            std::vector<std::string> names;
            bool variadic = false;
            bool isList = true;
            std::string_view list = text.substr(1, close - 1);
            for (std::size_t start = 0; isList && !list.empty() && start <= list.size();) {
                std::size_t end = std::min(list.find(',', start), list.size());
                std::string_view item = list.substr(start, end - start);
                const bool dots = item.ends_with("...");
                if (dots) item.remove_suffix(3);
                if (dots && variadic) {
                    isList = false;
                } else if (dots && item.empty()) {
                    names.emplace_back("__VA_ARGS__");
                    variadic = true;
                } else if (!item.empty() && PreprocessorLexer::isIdentifierStart(item[0]) &&
                           std::all_of(item.begin(), item.end(), PreprocessorLexer::isIdentifierChar)) {
                    isList = !variadic;
                    names.emplace_back(item);
                    variadic = dots;
                } else {
                    isList = false;
                }
                start = end + 1;
            }
            if (isList) {
                definition.functionLike = true;
                definition.variadic = variadic;
                definition.parameters = std::move(names);
                text.remove_prefix(close + 1);
            }
        }
    }
    definition.body = PreprocessorLexer::tokenize(text);
    if (!definition.body.empty()) definition.body.front().spaceBefore = false;
    return definition;
}

MacroDefinition MacroDefinition::undefinedMark() {
    MacroDefinition definition;
    definition.undefined = true;
    return definition;
}

MacroDefinition MacroDefinition::objectLike(std::string_view body) {
    MacroDefinition definition;
    definition.body = PreprocessorLexer::tokenize(body);
    if (!definition.body.empty()) definition.body.front().spaceBefore = false;
    return definition;
}

int MacroDefinition::parameterIndex(std::string_view name) const {
    for (std::size_t i = 0; i < parameters.size(); ++i)
        if (parameters[i] == name) return static_cast<int>(i);
    return -1;
}

std::string MacroDefinition::bodyText() const { return PreprocessorLexer::spell(body); }

std::string MacroDefinition::recordText() const {
    std::string text;
    if (functionLike) {
        text += '(';
        for (std::size_t i = 0; i < parameters.size(); ++i) {
            if (i > 0) text += ',';
            const bool last = variadic && i + 1 == parameters.size();
            text += last && parameters[i] == "__VA_ARGS__" ? std::string("...") : parameters[i] + (last ? "..." : "");
        }
        text += ')';
    }
    for (const PreprocessorToken& token : body) text += token.text;
    return text + "\n";
}

bool MacroDefinition::operator==(const MacroDefinition& other) const {
    return functionLike == other.functionLike && variadic == other.variadic && undefined == other.undefined &&
           parameters == other.parameters && sameTokens(body, other.body);
}

}  // namespace kestrel
