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
#include "core/parse/CG_EXTERNEngin.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/ClassEngin.h"
#include "core/parse/EnumEngin.h"
#include "core/parse/ExternEngin.h"
#include "core/parse/FunctionRecord.h"
#include "core/parse/FunctionText.h"
#include "core/parse/InlineEngin.h"
#include "core/parse/LookAhead.h"
#include "core/parse/MacroDefinition.h"
#include "core/parse/MultiComment.h"
#include "core/parse/ProtocolEngin.h"
#include "core/parse/StaticInline.h"
#include "core/parse/StaticInlineEngin.h"
#include "core/parse/StructEngin.h"
#include "core/parse/TextBuffer.h"
#include "core/parse/TypeDefEngin.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace {

enum class Keyword {
    Type, Struct, Enum, Extern, TypeDef, Protocol, CG_INLINE, CG_EXTERN, Interface, APPKIT_EXTERN,
    FOUNDATION_EXPORT, FOUNDATION_STATIC_INLINE
};

struct KeywordEntry {
    std::string_view word;
    Keyword action;
};
// A keyword is recognised wherever it stands, but only as a whole command and in this case:
// "structure" or "Struct" is no keyword.
constexpr std::array<KeywordEntry, 12> kKeywords{{
    {"type", Keyword::Type},
    {"enum", Keyword::Enum},
    {"struct", Keyword::Struct},
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

}  // namespace

HeaderAnalyser::HeaderAnalyser(RecordLists& records) : records(records) {}

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

void HeaderAnalyser::doAnalyseHedderFile(TextBuffer& buffer, const std::string& hedderName,
                                         const std::string& fwName, bool flag) {
    anaInfo = {fwName, hedderName};
    // One evaluator and one of each analyser per header, all reading this one buffer.
    CMacroEngin macro(&buffer, hedderName);
    definedNames.refresh(ProcessState::defineList());
    macro.setDefinedNames(&definedNames);
    macro.setHeaderPath(hedderPath);
    macroKeywords.emplace(macro.getCurrentData(), definedNames, &HeaderAnalyser::isKeyword);
    // The definitions read back hold as long as the define list does: a new build reads afresh.
    const DefineList& defines = ProcessState::defineList();
    const std::shared_ptr<DefineData> firstDefines = defines.empty() ? nullptr : defines.begin()->second;
    if (parsedFor.first != defines.size() || parsedFor.second.lock() != firstDefines) {
        parsedDefinitions.clear();
        notesMemory.clear();
        parsedFor = {defines.size(), firstDefines};
    }
    macroExpander.emplace(macro.getCurrentData(), definedNames, parsedDefinitions);
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
    ProtocolEngin protocolEngin(&buffer, &macro, this);

    auto label = [&](TreeData& record) {
        record.setFwName(fwName);
        record.setHedderName(hedderName);
    };
    auto fileFunction = [&](std::shared_ptr<FunctionMacrosData> record) {
        if (!record) return;
        label(*record);
        records.functions.push_back(std::move(record));
    };

    buffer.getLineStrings();
    int status = 0;
    for (auto command = buffer.getCommandWithStatus(status); command; command = buffer.getCommandWithStatus(status)) {
        if (status == kLineComment) {
            buffer.deleteLineBuffer();
            continue;
        }
        if (status == kBlockOpen) {
            comment.doAnalyse(*command);
            continue;
        }
        if (status == kHash) {
            macro.doCalc();
            continue;
        }
        const KeywordEntry* keyword = findKeyword(*command);
        if (!keyword && status == kWord) {
            // A keyword written out (static inline for CG_INLINE), or a macro for a keyword
            // (GS_EXPORT for extern), reads as that keyword.
            if (*command == "static") {
                if (StaticInline::readInline(buffer)) keyword = findKeyword("CG_INLINE");
            } else {
                // A macro for a keyword (GS_EXPORT for extern), else one that opens an enum,
                // with or without arguments (CF_ENUM(OSStatus) {...};).
                std::optional<std::string> standsFor = macroKeywords->keywordFor(*command);
                if ((!standsFor || *standsFor == "enum") && analyseEnumMacro(buffer, &macro, *command)) continue;
                if (standsFor) {
                    keyword = findKeyword(*standsFor);
                } else if (const MacroDefinition* written = macro.getScope().find(*command);
                           written && !written->isFunctionLike() && written->getBody().size() >= 2 &&
                           written->getBody()[0].text == "static" &&
                           StaticInline::isInlineWord(written->getBody()[1].text)) {
                    // A macro for "static inline" (GNUstep's GS_GEOM_SCOPE) reads as CG_INLINE.
                    keyword = findKeyword("CG_INLINE");
                }
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
                analyseStruct(buffer, &macro);
                break;
            case Keyword::Enum:
                analyseEnum(buffer, &macro);
                break;
            case Keyword::TypeDef:
                analyseTypeDef(buffer, &macro);
                break;
            case Keyword::Extern:
                fileFunction(analyseExtern(buffer, &macro));
                break;
            case Keyword::CG_INLINE:
                fileFunction(analyseCG_INLINE(buffer, &macro));
                break;
            case Keyword::CG_EXTERN:
                fileFunction(analyseCG_EXTERN(buffer, &macro));
                break;
            case Keyword::APPKIT_EXTERN:
                fileFunction(analyseAPPKIT_EXTERN(buffer, &macro));
                break;
            case Keyword::FOUNDATION_EXPORT:
                fileFunction(analyseFOUNDATION_EXPORT(buffer, &macro));
                break;
            case Keyword::FOUNDATION_STATIC_INLINE:
                fileFunction(analyseFOUNDATION_STATIC_INLINE(buffer, &macro));
                break;
            case Keyword::Protocol:
                // Protocols carry no framework or header name.
                if (auto protocol = std::dynamic_pointer_cast<ProtocolData>(protocolEngin.doAnalyse(*command)))
                    records.protocolList.push_back(std::move(protocol));
                break;
            case Keyword::Interface: {
                const std::size_t filed = records.functions.size();
                std::shared_ptr<TreeData> record = classEngin.doAnalyse(*command);
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

void HeaderAnalyser::analyseStruct(TextBuffer& buffer, CMacroEngin* macro) {
    if (auto record = StructEngin(&buffer, macro, &records.typedefList).doStdAnalyse("struct"))
        records.structList.push_back(record);
}

void HeaderAnalyser::analyseTypeDef(TextBuffer& buffer, CMacroEngin* macro) {
    std::shared_ptr<TreeData> record =
        TypeDefEngin(&buffer, macro, &records.typedefList, enumSources()).doAnalyse("typedef");
    if (auto structData = std::dynamic_pointer_cast<StructData>(record))
        records.structList.push_back(structData);
    else if (auto enumData = std::dynamic_pointer_cast<EnumData>(record))
        records.enumList.push_back(enumData);
}

EnumMacroForms* HeaderAnalyser::enumMacroForms() { return enumForms ? &*enumForms : nullptr; }

EnumSources HeaderAnalyser::enumSources() { return {enumMacroForms(), this}; }

void HeaderAnalyser::analyseEnum(TextBuffer& buffer, CMacroEngin* macro) {
    // A function returning an enum, or a variable of one, is left to the other analysers.
    if (auto record = EnumEngin(&buffer, macro, &records.typedefList, enumSources()).readPlain())
        records.enumList.push_back(std::move(record));
}

bool HeaderAnalyser::analyseEnumMacro(TextBuffer& buffer, CMacroEngin* macro, const std::string& word) {
    std::optional<std::shared_ptr<EnumData>> read =
        EnumEngin(&buffer, macro, &records.typedefList, enumSources()).readMacroForm(word, false);
    if (!read) return false;
    if (*read) records.enumList.push_back(std::move(*read));
    return true;
}

std::shared_ptr<FunctionMacrosData> HeaderAnalyser::analyseExtern(TextBuffer& buffer, CMacroEngin* macro) {
    return FunctionRecord::make(records, kExternKind, ExternEngin(&buffer, macro).doAnalyse());
}

std::shared_ptr<FunctionMacrosData> HeaderAnalyser::analyseCG_INLINE(TextBuffer& buffer, CMacroEngin* macro) {
    return FunctionRecord::make(records, kCGInlineKind, InlineEngin(&buffer, macro).doAnalyse());
}

std::shared_ptr<FunctionMacrosData> HeaderAnalyser::analyseCG_EXTERN(TextBuffer& buffer, CMacroEngin* macro) {
    return FunctionRecord::make(records, kCGExternKind, CG_EXTERNEngin(&buffer, macro).doAnalyse());
}

std::shared_ptr<FunctionMacrosData> HeaderAnalyser::analyseAPPKIT_EXTERN(TextBuffer& buffer, CMacroEngin* macro) {
    return FunctionRecord::make(records, kAppkitExternKind, AppkitExternEngin(&buffer, macro).doAnalyse());
}

std::shared_ptr<FunctionMacrosData> HeaderAnalyser::analyseFOUNDATION_STATIC_INLINE(TextBuffer& buffer,
                                                                                   CMacroEngin* macro) {
    return FunctionRecord::make(records, kFoundationStaticInlineKind, StaticInlineEngin(&buffer, macro).doAnalyse());
}

// Only one-line declarations are taken whole: the text after the keyword on its line is all
// that is read. Its record is made even when that text is empty; only the end of the text
// gives none.
std::shared_ptr<FunctionMacrosData> HeaderAnalyser::analyseFOUNDATION_EXPORT(TextBuffer& buffer, CMacroEngin*) {
    std::optional<std::string_view> line = buffer.getLineStrings();
    if (!line) return nullptr;
    std::string text(*line);
    buffer.deleteLineBuffer();
    TextBuffer::deleteTopSpace(text);
    TextBuffer::deleteCRLF(text);
    if (std::size_t semicolon = text.find(';'); semicolon != std::string::npos) text.erase(semicolon);
    FunctionText::trim(text);
    FunctionText::tabsToSpace(text);
    FunctionText::pointerRule(text);
    FunctionText::singleSpaces(text);
    return FunctionRecord::make(records, kFoundationExportKind, std::move(text));
}

}  // namespace kestrel
