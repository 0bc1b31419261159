#include "core/parse/EnumMacroForms.h"

#include <algorithm>

#include "core/parse/MacroExpansionSource.h"

namespace kestrel {

namespace {

const std::string kPlaceholder = "__kestrel_argument_";

std::string placeholder(std::size_t index) { return kPlaceholder + std::to_string(index) + "__"; }

using Tokens = std::vector<std::string>;

// The declarations of an expansion: its tokens cut at the ";" outside parentheses.
std::vector<Tokens> declarations(const Tokens& tokens) {
    std::vector<Tokens> out(1);
    int depth = 0;
    for (const std::string& t : tokens) {
        if (t == "(" || t == "[") ++depth;
        if (t == ")" || t == "]") --depth;
        if (t == ";" && depth == 0) {
            out.emplace_back();
        } else {
            out.back().push_back(t);
        }
    }
    return out;
}

// The index of "enum" outside parentheses, or none.
std::optional<std::size_t> enumWord(const Tokens& tokens) {
    int depth = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i] == "(" || tokens[i] == "[") ++depth;
        if (tokens[i] == ")" || tokens[i] == "]") --depth;
        if (depth == 0 && tokens[i] == "enum") return i;
    }
    return std::nullopt;
}

std::string joined(const Tokens& words) {
    std::string out;
    for (const std::string& w : words) out += (out.empty() ? "" : " ") + w;
    return out;
}

}  // namespace

EnumMacroForms::EnumMacroForms(MacroExpansionSource& expander, EnumHead::IsAttribute isAttribute)
    : expander(expander), isAttribute(std::move(isAttribute)) {}

bool EnumMacroForms::mayOpenEnum(const std::string& word) { return expander.isMacro(word); }

const std::optional<std::vector<std::string>>& EnumMacroForms::expansion(const std::string& macro,
                                                                         std::optional<std::size_t> count) {
    auto key = std::make_pair(macro, count);
    auto found = expansions.find(key);
    if (found != expansions.end()) return found->second;
    Tokens call{macro};
    if (count) {
        call.push_back("(");
        for (std::size_t i = 0; i < *count; ++i) {
            if (i > 0) call.push_back(",");
            call.push_back(placeholder(i));
        }
        call.push_back(")");
    }
    std::optional<Tokens> tokens = expander.expand(call);
    // An expansion that holds a brace is a whole definition, or a block, no head.
    if (tokens && (std::find(tokens->begin(), tokens->end(), "{") != tokens->end() ||
                   std::find(tokens->begin(), tokens->end(), "}") != tokens->end()))
        tokens.reset();
    return expansions.emplace(std::move(key), std::move(tokens)).first->second;
}

std::optional<EnumMacroHead> EnumMacroForms::headOf(const std::string& macro,
                                                    const std::optional<std::vector<std::string>>& arguments,
                                                    bool typedefed) {
    if (!mayOpenEnum(macro)) return std::nullopt;
    const std::optional<Tokens>& expanded =
        expansion(macro, arguments ? std::optional<std::size_t>(arguments->size()) : std::nullopt);
    if (!expanded) return std::nullopt;
    // The placeholders back to the arguments as written.
    Tokens tokens = *expanded;
    if (arguments) {
        for (std::string& t : tokens) {
            if (!t.starts_with(kPlaceholder)) continue;
            for (std::size_t i = 0; i < arguments->size(); ++i)
                if (t == placeholder(i)) t = (*arguments)[i];
        }
    }
    std::vector<Tokens> parts = declarations(tokens);
    if (typedefed) parts.front().insert(parts.front().begin(), "typedef");
    std::optional<std::size_t> at = enumWord(parts.back());
    if (!at) return std::nullopt;

    EnumMacroHead result;
    const Tokens& last = parts.back();
    EnumHead head = EnumHead::read(Tokens(last.begin() + static_cast<std::ptrdiff_t>(*at) + 1, last.end()), isAttribute);
    result.name = head.tag;
    result.type = head.type;
    result.namesAfterBody = parts.size() == 1 && typedefed;
    std::string declared;  // the first name declared before the head
    for (std::size_t p = 0; p + 1 < parts.size(); ++p) {
        Tokens words = EnumHead::withoutAttributes(parts[p], isAttribute);
        std::optional<std::size_t> inner = enumWord(words);
        // The name is the last word: "typedef enum X : T X", "typedef T X", "enum X : T X".
        auto name = std::find_if(words.rbegin(), words.rend(), EnumHead::isName);
        if (name == words.rend() || *name == "typedef" || *name == "enum") continue;
        if (declared.empty()) declared = *name;
        if (words.empty() || words.front() != "typedef") continue;
        std::string type;
        if (inner) {
            Tokens after(words.begin() + static_cast<std::ptrdiff_t>(*inner) + 1, words.end());
            type = "enum " + EnumHead::read(Tokens(after.begin(), after.end() - 1), isAttribute).tag;
        } else {
            type = joined(Tokens(words.begin() + 1, name.base() - 1));
        }
        if (type != "enum " && !type.empty()) result.typedefs.emplace_back(*name, type);
    }
    if (result.name.empty()) result.name = declared;
    // "typedef T N; enum : N" and "typedef T N; enum": the enum's type is T.
    for (const auto& [name, type] : result.typedefs) {
        if (name != result.name || type.starts_with("enum ")) continue;
        if (!result.type || *result.type == name) result.type = type;
    }
    return result;
}

}  // namespace kestrel
