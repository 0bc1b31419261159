#include "core/parse/ProtocolEngin.h"

#include "core/model/ProtocolData.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/DeclarationLine.h"
#include "core/parse/MethodAttributeFilter.h"
#include "core/parse/MethodStringMaker.h"
#include "core/parse/PropertyDeclaration.h"
#include "core/parse/StringLiteral.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

std::optional<std::string_view> ProtocolEngin::nextCommand(int& status) {
    if (!textBuffer) {
        status = kEnd;
        return std::nullopt;
    }
    return textBuffer->getCommandView(status);
}

std::shared_ptr<TreeData> ProtocolEngin::doAnalyse(const std::string&) {
    if (!textBuffer) return nullptr;
    std::optional<std::string_view> line = textBuffer->getLineStrings();
    if (!line) return nullptr;
    if (line->find(';') != std::string_view::npos) {  // @protocol NSFoo, NSBar;
        textBuffer->deleteLineBuffer();
        return nullptr;
    }
    bool flag = false;
    std::shared_ptr<ProtocolData> record = analyseDeclarationPart(flag);
    if (!record) {  // the block is passed over up to its "@end"
        int status = 0;
        for (auto command = nextCommand(status); command && *command != "@end"; command = nextCommand(status)) {
        }
        return nullptr;
    }
    record->addMethodList(analyseInstancePart(flag));
    return record;
}

std::shared_ptr<ProtocolData> ProtocolEngin::analyseDeclarationPart(bool& flag) {
    flag = false;
    protocolList.reset();
    DeclarationLine line = DeclarationLine::read(*textBuffer, macroEngin);
    flag = line.braceFollows;
    // "@protocol Foo (Bar)" and "@protocol(Foo)" name no protocol.
    if (!line.name || line.categoryName || *line.name == "(") return nullptr;
    protocolList = std::move(line.protocolList);
    auto record = std::make_shared<ProtocolData>(line.name, line.superName);
    if (protocolList) record->setProtocolNames(protocolList);
    return record;
}

std::vector<std::string> ProtocolEngin::analyseInstancePart(bool flag) {
    if (flag) analyseInstanceValuePart();
    MethodStringMaker maker;
    MethodAttributeFilter attributes(keywords, textBuffer);
    int status = 0;
    while (auto command = nextCommand(status)) {
        if (attributes.drops(status, *command, maker.inDeclaration())) continue;
        switch (status) {
            case kHash:
                doDirective();
                break;
            case kOpenBrace:
                analyseInstanceValuePart();
                break;
            case kLineComment:
                textBuffer->deleteLineBuffer();
                break;
            case kBlockOpen:
                skipComment(std::string(*command));
                break;
            case kQuote:
                StringLiteral::skipRest(*textBuffer);
                break;
            case kCR:
            case kLF:
                break;
            default:
                // Inside a method declaration these words are part of a type: (const struct Foo*)x.
                if (!maker.inDeclaration() && declarations.read(*command, status == kWord && !maker.hasUnfinished()))
                    break;
                if (*command == "@end") {
                    return maker.getMethodList();  // an unfinished declaration is dropped
                } else if (*command == "@property") {
                    PropertyDeclaration property = PropertyDeclaration::read(*textBuffer, macroEngin, keywords);
                    for (std::string& accessor : property.accessors) maker.addMethod(std::move(accessor));
                    if (property.blockEnded) return maker.getMethodList();
                } else {
                    maker.addCommand(status, *command);
                }
        }
    }
    return maker.getMethodList();
}

void ProtocolEngin::analyseInstanceValuePart() {
    int status = 0;
    while (auto command = nextCommand(status)) {
        if (status == kCloseBrace) return;
        if (status == kLineComment)
            textBuffer->deleteLineBuffer();
        else if (status == kWord && *command == "struct")
            makeStruct();
    }
}

}  // namespace kestrel
