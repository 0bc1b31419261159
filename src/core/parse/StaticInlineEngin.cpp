#include "core/parse/StaticInlineEngin.h"

#include "core/parse/FunctionText.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

std::optional<std::string> StaticInlineEngin::doAnalyse() {
    std::string text;
    int depth = 0;
    bool bodyOpened = false;
    int status = kWord;
    bool ended = false;
    while (!ended) {
        auto command = textBuffer->getCommandWithStatusandSpace(status);
        if (!command) {
            if (!bodyOpened) return std::nullopt;  // cut off in the head
            break;
        }
        switch (status) {
        case kOpenBrace:
            ++depth;
            bodyOpened = true;
            break;
        case kCloseBrace:
            ended = --depth == 0;
            break;
        default:  // line breaks and ";" included
            if (depth == 0) text += *command;
            break;
        }
    }
    if (text.empty() || text.find(' ') == std::string::npos) return std::nullopt;
    FunctionText::trim(text);
    FunctionText::tabsToSpace(text);
    FunctionText::pointerRule(text);
    FunctionText::singleSpaces(text);
    return text;
}

}  // namespace kestrel
