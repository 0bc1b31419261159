#include "core/parse/MacroKeywordResolver.h"

#include <cctype>
#include <unordered_set>

#include "core/parse/DefineData.h"
#include "core/parse/DefineLookup.h"
#include "core/parse/DefinedNames.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace {

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

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

std::optional<std::string> MacroKeywordResolver::resolve(const std::string& word) const {
    // Follows word -> the leading word of its definition -> ... as long as the words are macros,
    // and answers the last keyword met on the way, so that APPKIT_EXTERN, itself a keyword, is
    // followed to "extern". Iterative and loop-safe: a chain of macros costs no call stack.
    std::optional<std::string> keyword;
    std::unordered_set<std::string> chain{word};
    std::string current = word;
    while (names.contains(current)) {
        auto definition = DefineLookup::findDefinition(*header, current, ProcessState::defineList());
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
