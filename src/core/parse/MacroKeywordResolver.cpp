#include "core/parse/MacroKeywordResolver.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "core/parse/DefineData.h"
#include "core/parse/DefineLookup.h"
#include "core/parse/DefinedNames.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace {

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// "F,A", "X", "..." and "" are parameter lists; "0x7fffffff" and "a+b" are not.
bool isParameterList(std::string_view text) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = std::min(text.find(',', start), text.size());
        std::string_view item = text.substr(start, end - start);
        bool name = !item.empty() && !std::isdigit(static_cast<unsigned char>(item[0]));
        for (char c : item) name = name && isNameChar(c);
        if (!name && item != "..." && !(item.empty() && text.empty())) return false;
        start = end + 1;
    }
    return true;
}

// An attribute as the define records keep it, its blanks removed.
bool isAttributeText(std::string_view text) {
    for (std::string_view attribute : {"__attribute__(", "__attribute(", "__declspec("})
        if (text.starts_with(attribute)) return true;
    return false;
}

}  // namespace

MacroKeywordResolver::MacroKeywordResolver(std::shared_ptr<DefineData> header, const DefinedNames& names,
                                           IsKeyword isKeyword)
    : header(std::move(header)), names(names), isKeyword(isKeyword) {}

std::string MacroKeywordResolver::leadingWord(const std::string& definition) {
    std::size_t end = !definition.empty() && definition[0] == '@' ? 1 : 0;  // "@interface"
    while (end < definition.size() && isNameChar(definition[end])) {
        // "extern__declspec": a blank stood before the reserved word
        if (end > 0 && definition.compare(end, 2, "__") == 0 && end + 2 < definition.size() &&
            std::isalpha(static_cast<unsigned char>(definition[end + 2])))
            break;
        ++end;
    }
    return definition.substr(0, end);
}

std::optional<std::string> MacroKeywordResolver::keywordFor(const std::string& word) {
    if (!header || !names.contains(word)) return std::nullopt;
    if (auto found = known.find(word); found != known.end()) return found->second;
    std::optional<std::string> keyword = resolve(word);
    known.emplace(word, keyword);
    return keyword;
}

std::optional<bool> MacroKeywordResolver::isAttribute(const std::string& word) {
    if (!header || !names.contains(word)) return std::nullopt;
    if (auto found = knownAttributes.find(word); found != knownAttributes.end()) return found->second;
    std::optional<bool> attribute = resolveAttribute(word);
    knownAttributes.emplace(word, attribute);
    return attribute;
}

std::optional<bool> MacroKeywordResolver::resolveAttribute(const std::string& word) const {
    std::unordered_set<std::string> chain{word};
    std::string current = word;
    while (true) {
        auto definition = DefineLookup::findDefinition(*header, current, ProcessState::defineList(), &names);
        // Defined elsewhere, out of this header's sight: the records cannot tell.
        if (!definition) return current == word ? std::nullopt : std::optional<bool>(false);
        std::string_view text = *definition;
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
        // "(F,A)__attribute__((format(__NSString__,F,A)))": a function-like macro's parameters
        // come first. "(0x7fffffff)" is an object-like macro's value.
        if (text.starts_with('(')) {
            std::size_t close = text.find(')');
            if (close == std::string_view::npos || !isParameterList(text.substr(1, close - 1))) return false;
            text.remove_prefix(close + 1);
        }
        if (text.empty() || isAttributeText(text)) return true;
        // Another macro, with or without arguments: "GS_NORETURN_METHOD", "GS_DEPRECATED(x)".
        std::string lead = leadingWord(std::string(text));
        if (lead.empty() || (lead.size() < text.size() && text[lead.size()] != '(')) return false;
        if (!names.contains(lead) || !chain.insert(lead).second) return false;
        current = std::move(lead);
    }
}

std::optional<std::string> MacroKeywordResolver::resolve(const std::string& word) const {
    // Follows word -> the leading word of its definition -> ... as long as the words are macros,
    // and answers the last keyword met on the way, so that APPKIT_EXTERN, itself a keyword, is
    // followed to "extern". Iterative and loop-safe: a chain of macros costs no call stack.
    std::optional<std::string> keyword;
    std::unordered_set<std::string> chain{word};
    std::string current = word;
    while (names.contains(current)) {
        auto definition = DefineLookup::findDefinition(*header, current, ProcessState::defineList(), &names);
        if (!definition) break;
        // A definition that holds a ";" or a brace is a whole declaration or the opening or
        // closing of a block (#define CG_EXTERN_C_BEGIN extern "C" {), no prefix of the text
        // after it: read as "extern", it would swallow the next declaration.
        if (definition->find_first_of(";{}") != std::string::npos) return std::nullopt;
        std::string lead = leadingWord(*definition);
        if (lead.empty()) break;
        if (isKeyword(lead)) keyword = lead;
        if (!chain.insert(lead).second) break;  // a macro loop
        current = std::move(lead);
    }
    return keyword;
}

}  // namespace kestrel
