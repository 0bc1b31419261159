#include "core/parse/AppkitExternEngin.h"

#include "core/parse/CMacroEngin.h"
#include "core/parse/FunctionText.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

std::optional<std::string> AppkitExternEngin::doAnalyse() {
    std::string text;
    int depth = 0;
    int status = kWord;
    bool ended = false;
    while (!ended) {
        auto command = textBuffer->getCommandWithStatusandSpace(status);
        if (!command) return std::nullopt;  // cut off
        switch (status) {
        case kSemicolon:
            ended = true;
            break;
        case kHash:
            doDirective();
            break;
        case kOpenBrace:
            ++depth;
            text += '{';
            break;
        case kCloseBrace:
            ended = --depth == 0;
            break;
        case kCR:
        case kLF:
            text += ' ';
            break;
        default:  // comments included
            if (depth == 0) text += *command;
            break;
        }
    }
    if (text.empty() || text.find(' ') == std::string::npos) return std::nullopt;
    FunctionText::trim(text);
    FunctionText::tabsToSpace(text);
    FunctionText::pointerRule(text);
    FunctionText::singleSpaces(text);
    find(" (", "(", text);
    return text;
}

}  // namespace kestrel
