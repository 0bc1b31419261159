#include "core/parse/HeaderAnalyser.h"

#include <algorithm>
#include <array>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/RecordLists.h"
#include "core/model/StructData.h"
#include "core/parse/AppkitExternEngin.h"
#include "core/parse/AttributeWord.h"
#include "core/parse/CG_EXTERNEngin.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/ClassEngin.h"
#include "core/parse/DefineData.h"
#include "core/parse/DirectiveLines.h"
#include "core/parse/EnumEngin.h"
#include "core/parse/ExternEngin.h"
#include "core/parse/InlineEngin.h"
#include "core/parse/LookAhead.h"
#include "core/parse/MacroDefinition.h"
#include "core/parse/MultiComment.h"
#include "core/parse/ProtocolEngin.h"
#include "core/parse/StaticInlineEngin.h"
#include "core/parse/StructEngin.h"
#include "core/parse/TextBuffer.h"
#include "core/parse/TypeDefEngin.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace {

enum class Keyword {
    Type, Struct, Union, Enum, Extern, TypeDef, Protocol, CG_INLINE, CG_EXTERN, Interface, APPKIT_EXTERN,
    FOUNDATION_EXPORT, FOUNDATION_STATIC_INLINE
};

struct KeywordEntry {
    std::string_view word;
    Keyword action;
};
// A keyword is recognised wherever it stands, but only as a whole command and in this case:
// "structure" or "Struct" is no keyword.
constexpr std::array<KeywordEntry, 13> kKeywords{{
    {"type", Keyword::Type},
    {"enum", Keyword::Enum},
    {"struct", Keyword::Struct},
    {"union", Keyword::Union},
    {"extern", Keyword::Extern},
    {"typedef", Keyword::TypeDef},
    {"@protocol", Keyword::Protocol},
    {"CG_INLINE", Keyword::CG_INLINE},
    {"CG_EXTERN", Keyword::CG_EXTERN},
    {"@interface", Keyword::Interface},
    {"APPKIT_EXTERN", Keyword::APPKIT_EXTERN},
    {"FOUNDATION_EXPORT", Keyword::FOUNDATION_EXPORT},
    {"FOUNDATION_STATIC_INLINE", Keyword::FOUNDATION_STATIC_INLINE},
}};

// The keywords that start an exported function or variable declaration.
bool exportsDeclaration(Keyword action) {
    return action == Keyword::Extern || action == Keyword::CG_EXTERN || action == Keyword::APPKIT_EXTERN ||
           action == Keyword::FOUNDATION_EXPORT;
}

const KeywordEntry* findKeyword(std::string_view command) {
    for (const auto& entry : kKeywords)
        if (entry.word.size() == command.size() && entry.word == command) return &entry;
    return nullptr;
}

// The rest of the line after a macro's use (its arguments in parentheses, which may run over
// lines) holds nothing but blanks or a comment: "NS_ASSUME_NONNULL_BEGIN\n".
bool aloneOnItsLine(std::string_view rest) {
    rest = rest.substr(0, 4096);  // a use's arguments are never longer
    std::size_t at = rest.find_first_not_of(" \t");
    if (at != std::string_view::npos && rest[at] == '(') {
        int depth = 0;
        for (; at < rest.size(); ++at) {
            if (rest[at] == '(') ++depth;
            if (rest[at] == ')' && --depth == 0) break;
        }
        if (at >= rest.size()) return true;
        at = rest.find_first_not_of(" \t", at + 1);
    }
    if (at == std::string_view::npos) return true;
    const std::string_view after = rest.substr(at);
    return after[0] == '\n' || after[0] == '\r' || after.starts_with("//") || after.starts_with("/*");
}

// After a word: its arguments, when a "(" follows on its line.
void skipArguments(TextBuffer& buffer, CMacroEngin* macro) {
    std::string_view rest = buffer.unreadText();
    std::size_t at = rest.find_first_not_of(" \t");
    if (at == std::string_view::npos || rest[at] != '(') return;
    int depth = 0;
    int status = kWord;
    while (auto command = buffer.getCommandWithStatus(status)) {
        if (status == kOpenParen) ++depth;
        else if (status == kCloseParen && --depth <= 0) return;
        else if (status == kLineComment) buffer.deleteLineBuffer();
        else if (status == kBlockOpen) MultiComment(&buffer, macro).doAnalyse(*command);
    }
}

bool isNameStart(char c) { return c == '_' || std::isalpha(static_cast<unsigned char>(c)); }

}  // namespace

HeaderAnalyser::HeaderAnalyser(RecordLists& records) : records(records), functionFiler(records) {}

HeaderAnalyser::~HeaderAnalyser() = default;

void HeaderAnalyser::analyseHedderFile(const std::string& path, const std::string& hedderName,
                                       const std::string& fwName, bool flag) {
    TextBuffer buffer = TextBuffer::initByPath(path);
    hedderPath = path;  // for the evaluator's "" includes in __has_include
    doAnalyseHedderFile(buffer, hedderName, fwName, flag);
    hedderPath.reset();
}

bool HeaderAnalyser::isKeyword(std::string_view word) { return findKeyword(word) != nullptr; }

std::optional<std::string> HeaderAnalyser::macroKeywordFor(const std::string& word) {
    return macroKeywords ? macroKeywords->keywordFor(word) : std::nullopt;
}

std::optional<bool> HeaderAnalyser::isAttributeMacro(const std::string& word) {
    return macroKeywords ? macroKeywords->isAttribute(word) : std::nullopt;
}

const MacroBody* HeaderAnalyser::macroDefinition(const std::string& word) {
    return macroKeywords ? macroKeywords->definition(word) : nullptr;
}

bool HeaderAnalyser::definedFurtherDown(const std::string& word) {
    // The define pass read the whole header; the analysis's own record holds what it has read.
    if (!wholeHeader || !wholeHeader->findOwn(word)) return false;
    return !(readSoFar && readSoFar->findOwn(word));
}

bool HeaderAnalyser::endsDeclaration(std::string_view word, TextBuffer& buffer) {
    if (word == "struct" || word == "union" || word == "enum") return StatementReader::typeBodyFollows(buffer);
    if (word == "type") return false;  // a name as any other inside a declaration
    return findKeyword(word) || (macroKeywords && macroKeywords->keywordFor(word));
}

bool HeaderAnalyser::isStatementMacro(const std::string& word, TextBuffer& buffer) {
    // A block's opening or closing, or a whole declaration: no part of what follows it.
    if (const MacroBody* definition = macroDefinition(word)) {
        for (const CToken& token : definition->body)
            if (token.kind == CToken::Kind::Punct && (token.is(";") || token.is("{") || token.is("}"))) return true;
    }
    // A macro that the records cannot tell, alone on its line: "__BEGIN_DECLS",
    // "API_AVAILABLE_BEGIN(macos(10.15))".
    return AttributeWord::isWrittenAsMacro(word) && isAttributeMacro(word) != false &&
           aloneOnItsLine(buffer.unreadText());
}

void HeaderAnalyser::analyseOtherWord(const std::string& word, TextBuffer& buffer, CMacroEngin& macro) {
    if (word.size() > 1 && word[0] == '@') {  // @class, @compatibility_alias: nothing of ours
        buffer.deleteLineBuffer();
        return;
    }
    if (!isNameStart(word[0])) return;
    if (AttributeWord::isAttributeKeyword(word) || isAttributeMacro(word) == true || isStatementMacro(word, buffer)) {
        skipArguments(buffer, &macro);
        return;
    }
    FunctionRecords found = analyseDeclaration(buffer, &macro, word);
    for (auto& record : found) {
        record->setFwName(anaInfo.first);
        record->setHedderName(anaInfo.second);
        records.functions.push_back(std::move(record));
    }
}

template <typename Engin>
void HeaderAnalyser::takeHandedBack(const Engin& engin) {
    if (engin.handedBack()) pending.emplace(*engin.handedBack(), engin.handedBackStatus());
}

void HeaderAnalyser::doAnalyseHedderFile(TextBuffer& buffer, const std::string& hedderName,
                                         const std::string& fwName, bool flag) {
    anaInfo = {fwName, hedderName};
    // One evaluator and one of each analyser per header, all reading this one buffer.
    CMacroEngin macro(&buffer, hedderName);
    // The define pass's names while they describe the define list (every thread reads them),
    // else this analyser's own, gathered again when the list has changed.
    std::shared_ptr<const DefinedNames> passNames = ProcessState::definedNames();
    if (passNames && !passNames->describes(ProcessState::defineList())) passNames.reset();
    if (!passNames) definedNames.refresh(ProcessState::defineList());
    const DefinedNames& names = passNames ? *passNames : definedNames;
    macro.setDefinedNames(&names);
    macro.setHeaderPath(hedderPath);
    macroKeywords.emplace(macro.getCurrentData(), names, &HeaderAnalyser::isKeyword);
    macroKeywords->useScope(macro.getScope());
    macroKeywords->useParsedBodies(parsedBodies);
    // The definitions read back hold as long as the define list does: a new build reads afresh.
    const DefineList& defines = ProcessState::defineList();
    const std::shared_ptr<DefineData> firstDefines = defines.empty() ? nullptr : defines.begin()->second;
    if (parsedFor.first != defines.size() || parsedFor.second.lock() != firstDefines) {
        parsedDefinitions.clear();
        notesMemory.clear();
        parsedBodies.clear();
        parsedFor = {defines.size(), firstDefines};
    }
    macroExpander.emplace(macro.getCurrentData(), names, parsedDefinitions);
    macroExpander->useScope(macro.getScope());
    enumForms.emplace(*macroExpander, [this](const std::string& word) { return isAttributeMacro(word).value_or(false); });
    struct EndOfHeader {  // the resolver and the enum forms belong to this header only
        HeaderAnalyser& analyser;
        ~EndOfHeader() {
            analyser.enumForms.reset();
            analyser.macroExpander.reset();
            analyser.macroKeywords.reset();
        }
    } endOfHeader{*this};
    const std::size_t enumsBefore = records.enumList.size();
    // The lines, comments and availability of what the header declares, found when it is done.
    DeclarationNotesPass notesPass(records, buffer.unreadText(), notesMemory);
    macro.setDecisionObserver([&notesPass](const CMacroEngin::Decision& d) { notesPass.decided(d.offset, d.value); });
    MultiComment comment(&buffer, &macro);
    ClassEngin classEngin(&buffer, &macro, &records, this);
    ProtocolEngin protocolEngin(&buffer, &macro, this, &records);

    auto label = [&](TreeData& record) {
        record.setFwName(fwName);
        record.setHedderName(hedderName);
    };
    auto fileFunctions = [&](FunctionRecords found) {
        for (auto& record : found) {
            label(*record);
            records.functions.push_back(std::move(record));
        }
    };
    functionFiler.startHeader();
    pending.reset();
    const auto whole = ProcessState::defineList().find(hedderName);
    wholeHeader = whole == ProcessState::defineList().end() ? nullptr : whole->second;
    readSoFar = macro.getCurrentData();
    // The next command: one an analyser handed back (held while it is read), else the buffer's.
    std::string handedBack;
    auto next = [&](int& status) -> std::optional<std::string_view> {
        if (!pending) return buffer.getCommandView(status);
        handedBack = std::move(pending->first);
        status = pending->second;
        pending.reset();
        return std::string_view(handedBack);
    };

    buffer.getLineStrings();
    int status = 0;
    for (auto command = next(status); command; command = next(status)) {
        if (status == kLineComment) {
            buffer.deleteLineBuffer();
            continue;
        }
        if (status == kBlockOpen) {
            comment.doAnalyse(std::string(*command));
            continue;
        }
        if (status == kHash) {
            DirectiveLines::run(buffer, &macro);
            continue;
        }
        const KeywordEntry* keyword = findKeyword(*command);
        if (!keyword && status == kWord && !command->empty()) {
            // A macro that opens an enum, with or without arguments (CF_ENUM(OSStatus) {...};),
            // else a macro for a keyword (GS_EXPORT for extern, NS_INLINE for static inline)
            // reads as that keyword; any other word may open a declaration without one.
            const std::string word(*command);
            std::optional<std::string> standsFor = macroKeywords->keywordFor(word);
            if ((!standsFor || *standsFor == "enum") && analyseEnumMacro(buffer, &macro, word)) continue;
            if (standsFor) {
                keyword = findKeyword(*standsFor);
            } else {
                analyseOtherWord(word, buffer, macro);
                continue;
            }
        }
        if (!keyword) continue;
        // An export or availability macro written before a class or protocol declares no
        // function: the block is read when its keyword comes.
        //   APPKIT_EXTERN API_AVAILABLE(macos(10.5))
        //   @interface NSCollectionView : NSView
        if (exportsDeclaration(keyword->action) && LookAhead::opensContainer(buffer.unreadText())) continue;
        switch (keyword->action) {
            case Keyword::Type:
                buffer.deleteLineBuffer();
                break;
            case Keyword::Struct:
            case Keyword::Union:
                analyseStruct(buffer, &macro, keyword->word);
                break;
            case Keyword::Enum:
                // "enum KitMode KitModeOf(id x);" declares a function returning one.
                if (!analyseEnum(buffer, &macro)) fileFunctions(analyseDeclaration(buffer, &macro, "enum"));
                break;
            case Keyword::TypeDef:
                analyseTypeDef(buffer, &macro);
                break;
            case Keyword::Extern:
                fileFunctions(analyseExtern(buffer, &macro));
                break;
            case Keyword::CG_INLINE:
                fileFunctions(analyseCG_INLINE(buffer, &macro));
                break;
            case Keyword::CG_EXTERN:
                fileFunctions(analyseCG_EXTERN(buffer, &macro));
                break;
            case Keyword::APPKIT_EXTERN:
                fileFunctions(analyseAPPKIT_EXTERN(buffer, &macro));
                break;
            case Keyword::FOUNDATION_EXPORT:
                fileFunctions(analyseFOUNDATION_EXPORT(buffer, &macro));
                break;
            case Keyword::FOUNDATION_STATIC_INLINE:
                fileFunctions(analyseFOUNDATION_STATIC_INLINE(buffer, &macro));
                break;
            case Keyword::Protocol: {
                // Protocols carry no framework or header name; the functions declared in them do.
                const std::size_t filed = records.functions.size();
                if (auto protocol = std::dynamic_pointer_cast<ProtocolData>(protocolEngin.doAnalyse(std::string(*command))))
                    records.protocolList.push_back(std::move(protocol));
                for (std::size_t i = filed; i < records.functions.size(); ++i) label(*records.functions[i]);
                break;
            }
            case Keyword::Interface: {
                const std::size_t filed = records.functions.size();
                std::shared_ptr<TreeData> record = classEngin.doAnalyse(std::string(*command));
                for (std::size_t i = filed; i < records.functions.size(); ++i) label(*records.functions[i]);
                if (!record) break;
                label(*record);
                // Only classes get the custom mark.
                if (record->whoAreYou() == kClassDataKind) {
                    if (auto cls = std::dynamic_pointer_cast<ClassData>(record)) {
                        cls->setCustomFlag(flag);
                        records.classList.push_back(std::move(cls));
                    }
                } else if (record->whoAreYou() == kCategoryDataKind) {
                    if (auto category = std::dynamic_pointer_cast<CategoryData>(record))
                        records.categoryList.push_back(std::move(category));
                }
                break;
            }
        }
    }
    // Enums, wherever in the header they were found, name where they come from.
    for (std::size_t i = enumsBefore; i < records.enumList.size(); ++i) label(*records.enumList[i]);
    notesPass.attach(macro, fwName, hedderName);
}

void HeaderAnalyser::analyseStruct(TextBuffer& buffer, CMacroEngin* macro, std::string_view opener) {
    if (auto record = StructEngin(&buffer, macro, &records.typedefList, this).doStdAnalyse(std::string(opener)))
        records.structList.push_back(record);
}

void HeaderAnalyser::analyseTypeDef(TextBuffer& buffer, CMacroEngin* macro) {
    TypeDefEngin engin(&buffer, macro, &records.typedefList, enumSources());
    std::shared_ptr<TreeData> record = engin.doAnalyse("typedef");
    takeHandedBack(engin);
    if (auto structData = std::dynamic_pointer_cast<StructData>(record))
        records.structList.push_back(structData);
    else if (auto enumData = std::dynamic_pointer_cast<EnumData>(record))
        records.enumList.push_back(enumData);
}

template <typename Engin>
FunctionRecords HeaderAnalyser::readFunctions(TextBuffer& buffer, CMacroEngin* macro, std::int32_t kind,
                                              const std::string& first) {
    Engin engin(&buffer, macro, this, [this](std::string_view word, TextBuffer& b) { return endsDeclaration(word, b); });
    FunctionRecords found;
    if constexpr (std::is_same_v<Engin, ExternEngin>)
        found = functionFiler.make(engin.readExtern(), kind);
    else if (kind == kExternKind)  // no keyword opened it
        found = functionFiler.makePlain(engin.readDeclaration(first));
    else
        found = functionFiler.make(engin.readDeclaration(), kind);
    takeHandedBack(engin);
    return found;
}

EnumMacroForms* HeaderAnalyser::enumMacroForms() { return enumForms ? &*enumForms : nullptr; }

EnumSources HeaderAnalyser::enumSources() { return {enumMacroForms(), this}; }

bool HeaderAnalyser::analyseEnum(TextBuffer& buffer, CMacroEngin* macro) {
    EnumEngin engin(&buffer, macro, &records.typedefList, enumSources());
    if (!engin.definitionFollows()) return false;
    if (auto record = engin.readPlain()) records.enumList.push_back(std::move(record));
    return true;
}

bool HeaderAnalyser::analyseEnumMacro(TextBuffer& buffer, CMacroEngin* macro, const std::string& word) {
    std::optional<std::shared_ptr<EnumData>> read =
        EnumEngin(&buffer, macro, &records.typedefList, enumSources()).readMacroForm(word, false);
    if (!read) return false;
    if (*read) records.enumList.push_back(std::move(*read));
    return true;
}

FunctionRecords HeaderAnalyser::analyseExtern(TextBuffer& buffer, CMacroEngin* macro) {
    return readFunctions<ExternEngin>(buffer, macro, kExternKind);
}

FunctionRecords HeaderAnalyser::analyseCG_INLINE(TextBuffer& buffer, CMacroEngin* macro) {
    return readFunctions<InlineEngin>(buffer, macro, kCGInlineKind);
}

FunctionRecords HeaderAnalyser::analyseCG_EXTERN(TextBuffer& buffer, CMacroEngin* macro) {
    return readFunctions<CG_EXTERNEngin>(buffer, macro, kCGExternKind);
}

FunctionRecords HeaderAnalyser::analyseAPPKIT_EXTERN(TextBuffer& buffer, CMacroEngin* macro) {
    return readFunctions<AppkitExternEngin>(buffer, macro, kAppkitExternKind);
}

FunctionRecords HeaderAnalyser::analyseFOUNDATION_STATIC_INLINE(TextBuffer& buffer, CMacroEngin* macro) {
    return readFunctions<StaticInlineEngin>(buffer, macro, kFoundationStaticInlineKind);
}

FunctionRecords HeaderAnalyser::analyseFOUNDATION_EXPORT(TextBuffer& buffer, CMacroEngin* macro) {
    return readFunctions<DeclarationEngin>(buffer, macro, kFoundationExportKind);
}

FunctionRecords HeaderAnalyser::analyseDeclaration(TextBuffer& buffer, CMacroEngin* macro, const std::string& first) {
    return readFunctions<DeclarationEngin>(buffer, macro, kExternKind, first);
}

}  // namespace kestrel
