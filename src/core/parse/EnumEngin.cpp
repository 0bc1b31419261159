#include "core/parse/EnumEngin.h"

#include "core/model/EnumData.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

std::optional<std::string> EnumEngin::analyseStructPart() {
    std::string body = "   ";  // with the first word's space, the row's four
    int depth = 0;
    int previous = kWord;
    int status = 0;
    while (auto command = nextCommand(status)) {
        switch (status) {
            // Line breaks and comments are not tokens here: they leave previous alone.
            case kCR:
            case kLF:
                continue;
            case kLineComment:
                textBuffer->deleteLineBuffer();
                continue;
            case kBlockOpen:
                skipComment(*command);
                continue;
            case kComma:
            case kSemicolon:
            case kCloseParen:
                body += *command;
                break;
            case kHash:
                doDirective();
                break;
            case kOpenBrace:
                body += '{';
                ++depth;
                break;
            case kCloseBrace:
                if (body.back() != '\n') body += '\n';
                body += '}';
                if (depth == 0) return body;
                --depth;
                break;
            default:
                if (previous != kOpenParen && *command != "*") body += ' ';
                body += *command;
        }
        previous = status;
    }
    return std::nullopt;
}

std::shared_ptr<StructEnumData> EnumEngin::newRecord() const { return std::make_shared<EnumData>(); }

}  // namespace kestrel
