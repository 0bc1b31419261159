#include "core/parse/InlineEngin.h"

#include "core/parse/FunctionText.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

std::optional<std::string> InlineEngin::doAnalyse() {
    std::string text;
    int status = kWord;
    bool ended = false;
    while (!ended) {
        auto command = textBuffer->getCommandWithStatusandSpace(status);
        if (!command) return std::nullopt;  // cut off in the head
        switch (status) {
        case kCR:
        case kLF:
            text += ' ';
            break;
        case kSemicolon:
            ended = true;
            break;
        case kOpenBrace:
            dummyRead();
            ended = true;
            break;
        default:
            text += *command;
            break;
        }
    }
    FunctionText::trim(text);
    find("__", " ", text);
    FunctionText::singleSpaces(text);
    return text;
}

void InlineEngin::dummyRead() {
    int depth = 1;
    int status = kWord;
    while (depth > 0) {
        auto command = textBuffer->getCommandWithStatus(status);
        if (!command) return;
        switch (status) {
        case kOpenBrace:
            ++depth;
            break;
        case kCloseBrace:
            --depth;
            break;
        case kBlockOpen:
            skipComment(*command);
            break;
        case kLineComment:
            // Its words are no code: a brace in "// }" must not end the body early.
            textBuffer->deleteLineBuffer();
            break;
        default:
            break;
        }
    }
    textBuffer->deleteLineBuffer();
}

}  // namespace kestrel
