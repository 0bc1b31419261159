#include "core/parse/MacroKeywordResolver.h"

#include <algorithm>

#include "core/parse/AttributeWord.h"
#include "core/parse/DefineData.h"
#include "core/parse/DefineLookup.h"
#include "core/parse/ImportOrder.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/MacroScope.h"
#include "core/parse/StaticInline.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace {

// Macros standing for macros for macros...: deeper than this is a loop or nothing a header
// means as a keyword.
constexpr int kMaxDepth = 16;

bool holdsBlockOrStatement(const CTokens& tokens) {
    return std::any_of(tokens.begin(), tokens.end(), [](const CToken& t) {
        return t.kind == CToken::Kind::Punct && (t.is(";") || t.is("{") || t.is("}"));
    });
}

// The index after the word at i and, when a "(" follows it, its arguments.
std::size_t afterUse(const CTokens& tokens, std::size_t i) {
    return i + 1 < tokens.size() && tokens[i + 1].is("(") ? CTokenizer::skipBalanced(tokens, i + 1) : i + 1;
}

}  // namespace

MacroKeywordResolver::MacroKeywordResolver(std::shared_ptr<DefineData> header, const DefinedNames& names,
                                           IsKeyword isKeyword)
    : header(std::move(header)), names(names), isKeyword(isKeyword) {}

void MacroKeywordResolver::forgetWhenDefined() {
    // The header's record grows as its reader goes on: what a word stood for above a new
    // "#define" may not be what it stands for below it.
    const std::size_t count = header && header->getDefineList() ? header->getDefineList()->size() : 0;
    if (count == definesSeen) return;
    definesSeen = count;
    known.clear();
    knownAttributes.clear();
    definitions.clear();
}

// Each answer about a macro name is kept for the header. A word no header defines is none of
// these anywhere, whatever the header sees (most words asked about are types and names): the
// index of every name tells it, mostly by its filter alone, without a place in the caches.
const MacroBody* MacroKeywordResolver::definition(const std::string& word) {
    if (!header || !names.contains(word)) return nullptr;
    forgetWhenDefined();
    auto found = definitions.find(word);
    if (found == definitions.end()) {
        const DefineList& group = ProcessState::defineList();
        const MacroDefinition* macro =
            scope ? scope->importedDefinition(word)
                  : DefineLookup::findMacro(*header, word, names, ImportOrder::kept(order, *header, group, &names));
        found = definitions.emplace(word, macro ? bodyOf(word, *macro) : nullptr).first;
    }
    return found->second;
}

const MacroBody* MacroKeywordResolver::bodyOf(const std::string& word, const MacroDefinition& macro) {
    if (parsedBodies && header->findOwn(word) != &macro) {
        auto found = parsedBodies->find(&macro);
        if (found == parsedBodies->end()) found = parsedBodies->emplace(&macro, MacroBody::of(macro)).first;
        return &found->second;
    }
    return &ownBodies.emplace_back(MacroBody::of(macro));
}

std::optional<std::string> MacroKeywordResolver::keywordFor(const std::string& word) {
    if (!header || !names.contains(word)) return std::nullopt;
    forgetWhenDefined();
    if (auto found = known.find(word); found != known.end()) return found->second;
    std::optional<std::string> keyword = resolve(word);
    known.emplace(word, keyword);
    return keyword;
}

std::optional<std::string> MacroKeywordResolver::keywordFor(std::string_view word) {
    if (!header || !names.contains(word)) return std::nullopt;
    return keywordFor(std::string(word));
}

std::optional<bool> MacroKeywordResolver::isAttribute(const std::string& word) {
    if (!header || !names.contains(word)) return std::nullopt;
    forgetWhenDefined();
    if (auto found = knownAttributes.find(word); found != knownAttributes.end()) return found->second;
    return resolveAttribute(word, 0);
}

std::optional<bool> MacroKeywordResolver::resolveAttribute(const std::string& word, int depth) {
    if (auto found = knownAttributes.find(word); found != knownAttributes.end()) return found->second;
    const MacroBody* macro = definition(word);
    if (!macro) return std::nullopt;
    if (depth > kMaxDepth) return false;
    // Answered "no" while it is being worked out: a loop (LOOP_A -> LOOP_B -> LOOP_A) stands for
    // nothing, and every macro is worked out once.
    knownAttributes[word] = false;
    std::optional<bool> attribute = attributeOf(*macro, depth);
    knownAttributes[word] = attribute;
    return attribute;
}

std::optional<bool> MacroKeywordResolver::attributeOf(const MacroBody& macro, int depth) {
    const CTokens& body = macro.body;
    for (std::size_t i = 0; i < body.size();) {
        const CToken& token = body[i];
        if (token.is("#")) return std::nullopt;  // pasted together: "a##b"
        if (!token.isName()) return false;       // a value: "(0x7fffffff)", "1"
        if (AttributeWord::isAttributeKeyword(token.text)) {
            i = afterUse(body, i);
            continue;
        }
        // A definition that picks among its arguments: what it stands for depends on the use.
        if (token.is("__VA_ARGS__") ||
            std::find(macro.parameters.begin(), macro.parameters.end(), token.text) != macro.parameters.end())
            return std::nullopt;
        const MacroBody* inner = definition(token.text);
        if (!inner) {
            // A macro defined out of this header's sight ("__API_AVAILABLE(__VA_ARGS__)"),
            // or a type, a value, a keyword.
            const bool macroUse = (i + 1 < body.size() && body[i + 1].is("(")) || names.contains(token.text) ||
                                  AttributeWord::isWrittenAsMacro(token.text);
            return macroUse ? std::nullopt : std::optional<bool>(false);
        }
        std::optional<bool> attribute = resolveAttribute(token.text, depth + 1);
        if (attribute != true) return attribute;
        i = inner->functionLike ? afterUse(body, i) : i + 1;
    }
    return true;  // nothing left: an empty macro, or attributes only
}

std::optional<std::string> MacroKeywordResolver::resolve(const std::string& word) {
    const MacroBody* macro = definition(word);
    // A use with arguments is a declaration of its own, no prefix of one: EXTERN_API(int) f();
    if (!macro || macro->functionLike) return std::nullopt;
    return keywordIn(macro->body, 0);
}

std::optional<std::string> MacroKeywordResolver::keywordIn(CTokens tokens, int depth) {
    // A definition that holds a ";" or a brace is a whole declaration or the opening or
    // closing of a block (#define CG_EXTERN_C_BEGIN extern "C" {), no prefix of the text after
    // it: read as "extern", it would swallow the next declaration.
    if (depth > kMaxDepth || holdsBlockOrStatement(tokens)) return std::nullopt;
    std::optional<std::string> keyword;  // the last driver keyword met on the way
    std::size_t i = 0;
    while (i < tokens.size()) {
        const std::string word = tokens[i].text;
        if (!tokens[i].isWord()) return keyword;
        if (word == "extern") return word;
        if (StaticInline::isInlineWord(word)) return "CG_INLINE";
        if (word == "static") {
            std::size_t next = i + 1;
            while (next < tokens.size() && AttributeWord::isAttributeKeyword(tokens[next].text))
                next = afterUse(tokens, next);
            if (next < tokens.size() && StaticInline::isInlineWord(tokens[next].text)) return "CG_INLINE";
            return keyword;
        }
        if (isKeyword(word)) keyword = word;
        if (AttributeWord::isAttributeKeyword(word)) {
            i = afterUse(tokens, i);
            continue;
        }
        const MacroBody* inner = tokens[i].isName() ? definition(word) : nullptr;
        if (!inner) return keyword;
        if (!isKeyword(word) && isAttribute(word) == true) {
            i = inner->functionLike ? afterUse(tokens, i) : i + 1;
            continue;
        }
        // What the macro stands for takes its place, with the arguments of this use.
        std::size_t end = i + 1;
        std::optional<CTokens> expansion;
        if (!inner->functionLike) {
            expansion = inner->body;
        } else if (end < tokens.size() && tokens[end].is("(")) {
            expansion = inner->expand(MacroBody::arguments(tokens, end, end));
        }
        if (!expansion) return keyword;
        expansion->insert(expansion->end(), tokens.begin() + static_cast<std::ptrdiff_t>(end), tokens.end());
        std::optional<std::string> further = keywordIn(std::move(*expansion), depth + 1);
        return further ? further : keyword;
    }
    return keyword;
}

}  // namespace kestrel
