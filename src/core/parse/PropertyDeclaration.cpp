#include "core/parse/PropertyDeclaration.h"

#include <cctype>
#include <cstddef>
#include <optional>

#include "core/parse/CMacroEngin.h"
#include "core/parse/MethodStringMaker.h"
#include "core/parse/MultiComment.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

namespace {

using Command = PropertyDeclaration::Command;
using Commands = std::vector<Command>;

struct Attributes {
    bool readonly = false;
    bool classProperty = false;
    std::optional<std::string> getter;
    std::optional<std::string> setter;  // without its colon
};

// The attribute list "(readonly, getter=isFoo)" at the front of commands, if any; answers the
// index of the first command after it. Each attribute is its commands joined, so that
// "setter=setFoo" and its ":" read as one.
std::size_t readAttributes(const Commands& commands, Attributes& attributes) {
    if (commands.empty() || commands[0].status != kOpenParen) return 0;
    std::size_t i = 1;
    int depth = 1;
    std::string item;
    auto takeItem = [&] {
        if (item == "readonly") attributes.readonly = true;
        else if (item == "class") attributes.classProperty = true;
        else if (item.starts_with("getter=")) attributes.getter = item.substr(7);
        else if (item.starts_with("setter=")) attributes.setter = item.substr(7, item.find(':', 7) - 7);
        item.clear();
    };
    for (; i < commands.size() && depth > 0; ++i) {
        const auto& [status, text] = commands[i];
        if (status == kOpenParen) ++depth;
        if (status == kCloseParen && --depth == 0) break;
        if (status == kComma && depth == 1) takeItem();
        else item += text;
    }
    takeItem();
    return i < commands.size() ? i + 1 : i;
}

// Splits the declarators "int a, *b" at the commas outside parentheses and angle brackets.
std::vector<Commands> splitDeclarators(const Commands& commands, std::size_t from) {
    std::vector<Commands> parts(1);
    int depth = 0;
    for (std::size_t i = from; i < commands.size(); ++i) {
        const Command& command = commands[i];
        if (command.status == kOpenParen || command.status == kLess) ++depth;
        if ((command.status == kCloseParen || command.status == kGreater) && depth > 0) --depth;
        if (command.status == kComma && depth == 0) parts.emplace_back();
        else parts.back().push_back(command);
    }
    return parts;
}

// One declarator split into its type and its name: "NSString *title" -> type "NSString *",
// name "title"; "void (^handler)(int)" -> type "void (^)(int)", name "handler".
struct Declarator {
    Commands type;
    std::string name;
    bool ownType = false;  // a block or function pointer: no type is shared with the next name
};

Declarator splitDeclarator(const Commands& commands) {
    Declarator result;
    auto isWord = [&](std::size_t i) { return i < commands.size() && commands[i].status == kWord; };
    // (^name) or (*name): the name is inside the first parentheses.
    for (std::size_t i = 0; i + 1 < commands.size(); ++i) {
        if (commands[i].status != kOpenParen || !isWord(i + 1)) continue;
        const std::string& word = commands[i + 1].text;
        std::size_t prefix = word.find_first_not_of("^*");
        if (prefix == 0) continue;
        std::size_t nameAt = i + 1;
        if (prefix == std::string::npos) {  // "(^ name)": the name is the next word
            if (!isWord(i + 2)) continue;
            nameAt = i + 2;
            result.name = commands[nameAt].text;
        } else {
            result.name = word.substr(prefix);
        }
        result.type = commands;
        if (nameAt == i + 1) result.type[nameAt].text = word.substr(0, prefix);
        else result.type.erase(result.type.begin() + static_cast<std::ptrdiff_t>(nameAt));
        result.ownType = true;
        return result;
    }
    // Otherwise the last word outside parentheses and angle brackets that opens no argument
    // list: "NSRect frame NS_AVAILABLE(10_5)" names frame.
    std::optional<std::size_t> nameAt;
    int depth = 0;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        int status = commands[i].status;
        if (status == kOpenParen || status == kLess) ++depth;
        if ((status == kCloseParen || status == kGreater) && depth > 0) --depth;
        bool opensList = i + 1 < commands.size() && commands[i + 1].status == kOpenParen;
        if (status == kWord && depth == 0 && !opensList) nameAt = i;
    }
    if (!nameAt) return result;
    const std::string& word = commands[*nameAt].text;
    std::size_t stars = word.find_first_not_of('*');
    if (stars == std::string::npos) return result;  // "*" alone names nothing
    result.name = word.substr(stars);
    result.type.assign(commands.begin(), commands.begin() + static_cast<std::ptrdiff_t>(*nameAt));
    if (stars > 0) result.type.push_back({kWord, word.substr(0, stars)});
    return result;
}

// A type's commands joined without blanks, but with one space after "const", "unsigned" and
// the qualifiers, as inside a method's parentheses: "unsigned int", "NSString*", "id<P>".
// Joined before it reaches the method maker, so that the parentheses of a block type do not
// move the maker's state.
std::string typeText(const Commands& type) {
    std::string text;
    for (const auto& [status, word] : type) {
        text += word;
        if (word == "const" || word == "unsigned" || MethodStringMaker::isTypeQualifier(word)) text += ' ';
    }
    return text;
}

// The method string of "sign (returnType) selector[: (argType) argName]", normalised.
std::string methodString(const std::string& sign, const std::string& returnType, const std::string& selector,
                         const std::string* argType, const std::string& argName) {
    MethodStringMaker maker;
    auto typeInParens = [&](const std::string& type) {
        maker.addCommand(kOpenParen, "(");
        maker.addCommand(kWord, type);
        maker.addCommand(kCloseParen, ")");
    };
    maker.addCommand(kWord, sign);
    typeInParens(returnType);
    maker.addCommand(kWord, selector);
    if (argType) {
        maker.addCommand(kColon, ":");
        typeInParens(*argType);
        maker.addCommand(kWord, argName);
    }
    maker.addCommand(kSemicolon, ";");
    return maker.getMethodList().empty() ? std::string() : maker.getMethodList().front();
}

std::string defaultSetter(const std::string& name) {
    std::string setter = "set" + name;
    setter[3] = static_cast<char>(std::toupper(static_cast<unsigned char>(setter[3])));
    return setter;
}

}  // namespace

std::vector<std::string> PropertyDeclaration::accessorsOf(const std::vector<Command>& commands) {
    Attributes attributes;
    std::size_t rest = readAttributes(commands, attributes);
    const std::string sign = attributes.classProperty ? "+" : "-";
    std::vector<std::string> accessors;
    Commands sharedType;  // "int" of "int a, *b"
    bool first = true;
    for (const Commands& part : splitDeclarators(commands, rest)) {
        Declarator declarator = splitDeclarator(part);
        if (declarator.name.empty()) continue;
        Commands type = declarator.type;
        if (first && !declarator.ownType) {
            sharedType = type;
            if (!type.empty() && type.back().status == kWord &&
                type.back().text.find_first_not_of('*') == std::string::npos)
                sharedType.pop_back();  // the stars of the first name are its own
        } else if (!first && !declarator.ownType) {
            type.insert(type.begin(), sharedType.begin(), sharedType.end());
        }
        first = false;
        const std::string text = typeText(type);
        accessors.push_back(methodString(sign, text, attributes.getter.value_or(declarator.name), nullptr, {}));
        if (!attributes.readonly) {
            std::string setter = attributes.setter.value_or(defaultSetter(declarator.name));
            accessors.push_back(methodString(sign, "void", setter, &text, declarator.name));
        }
    }
    return accessors;
}

PropertyDeclaration PropertyDeclaration::read(TextBuffer& buffer, CMacroEngin* macro) {
    PropertyDeclaration result;
    Commands commands;
    int status = kWord;
    while (auto command = buffer.getCommandWithStatus(status)) {
        switch (status) {
        case kSemicolon:
            result.accessors = accessorsOf(commands);
            return result;
        case kHash:
            if (macro) macro->doCalc();
            else buffer.deleteLineBuffer();
            break;
        case kLineComment:
            buffer.deleteLineBuffer();
            break;
        case kBlockOpen:
            MultiComment(&buffer, macro).doAnalyse(*command);
            break;
        case kCR:
        case kLF:
            break;
        default:
            if (status == kWord && *command == "@end") {
                result.blockEnded = true;
                return result;
            }
            commands.push_back({status, std::move(*command)});
        }
    }
    return result;  // the text ended inside the declaration
}

}  // namespace kestrel
