#include "core/parse/MacroExpander.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "core/parse/CompileTarget.h"
#include "core/parse/MacroDefinition.h"
#include "core/parse/MacroScope.h"

namespace kestrel {

namespace {

using Kind = PreprocessorToken::Kind;
using Query = CompileTargetTables::Query;

enum class Builtin {
    Defined, HasInclude, HasIncludeNext, Feature, Extension, Attribute, Builtin, CAttribute,
    DeclspecAttribute, Warning, IsIdentifier, TargetOs, TargetArch, TargetVendor, TargetEnvironment,
    BuildingModule
};

struct BuiltinEntry {
    std::string_view name;
    Builtin kind;
};
constexpr std::array<BuiltinEntry, 16> kQueries{{
    {"defined", Builtin::Defined},
    {"__has_include", Builtin::HasInclude},
    {"__has_include_next", Builtin::HasIncludeNext},
    {"__has_feature", Builtin::Feature},
    {"__has_extension", Builtin::Extension},
    {"__has_attribute", Builtin::Attribute},
    {"__has_builtin", Builtin::Builtin},
    {"__has_c_attribute", Builtin::CAttribute},
    {"__has_declspec_attribute", Builtin::DeclspecAttribute},
    {"__has_warning", Builtin::Warning},
    {"__is_identifier", Builtin::IsIdentifier},
    {"__is_target_os", Builtin::TargetOs},
    {"__is_target_arch", Builtin::TargetArch},
    {"__is_target_vendor", Builtin::TargetVendor},
    {"__is_target_environment", Builtin::TargetEnvironment},
    {"__building_module", Builtin::BuildingModule},
}};
// Defined without a header defining them, besides the queries above ("defined" aside).
constexpr std::array<std::string_view, 10> kBuiltinMacros{
    "__FILE__", "__LINE__", "__COUNTER__", "__DATE__", "__TIME__", "__INCLUDE_LEVEL__", "__BASE_FILE__",
    "__TIMESTAMP__", "__FILE_NAME__", "_Pragma",
};

const BuiltinEntry* findQuery(std::string_view name) {
    for (const BuiltinEntry& entry : kQueries)
        if (entry.name == name) return &entry;
    return nullptr;
}

PreprocessorToken number(bool value, bool spaceBefore) {
    return {Kind::Number, spaceBefore, false, value ? "1" : "0"};
}

// A string literal holding the tokens' spelling, quotes and backslashes inside literals escaped.
PreprocessorToken stringify(const PreprocessorTokens& tokens, bool spaceBefore) {
    std::string text = "\"";
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (i > 0 && tokens[i].spaceBefore) text += ' ';
        const bool literal = tokens[i].kind == Kind::String || tokens[i].kind == Kind::Character;
        for (char c : tokens[i].text) {
            if (literal && (c == '"' || c == '\\')) text += '\\';
            text += c;
        }
    }
    text += '"';
    return {Kind::String, spaceBefore, false, std::move(text)};
}

}  // namespace

bool MacroExpander::isBuiltin(std::string_view name) {
    if (name != "defined" && findQuery(name)) return true;
    return std::find(kBuiltinMacros.begin(), kBuiltinMacros.end(), name) != kBuiltinMacros.end();
}

// One expansion: its token budget, its error, and whether built-in queries are answered.
class MacroExpander::Run {
public:
    Run(MacroScope& scope, const Limits& limits, bool condition) : scope(scope), limits(limits), condition(condition) {}

    PreprocessorTokens expandAll(PreprocessorTokens input, std::size_t depth, const std::vector<std::string>& outer);
    std::optional<std::string> error;
    std::size_t spent = 0;

private:
    struct Frame {
        PreprocessorTokens tokens;
        std::size_t pos = 0;
        std::string macro;  // whose expansion this is; empty for the text itself
    };
    using Args = std::vector<PreprocessorTokens>;

    std::optional<PreprocessorToken> next();
    const PreprocessorToken* peek();
    bool isDisabled(const std::string& name, const std::vector<std::string>& outer) const;
    bool spend(std::size_t tokens);
    void fail(std::string why) {
        if (!error) error = std::move(why);
    }
    // Reads "(" ... ")" of an invocation, split at the commas outside parentheses; none (and an
    // error) when the text ends first.
    std::optional<Args> readArguments(const std::string& name, const MacroDefinition& macro);
    PreprocessorTokens substitute(const MacroDefinition& macro, const Args& args, std::size_t depth,
                                  const std::vector<std::string>& disabled);
    std::optional<bool> answer(Builtin query, const std::string& name);
    std::optional<std::pair<std::string, bool>> headerName(const PreprocessorTokens& operand, std::size_t depth,
                                                           const std::vector<std::string>& disabled);

    MacroScope& scope;
    const Limits& limits;
    bool condition;
    std::vector<Frame> frames;
};

std::optional<PreprocessorToken> MacroExpander::Run::next() {
    for (;;) {
        Frame& frame = frames.back();
        if (frame.pos < frame.tokens.size()) return frame.tokens[frame.pos++];
        if (frames.size() == 1) return std::nullopt;
        frames.pop_back();  // its macro may be expanded again from here on
    }
}

const PreprocessorToken* MacroExpander::Run::peek() {
    for (;;) {
        Frame& frame = frames.back();
        if (frame.pos < frame.tokens.size()) return &frame.tokens[frame.pos];
        if (frames.size() == 1) return nullptr;
        frames.pop_back();
    }
}

bool MacroExpander::Run::isDisabled(const std::string& name, const std::vector<std::string>& outer) const {
    for (const Frame& frame : frames)
        if (frame.macro == name) return true;
    return std::find(outer.begin(), outer.end(), name) != outer.end();
}

bool MacroExpander::Run::spend(std::size_t tokens) {
    spent += tokens;
    if (spent <= limits.maxTokens) return true;
    fail("the expansion grows past " + std::to_string(limits.maxTokens) + " tokens");
    return false;
}

std::optional<MacroExpander::Run::Args> MacroExpander::Run::readArguments(const std::string& name,
                                                                           const MacroDefinition& macro) {
    next();  // "("
    Args args(1);
    int nesting = 0;
    const std::size_t named = macro.getParameters().size() - (macro.isVariadic() ? 1 : 0);
    for (;;) {
        std::optional<PreprocessorToken> token = next();
        if (!token) {
            fail("the arguments of " + name + " are never closed");
            return std::nullopt;
        }
        if (token->isPunctuator("(")) {
            ++nesting;
        } else if (token->isPunctuator(")")) {
            if (nesting == 0) break;
            --nesting;
        } else if (token->isPunctuator(",") && nesting == 0 && !(macro.isVariadic() && args.size() > named)) {
            args.emplace_back();
            continue;
        }
        if (!spend(1)) return std::nullopt;
        args.back().push_back(std::move(*token));
    }
    const std::size_t parameters = macro.getParameters().size();
    if (parameters == 0 && args.size() == 1 && args[0].empty()) args.clear();  // F()
    if (macro.isVariadic() && args.size() + 1 == parameters) args.emplace_back();  // no variadic part
    if (args.size() != parameters) {
        fail(name + " takes " + std::to_string(parameters) + " argument" + (parameters == 1 ? "" : "s") + ", " +
             std::to_string(args.size()) + " given");
        return std::nullopt;
    }
    return args;
}

PreprocessorTokens MacroExpander::Run::substitute(const MacroDefinition& macro, const Args& args, std::size_t depth,
                                                  const std::vector<std::string>& disabled) {
    const PreprocessorTokens& body = macro.getBody();
    std::vector<std::optional<PreprocessorTokens>> expanded(args.size());
    auto parameter = [&](const PreprocessorToken& token) {
        return macro.isFunctionLike() && token.isIdentifier() ? macro.parameterIndex(token.text) : -1;
    };
    auto expandedArg = [&](int p) -> const PreprocessorTokens& {
        if (!expanded[p]) expanded[p] = expandAll(args[p], depth + 1, disabled);
        return *expanded[p];
    };
    const int variadic = macro.isVariadic() ? static_cast<int>(args.size()) - 1 : -1;
    const PreprocessorToken placemarker{Kind::Other, false, false, ""};
    PreprocessorTokens out;
    auto append = [&](const PreprocessorTokens& tokens, bool spaceBefore) {
        if (tokens.empty()) return;
        std::size_t first = out.size();
        out.insert(out.end(), tokens.begin(), tokens.end());
        out[first].spaceBefore = spaceBefore;
    };
    for (std::size_t i = 0; i < body.size() && !error; ++i) {
        const PreprocessorToken& token = body[i];
        const bool pasteFollows = i + 1 < body.size() && body[i + 1].isPunctuator("##");
        if (token.isPunctuator("#") && macro.isFunctionLike() && i + 1 < body.size() && parameter(body[i + 1]) >= 0) {
            out.push_back(stringify(args[parameter(body[++i])], token.spaceBefore));
            continue;
        }
        if (token.isPunctuator("##") && !out.empty() && i + 1 < body.size()) {
            const PreprocessorToken& right = body[++i];
            const int p = parameter(right);
            if (p >= 0 && p == variadic && out.back().isPunctuator(",")) {
                // GNU: ", ## __VA_ARGS__" drops the comma when there is nothing to follow it.
                if (args[p].empty()) out.pop_back();
                else append(args[p], right.spaceBefore);
                continue;
            }
            PreprocessorTokens operand = p >= 0 ? args[p] : PreprocessorTokens{right};
            PreprocessorToken left = std::move(out.back());
            out.pop_back();
            if (left.text.empty()) {  // a placemarker: the right side alone
                append(operand.empty() ? PreprocessorTokens{placemarker} : operand, left.spaceBefore);
            } else if (operand.empty()) {
                out.push_back(std::move(left));
            } else {
                PreprocessorTokens joined = PreprocessorLexer::tokenize(left.text + operand.front().text);
                if (joined.empty()) joined.push_back(placemarker);
                append(joined, left.spaceBefore);
                out.insert(out.end(), operand.begin() + 1, operand.end());
            }
            continue;
        }
        if (const int p = parameter(token); p >= 0) {
            const bool pasted = pasteFollows || (i > 0 && body[i - 1].isPunctuator("##"));
            const PreprocessorTokens& value = pasted ? args[p] : expandedArg(p);
            if (value.empty() && pasteFollows) out.push_back(placemarker);
            append(value, token.spaceBefore);
            continue;
        }
        out.push_back(token);
    }
    std::erase_if(out, [](const PreprocessorToken& t) { return t.kind == Kind::Other && t.text.empty(); });
    return out;
}

std::optional<bool> MacroExpander::Run::answer(Builtin query, const std::string& name) {
    const CompileTarget& target = scope.getTarget();
    switch (query) {
        case Builtin::Feature: return target.answers(Query::Feature, name);
        case Builtin::Extension: return target.answers(Query::Extension, name);
        case Builtin::Attribute: return target.answers(Query::Attribute, name);
        case Builtin::Builtin: return target.answers(Query::Builtin, name);
        case Builtin::CAttribute: return target.answers(Query::CAttribute, name);
        case Builtin::TargetOs: return target.answers(Query::TargetOs, name);
        case Builtin::TargetArch: return target.answers(Query::TargetArch, name);
        case Builtin::TargetVendor: return target.answers(Query::TargetVendor, name);
        case Builtin::TargetEnvironment: return target.answers(Query::TargetEnvironment, name);
        case Builtin::IsIdentifier: return true;
        case Builtin::DeclspecAttribute:
        case Builtin::Warning:
        case Builtin::BuildingModule: return false;  // no declspec, warnings unknown, no module
        default: return std::nullopt;
    }
}

std::optional<std::pair<std::string, bool>> MacroExpander::Run::headerName(const PreprocessorTokens& operand,
                                                                           std::size_t depth,
                                                                           const std::vector<std::string>& disabled) {
    // <UIFoundation/NSTextRange.h> arrives cut into tokens; its spelling is the name.
    if (!operand.empty() && operand.front().isPunctuator("<") && operand.back().isPunctuator(">") && operand.size() > 2) {
        std::string name;
        for (std::size_t i = 1; i + 1 < operand.size(); ++i) {
            if (i > 1 && operand[i].spaceBefore) name += ' ';
            name += operand[i].text;
        }
        return std::make_pair(std::move(name), true);
    }
    if (operand.size() == 1 && operand[0].kind == Kind::String && operand[0].text.size() >= 2 &&
        operand[0].text.front() == '"' && operand[0].text.back() == '"') {
        return std::make_pair(operand[0].text.substr(1, operand[0].text.size() - 2), false);
    }
    if (depth == 0 && !operand.empty()) {  // a macro for the name: expanded once, then read again
        Run inner(scope, limits, false);
        PreprocessorTokens expanded = inner.expandAll(operand, depth + 1, disabled);
        if (inner.error) fail(*inner.error);
        return headerName(expanded, depth + 1, disabled);
    }
    return std::nullopt;
}

PreprocessorTokens MacroExpander::Run::expandAll(PreprocessorTokens input, std::size_t depth,
                                                 const std::vector<std::string>& outer) {
    PreprocessorTokens out;
    if (depth > limits.maxDepth) {
        fail("macro arguments nest deeper than " + std::to_string(limits.maxDepth));
        return out;
    }
    std::vector<Frame> saved = std::exchange(frames, {});
    frames.push_back({std::move(input), 0, {}});
    while (!error) {
        std::optional<PreprocessorToken> token = next();
        if (!token) break;
        if (!token->isIdentifier() || token->noExpand) {
            out.push_back(std::move(*token));
            continue;
        }
        if (condition) {
            if (const BuiltinEntry* query = findQuery(token->text)) {
                // The operand is read as written: "defined X", "defined(X)", "__has_feature(x)".
                const bool parenthesised = peek() && peek()->isPunctuator("(");
                if (!parenthesised && query->kind != Builtin::Defined) {
                    fail(token->text + " needs its operand in parentheses");
                    break;
                }
                PreprocessorTokens operand;
                if (parenthesised) {
                    next();
                    int nesting = 0;
                    for (;;) {
                        std::optional<PreprocessorToken> t = next();
                        if (!t) break;
                        if (t->isPunctuator("(")) ++nesting;
                        if (t->isPunctuator(")") && nesting-- == 0) {
                            nesting = -1;
                            break;
                        }
                        operand.push_back(std::move(*t));
                    }
                    if (nesting != -1) {
                        fail("the operand of " + token->text + " is never closed");
                        break;
                    }
                } else if (std::optional<PreprocessorToken> t = next()) {
                    operand.push_back(std::move(*t));
                }
                std::optional<bool> value;
                if (query->kind == Builtin::HasInclude || query->kind == Builtin::HasIncludeNext) {
                    auto name = headerName(operand, 0, {});
                    if (!name) {
                        fail(token->text + " needs a header name");
                        break;
                    }
                    const std::optional<std::string>& file = scope.getCurrentFile();
                    value = scope.getHeaderSearch()
                                .find(name->first, name->second, file ? &*file : nullptr,
                                      query->kind == Builtin::HasIncludeNext)
                                .has_value();
                } else if (operand.empty() || (operand.size() == 1 && !operand[0].isIdentifier())) {
                    fail(token->text + " needs a name");
                    break;
                } else if (query->kind == Builtin::Defined) {
                    if (operand.size() != 1) {
                        fail("defined needs one macro name");
                        break;
                    }
                    value = scope.isDefined(operand[0].text) || MacroExpander::isBuiltin(operand[0].text);
                } else {
                    value = answer(query->kind, PreprocessorLexer::spell(operand));
                }
                out.push_back(number(value.value_or(false), token->spaceBefore));
                continue;
            }
        }
        const MacroDefinition* macro = scope.find(token->text);
        if (!macro) {
            out.push_back(std::move(*token));
            continue;
        }
        if (isDisabled(token->text, outer)) {
            token->noExpand = true;  // met inside its own expansion: stays as it is for good
            out.push_back(std::move(*token));
            continue;
        }
        Args args;
        if (macro->isFunctionLike()) {
            const PreprocessorToken* following = peek();
            if (!following || !following->isPunctuator("(")) {  // a function-like name used alone
                out.push_back(std::move(*token));
                continue;
            }
            auto read = readArguments(token->text, *macro);
            if (!read) break;
            args = std::move(*read);
        }
        if (frames.size() > limits.maxDepth) {
            fail("macros expand inside each other more than " + std::to_string(limits.maxDepth) + " deep");
            break;
        }
        // Its arguments are expanded with the macros around it kept from expanding, not itself:
        // f(f(1)) is 1.
        std::vector<std::string> disabled = outer;
        for (const Frame& frame : frames)
            if (!frame.macro.empty()) disabled.push_back(frame.macro);
        PreprocessorTokens body = substitute(*macro, args, depth, disabled);
        if (!spend(body.size())) break;
        if (!body.empty()) body.front().spaceBefore = token->spaceBefore;
        frames.push_back({std::move(body), 0, token->text});
    }
    frames = std::move(saved);
    return out;
}

std::string MacroExpander::expand(std::string_view text) {
    return PreprocessorLexer::spell(expand(PreprocessorLexer::tokenize(text)));
}

PreprocessorTokens MacroExpander::expand(const PreprocessorTokens& tokens) {
    Run run(scope, limits, false);
    PreprocessorTokens out = run.expandAll(tokens, 0, {});
    error = run.error;
    spent = run.spent;
    return out;
}

PreprocessorTokens MacroExpander::expandCondition(const PreprocessorTokens& tokens) {
    Run run(scope, limits, true);
    PreprocessorTokens out = run.expandAll(tokens, 0, {});
    error = run.error;
    spent = run.spent;
    return out;
}

}  // namespace kestrel
