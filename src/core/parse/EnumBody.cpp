#include "core/parse/EnumBody.h"

#include <string_view>

#include "core/parse/TextBuffer.h"

namespace kestrel {

namespace {

// Whether a character constant is open after text, given whether one was open before it.
bool characterOpenAfter(std::string_view text, bool open) {
    bool escaped = false;
    for (char c : text) {
        if (open && escaped) {
            escaped = false;
        } else if (open && c == '\\') {
            escaped = true;
        } else if (c == '\'') {
            open = !open;
        }
    }
    return open;
}

}  // namespace

std::optional<std::vector<EnumConstant>> EnumBody::read() {
    if (!textBuffer) return std::nullopt;
    std::vector<EnumConstant> constants;
    std::string entry;
    int depth = 0;
    bool inCharacter = false;  // inside 'abcd': delimiters are text there
    auto finishEntry = [&] {
        if (auto constant = EnumConstant::fromText(entry)) constants.push_back(std::move(*constant));
        entry.clear();
    };
    int status = 0;
    while (auto command = textBuffer->getCommandViewAndSpace(status)) {
        if (inCharacter && status != kCR && status != kLF) {
            entry += *command;
            inCharacter = characterOpenAfter(*command, true);
            continue;
        }
        inCharacter = false;  // a line end closes a constant left open
        switch (status) {
            case kSpace:
            case kTab:
                // A run of blanks reads as one: the constant's text keeps single blanks.
                textBuffer->skipBlanks();
                entry += ' ';
                break;
            case kCR:
            case kLF:
                entry += ' ';
                break;
            case kLineComment:
                textBuffer->deleteLineBuffer();
                entry += ' ';
                break;
            case kBlockOpen:
                skipComment(std::string(*command));
                entry += ' ';
                break;
            case kHash:
                doDirective();
                entry += ' ';
                break;
            case kComma:
                if (depth == 0) {
                    finishEntry();
                } else {
                    entry += *command;
                }
                break;
            case kCloseBrace:
                if (depth == 0) {
                    finishEntry();
                    return constants;
                }
                --depth;
                entry += *command;
                break;
            case kOpenBrace:
            case kOpenParen:
                ++depth;
                entry += *command;
                break;
            case kCloseParen:
                if (depth > 0) --depth;
                entry += *command;
                break;
            default:
                entry += *command;
                inCharacter = characterOpenAfter(*command, false);
        }
    }
    return std::nullopt;
}

}  // namespace kestrel
