#include "core/parse/StructEngin.h"

#include <iostream>

#include "core/model/StructData.h"
#include "core/parse/CDeclaration.h"
#include "core/parse/DeclarationAttributes.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

namespace {

bool isLineEnd(int status) { return status == kCR || status == kLF; }
bool endsWithLineEnd(const std::string& s) { return !s.empty() && (s.back() == '\r' || s.back() == '\n'); }

// "  _NSPoint  " -> "_NSPoint"
void tidyWords(std::string& s) {
    TextEngin::find("  ", " ", s);
    TextEngin::deleteTopSpace(s);
    TextEngin::deleteLastSpace(s);
}

}  // namespace

StructEngin::StructEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* list, MacroKeywordSource* keywords)
    : TextEngin(buffer, macro), typedefList(list), keywords(keywords) {}

std::optional<std::string_view> StructEngin::nextCommand(int& status) {
    if (!textBuffer) {
        status = kEnd;
        return std::nullopt;
    }
    return textBuffer->getCommandView(status);
}

bool StructEngin::makeTagAndStruct(std::string& tag, std::string& structString, std::string& tagB) {
    bool afterBody = false;
    bool complete = false;
    int status = 0;
    while (auto command = nextCommand(status)) {
        if (status == kSemicolon) {
            complete = true;
            break;
        }
        if (status == kOpenBrace && !afterBody) {
            structString += "{\n";
            std::optional<std::string> body = analyseStructPart();
            if (!body) break;  // the text ended inside the body
            structString += *body;
            afterBody = true;
        } else if (status == kLineComment) {
            textBuffer->deleteLineBuffer();
        } else if (status == kBlockOpen) {
            skipComment(std::string(*command));  // "evsioKeymapping /* old name */ {": no part of the name
        } else if (status == kHash) {
            doDirective();
        } else if (!isLineEnd(status)) {
            std::string& words = afterBody ? tagB : tag;
            words += ' ';
            words += *command;
        }
    }
    tidyWords(tag);
    tidyWords(tagB);
    return complete;
}

std::optional<std::string> StructEngin::analyseStructPart() {
    std::string body;
    int depth = 0;
    int previous = kWord;
    int status = 0;
    while (auto command = nextCommand(status)) {
        switch (status) {
            case kSemicolon:
            case kCloseParen:
                body += *command;
                break;
            case kOpenBrace:
                body += '{';
                ++depth;
                break;
            case kCloseBrace:
                if (body.empty() || body.back() != '\n') body += '\n';
                body += '}';
                if (depth == 0) return body;
                --depth;
                break;
            case kLineComment:
                textBuffer->deleteLineBuffer();
                break;
            case kBlockOpen:
                skipComment(std::string(*command));
                break;
            case kCR:
            case kLF:
                // No empty lines and no leading line break.
                if (!isLineEnd(previous) && !body.empty() && !endsWithLineEnd(body)) body += *command;
                break;
            default:
                if (previous == kOpenParen) {
                } else if (isLineEnd(previous)) {
                    body += "    ";  // the start of a row
                } else if (*command != "*") {
                    body += ' ';
                }
                body += *command;
        }
        previous = status;
    }
    return std::nullopt;
}

std::shared_ptr<StructEnumData> StructEngin::newRecord() const { return std::make_shared<StructData>(); }

void StructEngin::addTypedef(TypedefList* list, const std::string& name, const std::string& type) {
    if (!list) {
        std::cerr << "typedefList is nil" << std::endl;
        return;
    }
    (*list)[name] = type;
}

std::string StructEngin::addTypedefs(const std::string& base, const std::string& declarators) {
    CDeclaration declaration = CDeclaration::read(base + " " + declarators, keywords);
    for (const DeclaredName& declared : declaration.names) addTypedef(typedefList, declared.name, declared.type);
    return declaration.names.empty() ? std::string() : declaration.names.front().name;
}

std::shared_ptr<StructData> StructEngin::doStdAnalyse(const std::string&) {
    std::string tag, body, tagB;
    if (!makeTagAndStruct(tag, body, tagB) || body.empty()) return nullptr;
    std::string name = DeclarationAttributes::tagName(tag, keywords);
    if (name.empty()) return nullptr;
    auto record = std::make_shared<StructData>();
    record->setName(name);
    record->setStructIndex(body);
    return record;
}

std::shared_ptr<TreeData> StructEngin::doAnalyse(const std::string& opener) {
    std::string tag, body, tagB;
    if (!makeTagAndStruct(tag, body, tagB)) return nullptr;
    const std::string keyword = opener == "union" ? opener : "struct";
    // No body: a second name for the type, or a pointer to it ("struct _NSZone *NSZonePtr").
    if (body.empty()) {
        addTypedefs(qualifiers + keyword, tag);
        return nullptr;
    }
    // An untagged struct is known by its first typedef name, as the compiler calls it.
    std::string name = DeclarationAttributes::tagName(tag, keywords);
    if (name.empty()) {
        CDeclaration names = CDeclaration::read("int " + tagB, keywords);
        if (names.names.empty()) return nullptr;
        name = names.names.front().name;
    }
    addTypedefs(qualifiers + keyword + " " + name, tagB);
    std::shared_ptr<StructEnumData> record = newRecord();
    record->setName(name);
    record->setStructIndex(body);
    return record;
}

}  // namespace kestrel
