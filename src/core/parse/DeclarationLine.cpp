#include "core/parse/DeclarationLine.h"

#include <utility>

#include "core/parse/ClassNameMacro.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/MultiComment.h"
#include "core/parse/StringLiteral.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

namespace {

// An angle-bracket list read after its "<", up to the ">" that closes it: the words at its
// first level, and whether it can only be a list of type parameters: "ResultType : id<P>"
// (a bound, a nested list), "__covariant ObjectType" (a variance).
struct AngleList {
    std::vector<std::string> words;
    bool typeParameters = false;
};

AngleList readAngleList(TextBuffer& buffer, CMacroEngin* macro) {
    AngleList list;
    int depth = 1;
    int status = kWord;
    while (auto command = buffer.getCommandWithStatus(status)) {
        switch (status) {
        case kLess:
            ++depth;
            list.typeParameters = true;
            break;
        case kGreater:
            if (--depth == 0) return list;
            break;
        case kColon:
            list.typeParameters = true;
            break;
        case kWord:
            if (*command == "__covariant" || *command == "__contravariant") list.typeParameters = true;
            else if (depth == 1) list.words.push_back(*command);
            break;
        case kLineComment:
            buffer.deleteLineBuffer();  // a comment's words are not protocol names
            break;
        case kBlockOpen:
            MultiComment(&buffer, macro).doAnalyse(*command);
            break;
        default:
            break;
        }
    }
    return list;
}

// An attribute's arguments after their "(", up to the ")" that closes them, strings whole.
void skipArguments(TextBuffer& buffer, CMacroEngin* macro) {
    int depth = 1;
    int status = kWord;
    while (auto command = buffer.getCommandWithStatus(status)) {
        if (status == kOpenParen) {
            ++depth;
        } else if (status == kCloseParen) {
            if (--depth == 0) return;
        } else if (status == kQuote) {
            StringLiteral::skipRest(buffer);
        } else if (status == kBlockOpen) {
            MultiComment(&buffer, macro).doAnalyse(*command);
        } else if (status == kLineComment || (status == kHash && !macro)) {
            buffer.deleteLineBuffer();
        } else if (status == kHash) {
            macro->doCalc();
        }
    }
}

// The name in "(Name)" after its "(": the first command after any block comment, or "" when
// the parentheses are empty (a class extension), their ")" read then.
std::optional<std::string> readCategoryName(TextBuffer& buffer, CMacroEngin* macro) {
    int status = kWord;
    while (auto command = buffer.getCommandWithStatus(status)) {
        if (status == kBlockOpen) {
            MultiComment(&buffer, macro).doAnalyse(*command);
            continue;
        }
        if (status == kCloseParen) return std::string();
        return command;
    }
    return std::nullopt;
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

DeclarationLine DeclarationLine::read(TextBuffer& buffer, CMacroEngin* macro, bool interfaceLine) {
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
        if (!interfaceLine) return;
        if (std::optional<std::string> real = readMacroName(buffer, macro, *target)) {
            target = std::move(real);
            spread = true;
        } else if (std::optional<std::string> alias = ClassNameMacro::aliasOf(macro, *target)) {
            target = std::move(alias);  // #define NXConstantString NSConstantString
        }
    };
    macroName(line.name);

    // Right after the class name (and its type parameters, and comments) "(" opens a category
    // name; anywhere else on the line it opens an attribute's arguments:
    //   @interface Foo : NSObject API_AVAILABLE(macos(10.15))
    bool afterName = true;
    while (auto command = buffer.getCommandWithStatus(status)) {
        const bool rightAfterName =
            status == kLineComment || status == kBlockOpen ? afterName : std::exchange(afterName, false);
        switch (status) {
        case kColon:
            if (spread && (nextChar(buffer, false) == '\r' || nextChar(buffer, false) == '\n'))
                buffer.deleteLineBuffer();  // "GS_GENERIC_CLASS(NSMutableSet, T) :" ends its line
            if (auto super = buffer.getCommandWithStatus(status)) {
                line.superName = *super;
                macroName(line.superName);
            }
            break;
        case kLess: {
            AngleList list = readAngleList(buffer, macro);
            const bool typeParameters =
                interfaceLine && rightAfterName &&
                (list.typeParameters || nextChar(buffer, false) == ':' || nextChar(buffer, false) == '(');
            if (!typeParameters) line.protocolList = std::move(list.words);
            afterName = typeParameters;
            break;
        }
        case kOpenParen:
            if (rightAfterName && !line.categoryName) line.categoryName = readCategoryName(buffer, macro);
            else skipArguments(buffer, macro);
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
        case kWord:
            // "Player : Node PLAYER_CONFORMANCE" with #define PLAYER_CONFORMANCE <Mixing>
            if (interfaceLine && line.superName && !line.protocolList)
                line.protocolList = ClassNameMacro::protocolListOf(macro, *command);
            break;
        default:
            break;
        }
    }
    return line;
}

}  // namespace kestrel
