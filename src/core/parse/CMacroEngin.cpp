#include "core/parse/CMacroEngin.h"

#include <array>
#include <string_view>

#include "core/parse/DefineData.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/IncludeGuard.h"
#include "core/parse/MultiComment.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace {

enum class Directive { If, Else, DropLine, EndIf, IfDef, Import, Define, IfNDef, Include };

struct DirectiveEntry {
    std::string_view word;
    Directive action;
};
// Words outside this table (undef, error, warning, line, ...) do nothing here: the rest of
// their line is left for the caller to read as ordinary text.
constexpr std::array<DirectiveEntry, 12> kDirectives{{
    {"if", Directive::If},
    {"else", Directive::Else},
    {"elif", Directive::DropLine},
    {"endif", Directive::EndIf},
    {"ifdef", Directive::IfDef},
    {"import", Directive::Import},
    {"pragma", Directive::DropLine},
    {"define", Directive::Define},
    {"ifndef", Directive::IfNDef},
    {"include", Directive::Include},
    {"!define", Directive::DropLine},
    {"unsupported", Directive::DropLine},
}};

// The analysis takes every symbol as undefined except __OBJC__. (The define pass uses the
// opposite default; these names are false in both.)
bool symbolTableValue(const std::string& symbol) { return symbol == "__OBJC__"; }

}  // namespace

CMacroEngin::CMacroEngin(TextBuffer* buffer, std::optional<std::string> header)
    : targetHeader(std::move(header)), textBuffer(buffer) {
    if (targetHeader) {
        const DefineList& list = ProcessState::defineList();
        auto found = list.find(*targetHeader);
        if (found != list.end()) currentData = found->second;
    }
}

CMacroEngin::~CMacroEngin() = default;

std::string CMacroEngin::readCommand(int& status) {
    if (!textBuffer) {
        status = kEnd;
        return {};
    }
    return textBuffer->getCommandWithStatus(status).value_or(std::string());
}

void CMacroEngin::doCalc() {
    int status = 0;
    std::string word = readCommand(status);
    if (status == kEnd) return;
    for (const auto& entry : kDirectives) {
        if (entry.word.size() != word.size() || entry.word != word) continue;
        switch (entry.action) {
            case Directive::If: doIf(true); break;
            case Directive::Else: doElse(); break;
            case Directive::DropLine: textBuffer->deleteLineBuffer(); break;
            case Directive::EndIf: doEndIf(); break;
            case Directive::IfDef: doIfDef(true); break;
            case Directive::Import: doImport(); break;
            case Directive::Define: doDefine(); break;
            case Directive::IfNDef: doIfDef(false); break;
            case Directive::Include: doInclude(); break;
        }
        return;
    }
}

bool CMacroEngin::checkMacroValue(std::string symbol) {
    // A symbol that no record defines at all needs no walk through the imports.
    if (currentData && (!definedNames || definedNames->contains(symbol))) {
        std::vector<std::string> checked;
        if (currentData->checkDefine(symbol, ProcessState::defineList(), checked)) return true;
    }
    bool invert = false;
    if (!symbol.empty() && symbol[0] == '!') {
        symbol.erase(0, 1);
        invert = true;
    }
    bool value = symbolTableValue(symbol);
    if (textBuffer && textBuffer->hasLineText()) textBuffer->deleteLineBuffer();
    return invert ? !value : value;
}

void CMacroEngin::doIf(bool) {
    int status = 0;
    std::string word = readCommand(status);
    bool taken;
    if (word.starts_with("MAC_OS_X_VERSION")) {
        taken = true;  // version comparisons are always taken
    } else if (word == "defined" || word == "!defined") {
        readCommand(status);  // normally "("
        std::string symbol = readCommand(status);
        taken = checkMacroValue(symbol);
        if (word == "!defined") taken = true;  // asked only for its dropping of the line
    } else {
        taken = checkMacroValue(word);
    }
    if (textBuffer) textBuffer->deleteLineBuffer();
    applyOutcome(taken);
}

void CMacroEngin::doIfDef(bool isIfdef) {
    int status = kEnd;
    std::string symbol;
    do {  // the symbol is the first word; an #ifdef with none reads on, to the end at worst
        symbol = readCommand(status);
    } while (status != kWord && status != kEnd);
    bool value = checkMacroValue(symbol);
    // The include-guard idiom opens its header whatever the records say of the guard.
    if (!isIfdef && value && textBuffer && IncludeGuard::defineFollows(textBuffer->unreadText(), symbol))
        value = false;
    applyOutcome(isIfdef ? value : !value);
}

void CMacroEngin::applyOutcome(bool taken) {
    if (taken) {
        addNewStatus(true);
    } else if (removeFalsePart() == "else") {
        addNewStatus(false);  // the #else part is read now
    }
}

void CMacroEngin::doElse() {
    if (!macroStack.empty() && macroStack.back().status()) {
        removeFalsePart();
        doEndIf();
    }
}

void CMacroEngin::doEndIf() {
    if (textBuffer) textBuffer->deleteLineBuffer();
    if (!macroStack.empty()) macroStack.pop_back();
}

void CMacroEngin::doImport() {
    if (textBuffer) textBuffer->deleteLineBuffer();
}

void CMacroEngin::doInclude() {
    if (textBuffer) textBuffer->deleteLineBuffer();
}

void CMacroEngin::doDefine() {
    if (textBuffer) textBuffer->deleteLineBuffer();
}

void CMacroEngin::addNewStatus(bool status) { macroStack.emplace_back(status); }

std::string CMacroEngin::removeFalsePart() {
    int depth = 0;
    int status = 0;
    for (;;) {
        readCommand(status);
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
                std::string word = readCommand(status);
                if (status == kEnd) return {};
                if (word == "else" && depth == 0) return word;
                if (word == "endif") {
                    if (depth == 0) return word;
                    --depth;
                } else if (word == "if" || word == "ifdef" || word == "ifndef") {
                    ++depth;
                }
                break;
            }
            default:
                textBuffer->deleteLineBuffer();
                break;
        }
    }
}

}  // namespace kestrel
