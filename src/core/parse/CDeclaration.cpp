#include "core/parse/CDeclaration.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>

#include "core/parse/AttributeWord.h"
#include "core/parse/DeclarationAttributes.h"
#include "core/parse/MacroBody.h"
#include "core/parse/MacroKeywordSource.h"
#include "core/parse/StaticInline.h"

namespace kestrel {

namespace {

template <std::size_t N>
bool among(const std::array<std::string_view, N>& words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

constexpr std::array<std::string_view, 8> kStorage{
    "extern", "static", "register", "auto", "__private_extern__", "_Thread_local", "__thread", "thread_local"};
constexpr std::array<std::string_view, 17> kBuiltin{
    "void",     "char",     "short",   "int",      "long",    "float",  "double",    "signed", "unsigned",
    "_Bool",    "_Complex", "__int128", "__signed", "__signed__", "__unsigned", "_Float16", "__fp16"};
constexpr std::array<std::string_view, 26> kQualifier{
    "const",         "volatile",         "restrict",           "__restrict",       "__restrict__",
    "__const",       "__volatile__",     "_Nonnull",           "_Nullable",        "_Null_unspecified",
    "_Nullable_result", "__nonnull",     "__nullable",         "__null_unspecified", "__unsafe_unretained",
    "__strong",      "__weak",           "__autoreleasing",    "__kindof",         "__block",
    "__covariant",   "__contravariant",  "_Atomic",            "nullable",         "nonnull",
    "constexpr"};
// Words no declarator can be named.
constexpr std::array<std::string_view, 14> kNotNames{
    "struct", "union", "enum", "typedef", "sizeof", "return", "if", "else", "while", "for", "do", "switch",
    "case", "goto"};

// Declarators in parentheses inside declarators in parentheses...: deeper than this is no
// header's.
constexpr int kMaxNesting = 32;

// Every reserved word starts with a small letter or "_": the names of types and macros that
// make most of the words asked about (NSString, CGFloat, API_AVAILABLE) are none at once.
bool startsLikeReserved(std::string_view word) {
    return !word.empty() && (word[0] == '_' || (word[0] >= 'a' && word[0] <= 'z'));
}

bool isQualifier(std::string_view word) {
    return startsLikeReserved(word) && (among(kQualifier, word) || word.starts_with("__ptrauth"));
}

bool isReserved(std::string_view word) {
    return startsLikeReserved(word) && (among(kStorage, word) || among(kBuiltin, word) || isQualifier(word) ||
                                        among(kNotNames, word) || StaticInline::isInlineWord(word));
}

// A type without its name keeps no blank where the name stood inside parentheses, and a
// declarator group stands apart from its type: "OSErr(* )(int)" -> "OSErr (*)(int)".
std::string tidyType(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' && ((!out.empty() && out.back() == '(') || (i + 1 < text.size() && text[i + 1] == ')'))) continue;
        if (c == '(' && i + 1 < text.size() && (text[i + 1] == '*' || text[i + 1] == '^') && !out.empty() &&
            (std::isalnum(static_cast<unsigned char>(out.back())) || out.back() == '_'))
            out += ' ';
        out += c;
    }
    return out;
}

// A run of specifiers: storage, inline, a qualifier, type words, or one type.
struct Item {
    enum class Kind { Storage, Inline, Qualifier, Builtin, Named, Aggregate } kind;
    std::size_t begin;
    std::size_t end;
    bool unknownMacro = false;  // a word written like a macro that the define records do not know
};

struct Declarator {
    std::size_t begin = 0;
    std::size_t name = std::string::npos;
    std::size_t end = 0;  // after its suffixes
    bool function = false;
    bool ok = false;
};

class Reader {
public:
    // A macro that stands for what may stand before a declarator's name: "*", "^", qualifiers
    // and attributes ("#define APIENTRYP APIENTRY *" with an empty APIENTRY).
    bool isPointerMacro(const std::string& word, int depth = 0) const {
        const MacroBody* macro = keywords && depth < 4 ? keywords->macroDefinition(word) : nullptr;
        if (!macro || macro->functionLike || macro->body.empty() || macro->body.size() > 8) return false;
        bool pointer = false;
        for (const CToken& token : macro->body) {
            if (token.is("*") || token.is("^")) {
                pointer = true;
            } else if (token.isName() && isPointerMacro(token.text, depth + 1)) {
                pointer = true;
            } else if (!token.isName() || !(isQualifier(token.text) || AttributeWord::known(token.text, keywords) == true)) {
                return false;
            }
        }
        return pointer;
    }
    bool startsPointer(std::size_t i) const {
        if (i >= tokens.size()) return false;
        // A calling convention no record defines, before the pointer: "(CSSMAPI *callback)".
        if (isUnknownMacroWord(i) && i + 1 < tokens.size() && (tokens[i + 1].is("*") || tokens[i + 1].is("^")))
            return true;
        return tokens[i].is("*") || tokens[i].is("^") || tokens[i].is("&") ||
               (tokens[i].isName() && isPointerMacro(tokens[i].text));
    }

    // A macro that stands for a qualifier, through further macros: "CV_NONNULL" -> __nonnull.
    std::optional<std::string> qualifierOf(const std::string& word, int depth = 0) const {
        const MacroBody* macro = keywords && depth < 8 ? keywords->macroDefinition(word) : nullptr;
        if (!macro || macro->functionLike || macro->body.size() != 1 || !macro->body[0].isName()) return std::nullopt;
        const std::string& inner = macro->body[0].text;
        if (isQualifier(inner)) return inner;
        return qualifierOf(inner, depth + 1);
    }
    // The texts keep the qualifier that such a macro stands for, as a compiler shows the type:
    // "CFStringRef _iio_Nonnull xmlns" -> "CFStringRef _Nonnull xmlns".
    void writeQualifiersOut() {
        for (CToken& token : tokens) {
            if (!token.isName() || isReserved(token.text)) continue;
            if (std::optional<std::string> qualifier = qualifierOf(token.text)) token.text = std::move(*qualifier);
        }
    }

    Reader(MacroKeywordSource* keywords, bool dropUnknownUses) : keywords(keywords), dropUnknownUses(dropUnknownUses) {}

    CDeclaration read(CTokens input) {
        tokens = DeclarationAttributes::without(std::move(input), keywords, dropUnknownUses);
        writeQualifiersOut();
        dropParameterAttributes();
        CDeclaration declaration;
        std::size_t i = readSpecifiers(declaration);
        // "enum {...} API_AVAILABLE(...);" declares a type, and no variable of it that a header
        // would define.
        if (definesType || !typeIsSound()) return declaration;
        while (i < tokens.size()) {
            Declarator d = readDeclarator(i);
            if (!d.ok) return {};
            // Words after a declarator are attributes ("... NS_SWIFT_NAME(x)", "... __dead2").
            std::size_t trailing = d.end;
            while (trailing < tokens.size() && tokens[trailing].isWord()) trailing = afterUse(trailing);
            tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(d.end),
                         tokens.begin() + static_cast<std::ptrdiff_t>(trailing));
            std::size_t end = d.end;
            if (end < tokens.size() && tokens[end].is("=")) end = skipToComma(end);  // "= 1000.0" stays
            if (end < tokens.size() && !tokens[end].is(",")) return {};  // more than a declaration
            declaration.names.push_back(entry(declaration, d, end));
            i = end + 1;
        }
        return declaration;
    }

private:
    std::size_t afterUse(std::size_t i) const {
        return i + 1 < tokens.size() && tokens[i + 1].is("(") ? CTokenizer::skipBalanced(tokens, i + 1) : i + 1;
    }
    std::size_t skipToComma(std::size_t i) const {
        int depth = 0;
        for (; i < tokens.size(); ++i) {
            const CToken& t = tokens[i];
            if (t.kind != CToken::Kind::Punct) continue;
            if (t.is("(") || t.is("[") || t.is("{")) ++depth;
            if (t.is(")") || t.is("]") || t.is("}")) --depth;
            if (t.is(",") && depth == 0) break;
        }
        return i;
    }

    bool hasType() const {
        return std::any_of(items.begin(), items.end(), [](const Item& item) {
            return item.kind == Item::Kind::Builtin || item.kind == Item::Kind::Named ||
                   item.kind == Item::Kind::Aggregate;
        });
    }
    // A name that ends the specifiers and begins the declarator: one a type has come before and
    // what a declarator has after its name follows.
    bool startsDeclarator(std::size_t i) const {
        if (!hasType()) return false;
        if (i + 1 >= tokens.size()) return true;
        const CToken& next = tokens[i + 1];
        if (next.is("(") || next.is("[") || next.is("=") || next.is(",") || next.is(":")) return true;
        // An attribute after the name: "int x DEPRECATED_ATTRIBUTE", not "NSString const x".
        return next.isName() && !isQualifier(next.text) &&
               (AttributeWord::isWrittenAsMacro(next.text) || next.text.starts_with("__"));
    }

    std::size_t readSpecifiers(CDeclaration& declaration) {
        std::size_t i = 0;
        // A word written like an unknown macro before a "*" is a calling convention once there
        // is a type ("CSSM_RETURN CSSMAPI *f"), else the type: "CSSM_PROC_ADDR *CSSM_PROC_ADDR_PTR".
        while (i < tokens.size() && tokens[i].isName() && !(startsPointer(i) && (hasType() || !isUnknownMacroWord(i)))) {
            const std::string& word = tokens[i].text;
            Item item{Item::Kind::Named, i, i + 1};
            if (among(kStorage, word)) {
                item.kind = Item::Kind::Storage;
                declaration.isStatic = declaration.isStatic || word == "static";
                declaration.isExtern = declaration.isExtern || word == "extern";
            } else if (StaticInline::isInlineWord(word) || word == "__forceinline") {
                item.kind = Item::Kind::Inline;
                declaration.isInline = true;
            } else if (isQualifier(word)) {
                item.kind = Item::Kind::Qualifier;
                item.end = word.starts_with("__ptrauth") ? afterUse(i) : i + 1;
            } else if (among(kBuiltin, word)) {
                item.kind = Item::Kind::Builtin;
            } else if (word == "struct" || word == "union" || word == "enum") {
                item.kind = Item::Kind::Aggregate;
                std::size_t j = i + 1;
                if (j < tokens.size() && tokens[j].isName() && !isReserved(tokens[j].text)) ++j;
                if (j < tokens.size() && tokens[j].is(":")) {  // enum X : T
                    ++j;
                    while (j < tokens.size() && tokens[j].isName()) ++j;
                }
                if (j < tokens.size() && tokens[j].is("{")) {
                    j = CTokenizer::skipBalanced(tokens, j);
                    definesType = true;
                }
                item.end = j;
            } else if (word == "typeof" || word == "__typeof__" || word == "__typeof") {
                item.end = afterUse(i);
            } else {
                if (startsDeclarator(i)) break;
                std::size_t j = i + 1;
                if (j < tokens.size() && tokens[j].is("<")) j = CTokenizer::skipBalanced(tokens, j);  // id<P>
                const MacroBody* macro = keywords ? keywords->macroDefinition(word) : nullptr;
                item.unknownMacro = AttributeWord::isWrittenAsMacro(word) && AttributeWord::known(word, keywords) != false;
                // A type written through a macro: GS_GENERIC_TYPE(T), or, read again after
                // nothing was declared, STACK_UPP_TYPE(ProcPtr) where no record defines it.
                if (((macro && macro->functionLike) || (item.unknownMacro && !dropUnknownUses)) && j < tokens.size() &&
                    tokens[j].is("(") && !DeclarationAttributes::opensPointerDeclarator(tokens, j))
                    j = CTokenizer::skipBalanced(tokens, j);
                item.end = j;
            }
            items.push_back(item);
            i = item.end;
        }
        return i;
    }

    static bool isType(const Item& item) {
        return item.kind == Item::Kind::Named || item.kind == Item::Kind::Aggregate;
    }
    bool soundAsItIs() const {
        const auto types = std::count_if(items.begin(), items.end(), isType);
        const auto builtins = std::count_if(items.begin(), items.end(), [](const Item& item) {
            return item.kind == Item::Kind::Builtin;
        });
        // "void" stands alone; "return x" and "sizeof x" are no declarations.
        const bool strayWord = std::any_of(items.begin(), items.end(), [this](const Item& item) {
            const std::string& word = tokens[item.begin].text;
            return (item.kind == Item::Kind::Builtin && word == "void" && builtinsOf(items) > 1) ||
                   (item.kind == Item::Kind::Named && among(kNotNames, word));
        });
        return !strayWord && ((types == 1 && builtins == 0) || (types == 0 && builtins > 0));
    }
    static long builtinsOf(const std::vector<Item>& items) {
        return std::count_if(items.begin(), items.end(), [](const Item& item) { return item.kind == Item::Kind::Builtin; });
    }
    // One type, once words written like unknown macros are left out where they are too many.
    bool typeIsSound() {
        while (!soundAsItIs()) {
            auto macro = std::find_if(items.begin(), items.end(), [](const Item& item) { return item.unknownMacro; });
            const auto types = std::count_if(items.begin(), items.end(), isType);
            if (macro == items.end() || types == 0) return false;
            items.erase(macro);
        }
        return true;
    }

    Declarator readDeclarator(std::size_t i, int depth = 0) const {
        Declarator d;
        d.begin = i;
        if (depth > kMaxNesting) return d;
        while (i < tokens.size() &&
               (startsPointer(i) || (tokens[i].isName() && isQualifier(tokens[i].text))))
            i = tokens[i].isName() && tokens[i].text.starts_with("__ptrauth") ? afterUse(i) : i + 1;
        if (i >= tokens.size()) return d;
        bool direct = false;
        if (tokens[i].is("(")) {
            // A declarator in parentheses begins with a pointer or a block: "(*f)(int)".
            if (!startsPointer(i + 1) && !(i + 1 < tokens.size() && tokens[i + 1].is("("))) return d;
            Declarator inner = readDeclarator(i + 1, depth + 1);
            if (!inner.ok || inner.end >= tokens.size() || !tokens[inner.end].is(")")) return d;
            d.name = inner.name;
            d.function = inner.function;
            i = inner.end + 1;
        } else if (tokens[i].isName() && !isReserved(tokens[i].text)) {
            d.name = i++;
            direct = true;
        } else {
            return d;
        }
        for (bool first = true; i < tokens.size() && (tokens[i].is("(") || tokens[i].is("[")); first = false) {
            if (first && direct && tokens[i].is("(")) d.function = true;
            const std::size_t close = CTokenizer::closing(tokens, i);
            if (close == std::string::npos) return d;  // never closed
            i = close + 1;
        }
        d.end = i;
        d.ok = true;
        return d;
    }

    DeclaredName entry(const CDeclaration& declaration, const Declarator& d, std::size_t end) const {
        // The text of the specifiers (storage and inline words left out) and the declarator,
        // put together as CTokenizer::join does, without copying tokens.
        const std::string name = realName(tokens[d.name].text);
        auto joined = [&](bool withName, std::size_t stop) {
            std::string text;
            bool lastIsWord = false;
            auto add = [&](const CToken& token, const std::string& word, bool space) {
                if (space && !text.empty()) text += ' ';
                text += word;
                lastIsWord = token.isWord();
            };
            for (const Item& item : items) {
                if (item.kind == Item::Kind::Storage || item.kind == Item::Kind::Inline) continue;
                for (std::size_t i = item.begin; i < item.end; ++i) add(tokens[i], tokens[i].text, tokens[i].spaceBefore);
            }
            bool space = false;  // the blank before a left-out name
            for (std::size_t i = d.begin; i < stop; ++i) {
                const CToken& token = tokens[i];
                if (i == d.name && !withName) {
                    space = token.spaceBefore;
                    continue;
                }
                const bool blank = token.spaceBefore || space || (i == d.begin && lastIsWord && token.isWord());
                add(token, i == d.name ? name : token.text, blank);
                space = false;
            }
            return text;
        };
        DeclaredName named;
        named.name = name;
        named.function = d.function;
        named.text = joined(true, end);
        if (declaration.isStatic && !d.function) named.text = "static " + named.text;
        named.type = tidyType(joined(false, d.end));
        return named;
    }

    // A word written like a macro that the define records know as no attribute, and no use.
    bool isUnknownMacroWord(std::size_t i) const {
        return tokens[i].isName() && AttributeWord::isWrittenAsMacro(tokens[i].text) &&
               AttributeWord::known(tokens[i].text, keywords) != false &&
               !(i + 1 < tokens.size() && tokens[i + 1].is("(") && !DeclarationAttributes::opensPointerDeclarator(tokens, i + 1));
    }
    // In each parameter, the words written like unknown macros beyond a type and a name are
    // attributes: "CFArrayRef __nullable * __nonnull CF_RETURNS_RETAINED names" -> the
    // parameter names; "CSSM_DATA_PTR data" keeps its type.
    void dropParameterAttributes() {
        bool any = false;
        for (std::size_t i = 0; i < tokens.size() && !any; ++i) any = isUnknownMacroWord(i);
        if (!any) return;
        // The matching ")" of every "(", so that each group's own words are read once.
        std::vector<std::size_t> close(tokens.size(), tokens.size());
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            if (tokens[i].is("(")) {
                open.push_back(i);
            } else if (tokens[i].is(")") && !open.empty()) {
                close[open.back()] = i;
                open.pop_back();
            }
        }
        std::vector<bool> drop(tokens.size(), false);
        for (std::size_t group = 0; group < tokens.size(); ++group) {
            if (!tokens[group].is("(")) continue;
            std::vector<std::size_t> words;  // names of this parameter outside nested brackets
            bool typeWords = false;          // int, struct X: a type that is no name
            auto finish = [&] {
                std::size_t count = words.size();
                const std::size_t needed = typeWords ? 1 : 2;
                for (std::size_t w : words) {
                    if (count <= needed) break;
                    if (isUnknownMacroWord(w)) {
                        drop[w] = true;
                        --count;
                    }
                }
                words.clear();
                typeWords = false;
            };
            for (std::size_t i = group + 1; i < close[group]; ++i) {
                const CToken& t = tokens[i];
                if (t.is("(")) {
                    i = close[i];  // a group of its own
                } else if (t.is(",")) {
                    finish();
                } else if (t.isName()) {
                    if (t.is("struct") || t.is("union") || t.is("enum")) {
                        typeWords = true;
                        if (i + 1 < tokens.size() && tokens[i + 1].isName()) ++i;  // its tag
                    } else if (among(kBuiltin, t.text)) {
                        typeWords = true;
                    } else if (!isQualifier(t.text) && !among(kStorage, t.text)) {
                        words.push_back(i);
                    }
                }
            }
            finish();
        }
        CTokens kept;
        bool space = false;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            if (drop[i]) {
                space = space || tokens[i].spaceBefore;
                continue;
            }
            kept.push_back(tokens[i]);
            if (space) kept.back().spaceBefore = true;
            space = false;
        }
        tokens = std::move(kept);
    }

    // The name a macro gives the declared name: "#define MacLoadResource LoadResource".
    std::string realName(std::string name) const {
        for (int depth = 0; keywords && depth < 8 && !keywords->definedFurtherDown(name); ++depth) {
            const MacroBody* macro = keywords->macroDefinition(name);
            if (!macro || macro->functionLike || macro->body.size() != 1 || !macro->body[0].isName() ||
                isReserved(macro->body[0].text))
                break;
            name = macro->body[0].text;
        }
        return name;
    }

    MacroKeywordSource* keywords;
    bool dropUnknownUses;
    CTokens tokens;
    std::vector<Item> items;
    bool definesType = false;  // a struct, union or enum body stands among the specifiers
};

}  // namespace

CDeclaration CDeclaration::read(const std::string& text, MacroKeywordSource* keywords) {
    const CTokens tokens = CTokenizer::tokenize(text);
    if (tokens.empty() || !tokens.front().isName()) return {};
    // A name written like a macro that may be an attribute is a doubtful reading: with the
    // macro use before it dropped, "STACK_UPP_TYPE(ProcPtr) UPP DEPRECATED_IN_X" would name
    // DEPRECATED_IN_X. Another reading that declares other names is taken then.
    auto doubtful = [keywords](const CDeclaration& declaration) {
        return declaration.names.empty() ||
               std::any_of(declaration.names.begin(), declaration.names.end(), [keywords](const DeclaredName& named) {
                   return AttributeWord::isWrittenAsMacro(named.name) && AttributeWord::known(named.name, keywords) != false;
               });
    };
    auto tryAgain = [&](CDeclaration& declaration, CDeclaration other) {
        if (!other.names.empty() && (declaration.names.empty() || !doubtful(other))) declaration = std::move(other);
    };
    CDeclaration declaration = Reader(keywords, true).read(tokens);
    // When nothing is declared: a function written like a macro, "void MY_FUNC(int)", a type
    // through a macro, "STACK_UPP_TYPE(ProcPtr) UPP"; then the known macros expanded.
    if (doubtful(declaration)) tryAgain(declaration, Reader(keywords, false).read(tokens));
    if (doubtful(declaration) && keywords) {
        if (std::optional<CTokens> expanded = MacroBody::expandUses(tokens, *keywords))
            tryAgain(declaration, Reader(keywords, true).read(*expanded));
    }
    return declaration;
}

}  // namespace kestrel
