#include "core/parse/DeclarationLine.h"

#include "core/parse/ClassNameMacro.h"
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

// The first character of the unread text after blanks (and line ends too, with overLines), or
// 0 when there is none.
char nextChar(TextBuffer& buffer, bool overLines) {
    std::string_view rest = buffer.unreadText();
    std::size_t at = rest.find_first_not_of(overLines ? " \t\r\n" : " \t");
    return at == std::string_view::npos ? '\0' : rest[at];
}

// NAME(first, ...) where NAME, just read, is a class name macro of the header (see
// ClassNameMacro): reads the arguments up to their ")", over as many lines as they take, and
// answers the first word of the first argument (NAME itself when that argument is empty).
// None, with nothing read, when no "(" follows on the line or NAME is no such macro.
std::optional<std::string> readMacroName(TextBuffer& buffer, CMacroEngin* macro, const std::string& name) {
    if (nextChar(buffer, false) != '(' || !ClassNameMacro::isClassNameMacro(macro, name)) return std::nullopt;
    int status = kWord;
    buffer.getCommandWithStatus(status);  // the "("
    std::optional<std::string> first;
    bool inFirst = true;
    int depth = 1;
    while (auto command = buffer.getCommandWithStatus(status)) {
        if (status == kOpenParen) {
            ++depth;
        } else if (status == kCloseParen) {
            if (--depth == 0) break;
        } else if (status == kComma && depth == 1) {
            inFirst = false;
        } else if (status == kWord && inFirst && depth == 1 && !first) {
            first = *command;
        } else if (status == kLineComment) {
            buffer.deleteLineBuffer();
        } else if (status == kBlockOpen) {
            MultiComment(&buffer, macro).doAnalyse(*command);
        }
    }
    return first.value_or(name);
}

}  // namespace

DeclarationLine DeclarationLine::read(TextBuffer& buffer, CMacroEngin* macro, bool classNameMacros) {
    DeclarationLine line;
    int status = kWord;
    auto name = buffer.getCommandWithStatus(status);
    if (!name || name->empty()) return line;  // the text ended: no declaration
    line.name = *name;
    // Written through a macro, a declaration may run on over the next lines, as clang reads it:
    //   @interface GS_GENERIC_CLASS(NSMapTable, KeyT, ValT)
    //     : NSObject <NSCopying>
    bool spread = false;
    auto macroName = [&](std::optional<std::string>& target) {
        if (!classNameMacros) return;
        if (std::optional<std::string> real = readMacroName(buffer, macro, *target)) {
            target = std::move(real);
            spread = true;
        } else if (std::optional<std::string> alias = ClassNameMacro::aliasOf(macro, *target)) {
            target = std::move(alias);  // #define NXConstantString NSConstantString
        }
    };
    macroName(line.name);

    while (auto command = buffer.getCommandWithStatus(status)) {
        switch (status) {
        case kColon:
            if (spread && (nextChar(buffer, false) == '\r' || nextChar(buffer, false) == '\n'))
                buffer.deleteLineBuffer();  // "GS_GENERIC_CLASS(NSMutableSet, T) :" ends its line
            if (auto super = buffer.getCommandWithStatus(status)) {
                line.superName = *super;
                macroName(line.superName);
            }
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
        case kCR:
        case kLF:
            if (spread) {
                char next = nextChar(buffer, true);
                if (next == ':' || next == '<') break;  // the declaration goes on
            }
            return line;
        case kGreater:
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
