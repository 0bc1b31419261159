#include "core/parse/ClassNameMacro.h"

#include <cctype>

#include "core/parse/CMacroEngin.h"
#include "core/parse/DefineLookup.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

namespace {

bool isIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The definition of name as the header's records see it, or none.
std::optional<std::string> definitionOf(const CMacroEngin* macro, const std::string& name) {
    if (!macro || !macro->getCurrentData()) return std::nullopt;
    if (macro->getDefinedNames() && !macro->getDefinedNames()->contains(name)) return std::nullopt;  // no walk
    return DefineLookup::findDefinition(*macro->getCurrentData(), name, ProcessState::defineList(), macro->getDefinedNames());
}

}  // namespace

bool ClassNameMacro::standsForFirstArgument(const std::string& definition) {
    if (definition.empty() || definition[0] != '(') return false;
    std::size_t close = definition.find(')');
    if (close == std::string::npos) return false;
    std::size_t end = definition.find_first_of(",)", 1);
    std::string first = definition.substr(1, end - 1);
    if (first.empty()) return false;
    for (char c : first)
        if (!isIdentifierChar(c)) return false;  // "..." or a stray text is no parameter name
    std::size_t body = close + 1;
    if (definition.compare(body, first.size(), first) != 0) return false;
    std::size_t after = body + first.size();
    return after == definition.size() || !isIdentifierChar(definition[after]);
}

bool ClassNameMacro::isClassNameMacro(const CMacroEngin* macro, const std::string& name) {
    auto definition = definitionOf(macro, name);
    return definition && standsForFirstArgument(*definition);
}

std::optional<std::string> ClassNameMacro::aliasIn(const std::string& definition) {
    std::string name = definition;
    TextBuffer::deleteCRLF(name);
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) return std::nullopt;
    for (char c : name)
        if (!isIdentifierChar(c)) return std::nullopt;
    return name;
}

std::optional<std::string> ClassNameMacro::aliasOf(const CMacroEngin* macro, const std::string& name) {
    auto definition = definitionOf(macro, name);
    if (!definition) return std::nullopt;
    auto alias = aliasIn(*definition);
    if (alias == name) return std::nullopt;
    return alias;
}

std::optional<std::vector<std::string>> ClassNameMacro::protocolListIn(const std::string& definition) {
    std::string text = definition;
    TextBuffer::deleteCRLF(text);
    if (text.size() < 3 || text.front() != '<' || text.back() != '>') return std::nullopt;
    std::vector<std::string> names(1);
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == ',') names.emplace_back();
        else if (isIdentifierChar(text[i])) names.back() += text[i];
        else return std::nullopt;
    }
    for (const std::string& name : names)
        if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) return std::nullopt;
    return names;
}

std::optional<std::vector<std::string>> ClassNameMacro::protocolListOf(const CMacroEngin* macro,
                                                                       const std::string& name) {
    auto definition = definitionOf(macro, name);
    return definition ? protocolListIn(*definition) : std::nullopt;
}

}  // namespace kestrel
