#include "core/parse/ClassEngin.h"

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/DeclarationLine.h"
#include "core/parse/MethodAttributeFilter.h"
#include "core/parse/MethodStringMaker.h"
#include "core/parse/PropertyDeclaration.h"
#include "core/parse/StringLiteral.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

ClassEngin::ClassEngin(TextBuffer* buffer, CMacroEngin* macro, RecordLists* records, MacroKeywordSource* keywords)
    : TextEngin(buffer, macro), keywords(keywords), declarations(buffer, macro, records, keywords) {}

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
    while (auto command = textBuffer->getCommandView(status)) {
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
            skipComment(std::string(*command));
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
        if (declarations.read(*command, status == kWord && !maker.hasUnfinished())) continue;
        if (*command == "@end") {
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
        auto command = textBuffer->getCommandView(status);
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
            skipComment(std::string(*command));
            break;
        default:
            // Instance variables, @private and the like pass; the types they define are the file's.
            if (*command == "enum") declarations.readEnum();
            if (*command == "struct" || *command == "union") declarations.readStruct(*command);
            break;
        }
    }
}

void ClassEngin::analyseTypeDefPart() { declarations.readTypeDef(); }

bool ClassEngin::addProperty(MethodStringMaker& maker) {
    PropertyDeclaration property = PropertyDeclaration::read(*textBuffer, macroEngin, keywords);
    for (std::string& accessor : property.accessors) maker.addMethod(std::move(accessor));
    return property.blockEnded;
}

}  // namespace kestrel
