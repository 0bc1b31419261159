#include "core/parse/ClassEngin.h"

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/RecordLists.h"
#include "core/model/StructData.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/DeclarationLine.h"
#include "core/parse/EnumEngin.h"
#include "core/parse/ExternEngin.h"
#include "core/parse/FunctionRecord.h"
#include "core/parse/MacroKeywordSource.h"
#include "core/parse/MethodAttributeFilter.h"
#include "core/parse/MethodStringMaker.h"
#include "core/parse/PropertyDeclaration.h"
#include "core/parse/StringLiteral.h"
#include "core/parse/StructEngin.h"
#include "core/parse/TextBuffer.h"
#include "core/parse/TypeDefEngin.h"

namespace kestrel {

ClassEngin::ClassEngin(TextBuffer* buffer, CMacroEngin* macro, RecordLists* records, MacroKeywordSource* keywords)
    : TextEngin(buffer, macro), records(records), keywords(keywords) {}

std::shared_ptr<TreeData> ClassEngin::doAnalyse(const std::string&) {
    bool flag = false;
    std::shared_ptr<HasMethodsData> record = analyseDeclarationPart(flag);
    if (!record) return nullptr;
    record->addMethodList(analyseInstancePart(flag));
    return record;
}

std::shared_ptr<HasMethodsData> ClassEngin::analyseDeclarationPart(bool& flag) {
    flag = false;
    protocolList.reset();
    DeclarationLine line = DeclarationLine::read(*textBuffer, macroEngin, true);
    if (!line.name) return nullptr;
    flag = line.braceFollows;
    protocolList = std::move(line.protocolList);

    std::shared_ptr<HasMethodsData> record;
    if (line.categoryName)
        record = std::make_shared<CategoryData>(line.categoryName, line.name);
    else
        record = std::make_shared<ClassData>(line.name, line.superName);
    if (protocolList) record->setProtocolNames(protocolList);
    return record;
}

std::optional<std::vector<std::string>> ClassEngin::analyseInstancePart(bool flag) {
    if (flag) analyseInstanceValuePart();

    MethodStringMaker maker;
    MethodAttributeFilter attributes(keywords, textBuffer);
    int status = kWord;
    while (auto command = textBuffer->getCommandWithStatus(status)) {
        if (attributes.drops(status, *command, maker.inDeclaration())) continue;
        switch (status) {
        case kHash:
            doDirective();
            continue;
        case kOpenBrace:
            analyseInstanceValuePart();
            continue;
        case kLineComment:
            textBuffer->deleteLineBuffer();
            continue;
        case kBlockOpen:
            skipComment(*command);
            continue;
        case kQuote:  // a macro's message between declarations: NS_SWIFT_UNAVAILABLE("...")
            StringLiteral::skipRest(*textBuffer);
            continue;
        case kCR:
        case kLF:
            continue;
        case kColon:
        case kSemicolon:
        case kCloseParen:
            maker.addCommand(status, *command);
            continue;
        default:
            break;
        }
        // Inside a method declaration these words are part of a type: (const struct Foo*)x.
        if (maker.inDeclaration() && *command != "@end" && *command != "@property") {
            maker.addCommand(status, *command);
            continue;
        }
        // Only a word that starts a declaration can stand for "extern" and the like.
        const std::string word = status == kWord && !maker.hasUnfinished() ? blockWord(*command) : *command;
        if (word == "extern") {
            fileExtern();
        } else if (*command == "enum") {
            fileEnum();
        } else if (word == "struct" || *command == "union") {
            fileStruct(word);
        } else if (word == "typedef") {
            analyseTypeDefPart();
        } else if (*command == "@end") {
            break;
        } else if (*command == "@property") {
            if (addProperty(maker)) break;
        } else {
            maker.addCommand(status, *command);
        }
    }
    // A declaration not ended by ";" before "@end" (or the end of the text) is dropped.
    if (maker.getMethodList().empty()) return std::nullopt;
    return maker.getMethodList();
}

void ClassEngin::analyseInstanceValuePart() {
    int depth = 1;
    int status = kWord;
    while (depth > 0) {
        auto command = textBuffer->getCommandWithStatus(status);
        if (!command) return;
        switch (status) {
        case kHash:
            doDirective();
            break;
        case kOpenBrace:
            ++depth;
            break;
        case kCloseBrace:
            --depth;
            break;
        case kLineComment:
            textBuffer->deleteLineBuffer();
            break;
        case kBlockOpen:
            skipComment(*command);
            break;
        default:
            // Instance variables, @private and the like pass; the types they define are the file's.
            if (*command == "enum") fileEnum();
            if (*command == "struct" || *command == "union") fileStruct(*command);
            break;
        }
    }
}

void ClassEngin::analyseTypeDefPart() {
    // A typedef is file-level C even inside the block: its names and records are the file's
    // (an enum's typedef too: TypeDefEngin hands it to EnumEngin).
    TypedefList* typedefs = records ? &records->typedefList : nullptr;
    std::shared_ptr<TreeData> record = TypeDefEngin(textBuffer, macroEngin, typedefs, enumSources()).doAnalyse("typedef");
    if (!records) return;
    if (auto structData = std::dynamic_pointer_cast<StructData>(record))
        records->structList.push_back(std::move(structData));
    else if (auto enumData = std::dynamic_pointer_cast<EnumData>(record))
        records->enumList.push_back(std::move(enumData));
}

std::string ClassEngin::blockWord(const std::string& word) const {
    if (!keywords || word == "extern" || word == "struct" || word == "typedef") return word;
    std::optional<std::string> keyword = keywords->macroKeywordFor(word);
    if (keyword && (*keyword == "extern" || *keyword == "struct" || *keyword == "typedef")) return *keyword;
    return word;
}

bool ClassEngin::addProperty(MethodStringMaker& maker) {
    PropertyDeclaration property = PropertyDeclaration::read(*textBuffer, macroEngin, keywords);
    for (std::string& accessor : property.accessors) maker.addMethod(std::move(accessor));
    return property.blockEnded;
}

void ClassEngin::fileEnum() {
    TypedefList* typedefs = records ? &records->typedefList : nullptr;
    auto record = EnumEngin(textBuffer, macroEngin, typedefs, enumSources()).readPlain();
    if (record && records) records->enumList.push_back(std::move(record));
}

EnumSources ClassEngin::enumSources() const { return {keywords ? keywords->enumMacroForms() : nullptr, keywords}; }

void ClassEngin::fileStruct(const std::string& keyword) {
    // "struct _rFlagsType { ... } _rFlags;": the type is the file's, a variable the class's.
    TypedefList* typedefs = records ? &records->typedefList : nullptr;
    auto record = StructEngin(textBuffer, macroEngin, typedefs, keywords).doStdAnalyse(keyword);
    if (record && records) records->structList.push_back(std::move(record));
}

void ClassEngin::fileExtern() {
    // Read without lists too, so that the declaration is no method text.
    std::vector<std::string> texts = ExternEngin(textBuffer, macroEngin, keywords).analyseAll();
    if (!records) return;
    for (std::string& text : texts)
        records->functions.push_back(FunctionRecord::make(*records, kExternKind, std::move(text)));
}

}  // namespace kestrel
