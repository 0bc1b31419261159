#include "core/parse/DeclarationLine.h"

#include "core/parse/MultiComment.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

namespace {

// Reads "<P1, P2>" after its "<": every word up to and including ">" is a name.
std::vector<std::string> readProtocolList(TextBuffer& buffer, CMacroEngin* macro) {
    std::vector<std::string> names;
    int status = kWord;
    while (auto command = buffer.getCommandWithStatus(status)) {
        if (status == kGreater) break;
        if (status == kWord) {
            names.push_back(*command);
        } else if (status == kLineComment) {
            buffer.deleteLineBuffer();  // a comment's words are not protocol names
        } else if (status == kBlockOpen) {
            MultiComment(&buffer, macro).doAnalyse(*command);
        }
    }
    return names;
}

}  // namespace

DeclarationLine DeclarationLine::read(TextBuffer& buffer, CMacroEngin* macro) {
    DeclarationLine line;
    int status = kWord;
    auto name = buffer.getCommandWithStatus(status);
    if (!name || name->empty()) return line;  // the text ended: no declaration
    line.name = *name;

    while (auto command = buffer.getCommandWithStatus(status)) {
        switch (status) {
        case kColon:
            if (auto super = buffer.getCommandWithStatus(status)) line.superName = *super;
            break;
        case kLess:
            line.protocolList = readProtocolList(buffer, macro);
            break;
        case kOpenParen:
            if (!line.categoryName) {
                if (auto category = buffer.getCommandWithStatus(status)) line.categoryName = *category;
            }
            break;
        case kOpenBrace:
            line.braceFollows = true;
            return line;
        case kGreater:
        case kCR:
        case kLF:
            return line;
        case kLineComment:
            buffer.deleteLineBuffer();
            break;
        case kBlockOpen:
            // Skipped whole, so that a comment running onto the next lines does not leak its
            // words into the first method declaration.
            MultiComment(&buffer, macro).doAnalyse(*command);
            break;
        default:
            break;
        }
    }
    return line;
}

}  // namespace kestrel
