#include "core/parse/DefineRecordExpander.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <tuple>

#include "core/parse/DefineData.h"
#include "core/parse/DefineLookup.h"
#include "core/parse/ImportOrder.h"
#include "core/parse/MacroScope.h"
#include "core/parse/DefinedNames.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace {

// Words that stand in definitions without being macros.
constexpr std::array<std::string_view, 26> kCWords{
    "enum",   "struct",   "union",  "typedef",       "const",       "volatile", "unsigned",
    "signed", "int",      "long",   "short",         "char",        "void",     "float",
    "double", "_Bool",    "static", "inline",        "extern",      "__attribute__",
    "__attribute", "__declspec", "sizeof", "__VA_ARGS__", "__inline__", "__extension__",
};

// A cut costs its unknown pieces first; among equal ones, the one whose known pieces are
// parameters or macros over the longest stretch wins, then the one with fewer pieces.
constexpr std::size_t kMaxExpansions = 2000;
constexpr std::size_t kMaxTokens = 20000;
constexpr std::size_t kFormsKept = 4;

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }
bool isName(const std::string& s) {
    return !s.empty() && !std::isdigit(static_cast<unsigned char>(s[0])) && isNameChar(s[0]);
}

// "enum__CF_ENUM_ATTRIBUTES_name" -> "enum", "__CF_ENUM_ATTRIBUTES", "_name" (see the header).
void cutRun(std::string_view run, const std::function<bool(const std::string&)>& isKnown,
            const std::function<bool(const std::string&)>& isWord, std::vector<std::string>& out) {
    if (std::isdigit(static_cast<unsigned char>(run[0])) || run.size() > 256) {
        out.emplace_back(run);
        return;
    }
    struct Cost {
        std::size_t unknown = 0;
        std::size_t covered = 0;  // negated in the comparison: more is better
        std::size_t pieces = 0;
        bool reached = false;
        std::size_t from = 0;
        bool better(const Cost& other) const {
            if (!other.reached) return true;
            return std::make_tuple(unknown, other.covered, pieces) < std::make_tuple(other.unknown, covered, other.pieces);
        }
    };
    std::vector<Cost> best(run.size() + 1);
    best[0].reached = true;
    for (std::size_t end = 1; end <= run.size(); ++end) {
        for (std::size_t start = 0; start < end; ++start) {
            if (!best[start].reached) continue;
            const std::string piece(run.substr(start, end - start));
            const bool known = isKnown(piece);
            const bool word = !known && isWord(piece);
            Cost next = best[start];
            next.unknown += known || word ? 0 : 1;
            next.covered += known ? piece.size() : 0;
            next.pieces += 1;
            next.from = start;
            if (next.better(best[end])) best[end] = next;
        }
    }
    std::vector<std::string> pieces;
    for (std::size_t end = run.size(); end > 0; end = best[end].from) pieces.emplace_back(run.substr(best[end].from, end - best[end].from));
    out.insert(out.end(), pieces.rbegin(), pieces.rend());
}

// The tokens of a stored definition's text.
std::vector<std::string> tokens(std::string_view text, const std::function<bool(const std::string&)>& isKnown) {
    auto isWord = [](const std::string& w) { return std::find(kCWords.begin(), kCWords.end(), w) != kCWords.end(); };
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (isNameChar(c)) {
            std::size_t end = i;
            while (end < text.size() && isNameChar(text[end])) ++end;
            cutRun(text.substr(i, end - i), isKnown, isWord, out);
            i = end;
        } else if (c == '\'' || c == '"') {
            std::size_t end = i + 1;
            while (end < text.size() && text[end] != c) end += text[end] == '\\' ? 2 : 1;
            end = std::min(end + 1, text.size());
            out.emplace_back(text.substr(i, end - i));
            i = end;
        } else if (text.substr(i, 2) == "##" || text.substr(i, 3) == "...") {
            const std::size_t size = text[i] == '#' ? 2 : 3;
            out.emplace_back(text.substr(i, size));
            i += size;
        } else {
            out.emplace_back(1, c);
            ++i;
        }
    }
    return out;
}

struct Token {
    std::string text;
    std::shared_ptr<const std::vector<std::string>> hidden;  // macros not to expand again here
    bool isHidden() const { return hidden && std::find(hidden->begin(), hidden->end(), text) != hidden->end(); }
};

std::string joined(const std::vector<Token>& list, const char* separator) {
    std::string out;
    for (const Token& t : list) out += (out.empty() ? "" : separator) + t.text;
    return out;
}

}  // namespace

DefineRecordExpander::DefineRecordExpander(std::shared_ptr<DefineData> header, const DefinedNames& names,
                                           ParsedDefinitions& parsed)
    : header(std::move(header)), names(names), parsed(parsed) {}

bool DefineRecordExpander::isMacro(const std::string& word) { return header && names.contains(word); }

DefineRecordExpander::Definition DefineRecordExpander::parse(const std::string& stored,
                                                             const std::function<bool(const std::string&)>& isKnown) {
    Definition d;
    std::string_view text = stored;
    // "(a,b)body": a list of names (or "...") in parentheses first is a parameter list.
    if (text.starts_with('(')) {
        const std::size_t close = text.find(')');
        std::vector<std::string> list;
        bool names = close != std::string_view::npos;
        std::size_t start = 1;
        while (names && start <= close) {
            std::size_t end = std::min(text.find(',', start), close);
            std::string item(text.substr(start, end - start));
            item.erase(std::remove_if(item.begin(), item.end(), [](unsigned char c) { return std::isspace(c); }), item.end());
            if (item == "..." && end == close) {
                d.variadic = true;
            } else if (isName(item) && std::all_of(item.begin(), item.end(), isNameChar)) {
                list.push_back(item);
            } else if (!(item.empty() && end == close && list.empty())) {
                names = false;
            }
            start = end + 1;
        }
        if (names) {
            d.functionLike = true;
            d.parameters = std::move(list);
            text.remove_prefix(close + 1);
        } else {
            d.variadic = false;
        }
    }
    auto known = [&](const std::string& w) {
        return w == "__VA_ARGS__" || std::find(d.parameters.begin(), d.parameters.end(), w) != d.parameters.end() ||
               isKnown(w);
    };
    d.body = tokens(text, known);
    return d;
}

const DefineRecordExpander::Definition* DefineRecordExpander::definition(const std::string& name) {
    if (!isMacro(name)) return nullptr;
    auto found = known.find(name);
    if (found == known.end()) {
        std::shared_ptr<const Definition> d;
        const MacroDefinition* macro =
            scope ? scope->importedDefinition(name)
                  : DefineLookup::findMacro(*header, name, names,
                                            ImportOrder::kept(importOrder, *header, ProcessState::defineList(), &names));
        if (macro) {
            auto byText = [&] {
                const std::string stored = macro->recordText();
                auto reading = parsed.byText.find(stored);
                if (reading == parsed.byText.end()) {
                    auto fresh = std::make_shared<const Definition>(
                        parse(stored, [this](const std::string& w) { return names.contains(w); }));
                    reading = parsed.byText.emplace(stored, std::move(fresh)).first;
                }
                return reading->second;
            };
            // The header's own lines go with it: their addresses may be another header's next.
            if (header->findOwn(name) == macro) {
                d = byText();
            } else {
                auto [line, freshLine] = parsed.byLine.try_emplace(macro);
                if (freshLine) line->second = byText();
                d = line->second;
            }
        }
        found = known.emplace(name, std::move(d)).first;
    }
    return found->second.get();
}

std::optional<std::vector<std::string>> DefineRecordExpander::expand(const std::vector<std::string>& input) {
    if (!header) return input;  // nothing is a macro
    std::string key;
    for (const std::string& token : input) {
        key += token;
        key += '\x1f';  // no token holds it: a control byte is a token of its own
    }
    std::vector<Expansion>& made = parsed.expansions[key];
    for (const Expansion& expansion : made) {
        const bool same = std::all_of(expansion.met.begin(), expansion.met.end(),
                                      [this](const auto& name) { return definition(name.first) == name.second; });
        if (same) return expansion.tokens;
    }
    Expansion fresh;
    met = &fresh.met;
    struct Done {
        std::vector<std::pair<std::string, const Definition*>>*& met;
        ~Done() { met = nullptr; }
    } done{met};
    fresh.tokens = expandAnew(input);
    // Each name once (a header finds one definition for a name).
    std::sort(fresh.met.begin(), fresh.met.end());
    fresh.met.erase(std::unique(fresh.met.begin(), fresh.met.end()), fresh.met.end());
    // A few forms per expansion: the headers of one SDK see one or two.
    if (made.size() < kFormsKept) made.push_back(fresh);
    return std::move(fresh.tokens);
}

std::optional<std::vector<std::string>> DefineRecordExpander::expandAnew(const std::vector<std::string>& input) {
    std::vector<Token> pending;  // the tokens still to read, the next one last
    for (auto it = input.rbegin(); it != input.rend(); ++it) pending.push_back({*it, nullptr});
    std::vector<std::string> out;
    std::size_t expansions = 0;
    while (!pending.empty()) {
        Token token = std::move(pending.back());
        pending.pop_back();
        const Definition* d = isName(token.text) && !token.isHidden() ? definition(token.text) : nullptr;
        if (met && isMacro(token.text) && isName(token.text) && !token.isHidden()) met->emplace_back(token.text, d);
        if (d && d->functionLike && (pending.empty() || pending.back().text != "(")) d = nullptr;
        if (!d) {
            out.push_back(std::move(token.text));
            if (out.size() > kMaxTokens) return std::nullopt;
            continue;
        }
        if (++expansions > kMaxExpansions || pending.size() > kMaxTokens) return std::nullopt;

        // The arguments of a call, split at the commas outside parentheses.
        std::vector<std::vector<Token>> arguments;
        if (d->functionLike) {
            pending.pop_back();  // "("
            arguments.emplace_back();
            int depth = 0;
            while (true) {
                if (pending.empty()) return std::nullopt;  // never closed
                Token t = std::move(pending.back());
                pending.pop_back();
                if (t.text == ")" && depth == 0) break;
                if (t.text == "(") ++depth;
                if (t.text == ")") --depth;
                if (t.text == "," && depth == 0) {
                    arguments.emplace_back();
                } else {
                    arguments.back().push_back(std::move(t));
                }
            }
            if (d->parameters.empty() && arguments.size() == 1 && arguments[0].empty()) arguments.clear();
            if (arguments.size() < d->parameters.size() || (!d->variadic && arguments.size() > d->parameters.size()))
                return std::nullopt;  // a call that does not fit the macro
        }
        auto argumentOf = [&](const std::string& word) -> const std::vector<Token>* {
            for (std::size_t i = 0; i < d->parameters.size(); ++i)
                if (d->parameters[i] == word) return &arguments[i];
            return nullptr;
        };
        std::vector<Token> variadic;
        for (std::size_t i = d->parameters.size(); i < arguments.size(); ++i) {
            if (i > d->parameters.size()) variadic.push_back({",", nullptr});
            variadic.insert(variadic.end(), arguments[i].begin(), arguments[i].end());
        }

        auto grown = std::make_shared<std::vector<std::string>>(token.hidden ? *token.hidden : std::vector<std::string>{});
        grown->push_back(token.text);
        std::shared_ptr<const std::vector<std::string>> hidden = std::move(grown);
        std::vector<Token> result;
        bool paste = false;
        for (std::size_t i = 0; i < d->body.size(); ++i) {
            const std::string& word = d->body[i];
            if (word == "##" && !result.empty()) {
                paste = true;
                continue;
            }
            std::vector<Token> piece;
            if (word == "#" && d->functionLike && i + 1 < d->body.size() &&
                (argumentOf(d->body[i + 1]) || d->body[i + 1] == "__VA_ARGS__")) {
                const std::vector<Token>* arg = argumentOf(d->body[++i]);
                std::string quoted(1, '"');
                quoted += joined(arg ? *arg : variadic, " ");
                quoted += '"';
                piece.push_back({std::move(quoted), nullptr});
            } else if (const std::vector<Token>* arg = d->functionLike ? argumentOf(word) : nullptr) {
                piece = *arg;
            } else if (word == "__VA_ARGS__" && d->variadic) {
                piece = variadic;
            } else {
                piece.push_back({word, nullptr});
            }
            if (paste && !piece.empty()) {
                result.back().text += piece.front().text;
                piece.erase(piece.begin());
            }
            paste = false;
            for (Token& t : piece) {
                if (!t.hidden || t.hidden == hidden) {
                    result.push_back({std::move(t.text), hidden});
                    continue;
                }
                auto own = std::make_shared<std::vector<std::string>>(*hidden);
                own->insert(own->end(), t.hidden->begin(), t.hidden->end());
                result.push_back({std::move(t.text), std::move(own)});
            }
        }
        for (auto it = result.rbegin(); it != result.rend(); ++it) pending.push_back(std::move(*it));
    }
    return out;
}

}  // namespace kestrel
