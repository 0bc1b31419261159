#include "core/parse/StructEngin.h"

#include <iostream>

#include "core/model/StructData.h"
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

StructEngin::StructEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* list)
    : TextEngin(buffer, macro), typedefList(list) {}

std::optional<std::string> StructEngin::nextCommand(int& status) {
    if (!textBuffer) {
        status = kEnd;
        return std::nullopt;
    }
    return textBuffer->getCommandWithStatus(status);
}

bool StructEngin::makeTagAndStruct(std::string& tag, std::string& structString, std::string& tagB) {
    bool afterBody = false;
    bool complete = false;
    // An attribute is no part of a name: "} gs_mutex_t __attribute__((aligned (8)));" names
    // gs_mutex_t, "struct __attribute__((packed)) Foo {" Foo.
    bool attribute = false;
    int attributeDepth = 0;
    int status = 0;
    while (auto command = nextCommand(status)) {
        if (status == kSemicolon) {
            complete = true;
            break;
        }
        if (attribute) {  // its "(" opens the arguments
            attribute = false;
            if (status == kOpenParen) {
                attributeDepth = 1;
                continue;
            }
        }
        if (attributeDepth > 0) {
            if (status == kOpenParen) ++attributeDepth;
            if (status == kCloseParen) --attributeDepth;
            continue;
        }
        if (status == kWord && (*command == "__attribute__" || *command == "__attribute")) {
            attribute = true;
            continue;
        }
        if (status == kOpenBrace) {
            structString += "{\n";
            std::optional<std::string> body = analyseStructPart();
            if (!body) break;  // the text ended inside the body
            structString += *body;
            afterBody = true;
        } else if (status == kLineComment) {
            textBuffer->deleteLineBuffer();
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
                skipComment(*command);
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

std::shared_ptr<StructData> StructEngin::doStdAnalyse(const std::string&) {
    std::string tag, body, tagB;
    if (!makeTagAndStruct(tag, body, tagB) || body.empty() || tag.empty()) return nullptr;
    auto record = std::make_shared<StructData>();
    record->setName(tag);
    record->setStructIndex(body);
    return record;
}

std::shared_ptr<TreeData> StructEngin::doAnalyse(const std::string&) {
    std::string tag, body, tagB;
    if (!makeTagAndStruct(tag, body, tagB)) return nullptr;
    if (!body.empty()) {
        std::shared_ptr<StructEnumData> record = newRecord();
        record->setName(tag.empty() ? tagB : tag);
        record->setStructIndex(body);
        if (!tag.empty() && !tagB.empty() && tag != tagB) addTypedef(typedefList, tagB, tag);
        return record;
    }
    // No body: a second name for a struct type, or a pointer to it.
    std::size_t space = tag.rfind(' ');
    if (space == std::string::npos) return nullptr;
    std::string type = tag.substr(0, space);
    std::string name = tag.substr(space + 1);
    if (name.front() == '*') {
        name.erase(0, 1);
        type += '*';
    }
    // A lone "*" names nothing.
    if (!name.empty() && name != type) addTypedef(typedefList, name, type);
    return nullptr;
}

}  // namespace kestrel
