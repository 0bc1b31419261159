#include "core/parse/CMacroEngin.h"

#include "core/platform/ByteScan.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/parse/CompileTarget.h"
#include "core/parse/ConditionExpression.h"
#include "core/parse/DefineData.h"
#include "core/parse/DirectiveText.h"
#include "core/parse/IncludeGuard.h"
#include "core/parse/MacroExpander.h"
#include "core/parse/MultiComment.h"
#include "core/parse/PreprocessorLexer.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace {

enum class Directive { If, Elif, Else, EndIf, IfDef, IfNDef, Import, Include, IncludeNext, Define, Undef, Consume };

struct DirectiveEntry {
    std::string_view word;
    Directive action;
};
// Words outside this table do nothing here: the rest of their line is left for the caller to
// read as ordinary text (a "#" that starts no directive, as in @"#").
constexpr std::array<DirectiveEntry, 20> kDirectives{{
    {"if", Directive::If},           {"elif", Directive::Elif},         {"else", Directive::Else},
    {"endif", Directive::EndIf},     {"ifdef", Directive::IfDef},       {"ifndef", Directive::IfNDef},
    {"import", Directive::Import},   {"include", Directive::Include},   {"include_next", Directive::IncludeNext},
    {"define", Directive::Define},   {"undef", Directive::Undef},       {"pragma", Directive::Consume},
    {"error", Directive::Consume},   {"warning", Directive::Consume},   {"line", Directive::Consume},
    {"ident", Directive::Consume},   {"sccs", Directive::Consume},      {"assert", Directive::Consume},
    {"unassert", Directive::Consume}, {"!define", Directive::Consume},
}};

// The first identifier of a directive's text: the macro of #ifdef, #ifndef, #undef.
std::optional<std::string> macroName(const std::string& text) {
    PreprocessorTokens tokens = PreprocessorLexer::tokenize(text);
    if (tokens.empty() || !tokens[0].isIdentifier()) return std::nullopt;
    return tokens[0].text;
}

}  // namespace

CMacroEngin::CMacroEngin(TextBuffer* buffer, std::optional<std::string> header)
    : targetHeader(std::move(header)), textBuffer(buffer),
      scope(CompileTarget::current(), ProcessState::defineList()) {
    // The analysis keeps what it reads of the header in a record of its own, which the
    // analysers ask about macros by name: the define list is not written while headers are
    // analysed, and two headers of one file name (Foundation's and AppKit's
    // NSAttributedString.h) each see what they import themselves, not the first one's record.
    scope.setOwnRecord(std::make_shared<DefineData>(targetHeader.value_or(std::string())));
    currentData = scope.getOwnRecord();
}

CMacroEngin::~CMacroEngin() = default;

void CMacroEngin::setDefinedNames(const DefinedNames* names) {
    definedNames = names;
    scope.setIndex(names);
}

std::string_view CMacroEngin::readCommand(int& status) {
    if (!textBuffer) {
        status = kEnd;
        return {};
    }
    return textBuffer->getCommandView(status).value_or(std::string_view());
}

std::string CMacroEngin::readDirectiveText() { return textBuffer ? DirectiveText::read(*textBuffer) : std::string(); }

std::size_t CMacroEngin::directiveOffset() const { return textBuffer ? textBuffer->readOffset() : 0; }

bool CMacroEngin::readsDirectiveLine(std::string_view word) {
    return std::any_of(kDirectives.begin(), kDirectives.end(), [word](const DirectiveEntry& entry) { return entry.word == word; });
}

void CMacroEngin::doCalc() {
    int status = 0;
    const std::string_view word = readCommand(status);
    if (status == kEnd) return;
    for (const auto& entry : kDirectives) {
        if (entry.word != word) continue;
        switch (entry.action) {
            case Directive::If: doIf(true); break;
            case Directive::Elif: doElif(); break;
            case Directive::Else: doElse(); break;
            case Directive::EndIf: doEndIf(); break;
            case Directive::IfDef: doIfDef(true); break;
            case Directive::IfNDef: doIfDef(false); break;
            case Directive::Import: doImport(); break;
            case Directive::Include: doInclude(); break;
            case Directive::IncludeNext: doIncludeNext(); break;
            case Directive::Consume: readDirectiveText(); break;
            case Directive::Define: doDefine(); break;
            case Directive::Undef: doUndef(); break;
        }
        return;
    }
}

bool CMacroEngin::checkMacroValue(std::string symbol) {
    bool invert = false;
    if (!symbol.empty() && symbol[0] == '!') {
        symbol.erase(0, 1);
        invert = true;
    }
    const bool value = scope.isDefined(symbol) || MacroExpander::isBuiltin(symbol);
    return invert ? !value : value;
}

std::string CMacroEngin::expand(std::string_view text) {
    return PreprocessorLexer::spell(expand(PreprocessorLexer::tokenize(text)));
}

PreprocessorTokens CMacroEngin::expand(const PreprocessorTokens& tokens) {
    MacroExpander::Limits limits;
    limits.maxTokens = std::min(limits.maxTokens, std::max<std::size_t>(expansionBudget, 1));
    MacroExpander expander(scope, limits);
    PreprocessorTokens expanded = expander.expand(tokens);
    expansionBudget -= std::min(expansionBudget, expander.getSpent());
    return expanded;
}

void CMacroEngin::decided(Decision decision) {
    if (decisionObserver) decisionObserver(decision);
}

bool CMacroEngin::evaluate(const std::string& directive, const std::string& text, std::size_t offset) {
    PreprocessorTokens tokens = PreprocessorLexer::tokenize(text);
    ConditionExpression::Result result;
    if (expansionBudget == 0) {
        result.error = "the header's macros have expanded past " + std::to_string(kExpansionBudget) + " tokens";
    } else {
        MacroExpander::Limits limits;
        limits.maxTokens = std::min(limits.maxTokens, expansionBudget);
        MacroExpander expander(scope, limits);
        PreprocessorTokens expanded = expander.expandCondition(tokens);
        expansionBudget -= std::min(expansionBudget, expander.getSpent());
        if (expander.getError()) result.error = *expander.getError();
        else result = ConditionExpression::evaluate(expanded);
    }
    if (decisionObserver)
        decided({offset, directive, PreprocessorLexer::spell(tokens), result.value, result.error});
    return result.value;
}

void CMacroEngin::doIf(bool) {
    const std::size_t offset = directiveOffset();
    applyOutcome(evaluate("if", readDirectiveText(), offset));
}

void CMacroEngin::doIfDef(bool isIfdef) {
    const std::size_t offset = directiveOffset();
    std::optional<std::string> symbol = macroName(readDirectiveText());
    bool taken = false;
    std::optional<std::string> reason;
    if (!symbol) {
        reason = "no macro name";  // a compiler rejects the line and the branch with it
    } else {
        bool defined = checkMacroValue(*symbol);
        // The include-guard idiom opens its header whatever the records say of the guard; what
        // the compiler itself defines is no guard ("#ifndef __has_feature" before a stand-in),
        // nor is a macro the header has itself defined above: os/availability.h defines
        // API_AVAILABLE, then "#ifndef API_AVAILABLE / #define API_AVAILABLE(...)" as a fallback.
        const bool compilers = MacroExpander::isBuiltin(*symbol) || scope.getTarget().predefined(*symbol);
        const bool ownAbove = scope.getOwnRecord() && scope.getOwnRecord()->findOwn(*symbol);
        if (!isIfdef && defined && !compilers && !ownAbove && textBuffer &&
            IncludeGuard::defineFollows(textBuffer->unreadText(), *symbol))
            defined = false;
        taken = isIfdef ? defined : !defined;
    }
    decided({offset, isIfdef ? "ifdef" : "ifndef", symbol.value_or(""), taken, reason});
    applyOutcome(taken);
}

void CMacroEngin::applyOutcome(bool taken) {
    while (!taken) {
        const std::string stop = removeFalsePart();
        if (stop == "elif") {
            const std::size_t offset = directiveOffset();
            taken = evaluate("elif", readDirectiveText(), offset);
            continue;
        }
        if (stop == "else") {
            readDirectiveText();
            addNewStatus(false);  // the #else part is read now
        } else if (stop == "endif") {
            readDirectiveText();
        }
        return;
    }
    addNewStatus(true);
}

void CMacroEngin::skipToEndIf() {
    for (;;) {
        const std::string stop = removeFalsePart();
        if (stop.empty()) return;
        readDirectiveText();
        if (stop == "endif") return;
    }
}

void CMacroEngin::doElif() {
    // Reached only from a branch being read: a taken one ends here. After an #else part, or
    // with no conditional open, the line is dropped.
    readDirectiveText();
    if (!macroStack.empty() && macroStack.back().status()) {
        skipToEndIf();
        macroStack.pop_back();
    }
}

void CMacroEngin::doElse() {
    readDirectiveText();
    if (!macroStack.empty() && macroStack.back().status()) {
        skipToEndIf();
        macroStack.pop_back();
    }
}

void CMacroEngin::doEndIf() {
    readDirectiveText();
    if (!macroStack.empty()) macroStack.pop_back();
}

std::optional<CMacroEngin::IncludeName> CMacroEngin::readIncludeName() {
    std::string text = readDirectiveText();
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos) return std::nullopt;
    auto quoted = [&](std::string_view from, char open) -> std::optional<IncludeName> {
        const char close = open == '<' ? '>' : '"';
        std::size_t begin = from.find(open);
        std::size_t end = begin == std::string_view::npos ? begin : from.find(close, begin + 1);
        if (end == std::string_view::npos || end == begin + 1) return std::nullopt;
        return IncludeName{std::string(from.substr(begin + 1, end - begin - 1)), open == '<'};
    };
    if (text[start] == '<' || text[start] == '"') return quoted(std::string_view(text).substr(start), text[start]);
    // #include SOME_MACRO: the macro's expansion names the header.
    std::string expanded = expand(text);
    std::size_t first = expanded.find_first_of("<\"");
    if (first == std::string::npos) return std::nullopt;
    std::string name = expanded.substr(first);
    if (name[0] == '<') std::erase(name, ' ');  // spelt back from tokens
    return quoted(name, name[0]);
}

std::string CMacroEngin::recordKey(const std::string& written) const {
    std::size_t slash = written.find('/');
    if (slash == std::string::npos) return written;
    const DefineList& list = ProcessState::defineList();
    if (list.count(written)) return written;
    return written.substr(slash + 1);
}

void CMacroEngin::doImport() {
    std::optional<IncludeName> name = readIncludeName();
    if (!name) return;
    std::string key = recordKey(name->written);
    scope.getOwnRecord()->addImportHeader(key);
    scope.addImport(key);
}

void CMacroEngin::doInclude() { doImport(); }

void CMacroEngin::doIncludeNext() { readDirectiveText(); }

void CMacroEngin::doDefine() {
    if (auto parsed = MacroDefinition::parse(readDirectiveText())) scope.define(parsed->first, std::move(parsed->second));
}

void CMacroEngin::doUndef() {
    if (auto symbol = macroName(readDirectiveText())) scope.undefine(*symbol);
}

void CMacroEngin::addNewStatus(bool status) { macroStack.emplace_back(status); }

std::string CMacroEngin::removeFalsePart() {
    if (!textBuffer) return {};
    int depth = 0;
    int status = 0;
    for (;;) {
        const std::string_view first = readCommand(status);
        switch (status) {
            case kEnd:
                return {};
            case kLineComment:
                textBuffer->deleteLineBuffer();
                break;
            case kBlockOpen: {
                MultiComment comment(textBuffer, this);
                comment.doAnalyse("/*");
                break;
            }
            case kHash: {
                const std::string_view word = readCommand(status);
                if (status == kEnd) return {};
                if (depth == 0 && (word == "else" || word == "elif")) return std::string(word);
                if (word == "endif") {
                    if (depth == 0) return std::string(word);
                    --depth;
                } else if (word == "if" || word == "ifdef" || word == "ifndef") {
                    ++depth;
                }
                textBuffer->deleteLineBuffer();
                break;
            }
            default:
                // The rest of the line is code the branch leaves out, but a block comment opened
                // in it runs on: its lines are no directives ("int x; /* ... \n#endif ... */").
                dropCodeOfLine(literalOpenAfter(first));
                break;
        }
    }
}

// The quote of a string or character literal that text leaves open, else NUL: '"' after "\"a",
// NUL after "'a'".
char CMacroEngin::literalOpenAfter(std::string_view text) {
    char quote = '\0';
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (quote && text[i] == '\\') ++i;
        else if (quote && text[i] == quote) quote = '\0';
        else if (!quote && (text[i] == '"' || text[i] == '\'')) quote = text[i];
    }
    return quote;
}

void CMacroEngin::dropCodeOfLine(char quote) {
    const std::optional<std::string_view> line = textBuffer->hasLineText() ? textBuffer->getLineStrings() : std::nullopt;
    if (!line) return;
    // Most lines hold no slash and no quote: found sixteen bytes at a time.
    for (std::size_t i = 0; i < line->size(); ++i) {
        if (quote) {
            i = ByteScan::firstOf(*line, i, quote, '\\');
            if (i >= line->size()) break;
            if ((*line)[i] == '\\') ++i;
            else quote = '\0';
            continue;
        }
        i = ByteScan::firstOf(*line, i, '/', '"', '\'');
        if (i >= line->size()) break;
        const char c = (*line)[i];
        if (c != '/') {
            quote = c;
        } else if (i + 1 < line->size() && (*line)[i + 1] == '/') {
            break;
        } else if (i + 1 < line->size() && (*line)[i + 1] == '*') {
            textBuffer->deleteLineHead(i + 2);
            MultiComment comment(textBuffer, this);
            comment.doAnalyse("/*");
            return;  // what follows the comment on its last line is read as any line's rest
        }
    }
    textBuffer->deleteLineBuffer();
}

}  // namespace kestrel
