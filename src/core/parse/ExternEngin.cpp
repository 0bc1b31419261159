#include "core/parse/ExternEngin.h"

#include "core/parse/CMacroEngin.h"
#include "core/parse/FunctionText.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

ExternEngin::ExternEngin(TextBuffer* buffer, CMacroEngin* macro)
    : TextEngin(buffer, macro), unRegistString("\"C\"") {}

std::optional<std::string> ExternEngin::doAnalyse() {
    std::string text;
    int status = kWord;
    bool ended = false;
    while (!ended) {
        auto command = textBuffer->getCommandWithStatusandSpace(status);
        if (!command) return std::nullopt;  // cut off
        switch (status) {
        case kSemicolon:
        case kCloseBrace:
            ended = true;
            break;
        case kHash:
            doDirective();
            break;
        case kOpenBrace:
            text += '{';
            ended = true;
            break;
        case kBlockOpen:
            skipComment(*command);
            break;
        case kCR:
        case kLF:
            text += ' ';
            break;
        default:  // a "//" and its words are text here, like any other
            if (!FunctionText::isAvailabilityMacro(*command)) text += *command;
            break;
        }
    }
    if (text.empty() || text.find(' ') == std::string::npos) return std::nullopt;
    FunctionText::tabsToSpace(text);
    FunctionText::trim(text);
    FunctionText::pointerRule(text);
    find(" (", "(", text);
    find("( ", "(", text);
    find(" )", ")", text);
    find(") ", ")", text);
    FunctionText::singleSpaces(text);
    if (text.find(unRegistString) != std::string::npos) return std::nullopt;
    return text;
}

}  // namespace kestrel
