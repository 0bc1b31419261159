#include "core/parse/PropertyDeclaration.h"

#include <cctype>
#include <cstddef>
#include <optional>

#include "core/parse/CMacroEngin.h"
#include "core/parse/MethodAttributeFilter.h"
#include "core/parse/MethodStringMaker.h"
#include "core/parse/MultiComment.h"
#include "core/parse/StringLiteral.h"
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

// The index after the group that opens at commands[open] ("(" or "<"), counting nested ones;
// the size when it is never closed.
std::size_t afterGroup(const Commands& commands, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < commands.size(); ++i) {
        const int status = commands[i].status;
        if (status == kOpenParen || status == kLess) ++depth;
        if ((status == kCloseParen || status == kGreater) && --depth == 0) return i + 1;
    }
    return commands.size();
}

// Leaves out "__attribute__((...))" and the words that the define records call attributes,
// with their arguments: "IBOutlet NSView *view" -> "NSView *view" (#define IBOutlet).
Commands withoutKnownAttributes(const Commands& commands, std::size_t from, MacroKeywordSource* keywords) {
    Commands kept;
    for (std::size_t i = from; i < commands.size(); ++i) {
        if (commands[i].status == kWord && MethodAttributeFilter::isKnownAttribute(keywords, commands[i].text)) {
            if (i + 1 < commands.size() && commands[i + 1].status == kOpenParen) i = afterGroup(commands, i + 1) - 1;
            continue;
        }
        kept.push_back(commands[i]);
    }
    return kept;
}

// One declarator split into its type and its name: "NSString *title" -> type "NSString *",
// name "title"; "void (^handler)(int)" -> type "void (^)(int)", name "handler". What follows
// the declarator is an attribute and left out: "BOOL on NS_SWIFT_UI_ACTOR API_AVAILABLE(...)",
// "void (NS_SWIFT_SENDABLE ^handler)(void) API_DEPRECATED(...)".
struct Declarator {
    Commands type;
    std::string name;
    bool ownType = false;  // a block or function pointer: no type is shared with the next name
};

// A word that, after a name, can only be an attribute: written like a macro, or opening
// arguments. Nothing but its place makes it one, so the define records are not asked.
bool trailsAsAttribute(const Commands& commands, std::size_t i) {
    if (i + 1 < commands.size() && commands[i + 1].status == kOpenParen) return true;
    std::string_view word = commands[i].text;
    while (word.starts_with('_')) word.remove_prefix(1);
    return MethodAttributeFilter::isWrittenAsMacro(word);
}

bool onlyStars(std::string_view word) { return word.find_first_not_of('*') == std::string_view::npos; }

// "(^name)" or "(*name)", with attribute words before the caret allowed.
std::optional<Declarator> blockDeclarator(const Commands& commands, MacroKeywordSource* keywords) {
    auto isWord = [&](std::size_t i) { return i < commands.size() && commands[i].status == kWord; };
    for (std::size_t i = 0; i + 1 < commands.size(); ++i) {
        if (commands[i].status != kOpenParen) continue;
        std::size_t at = i + 1;
        while (isWord(at) && commands[at].text.find_first_of("^*") != 0 &&
               (MethodAttributeFilter::isAttribute(keywords, commands[at].text) ||
                MethodAttributeFilter::isWrittenAsMacro(commands[at].text)))
            ++at;  // "(NS_SWIFT_SENDABLE ^handler)"
        if (!isWord(at)) continue;
        const std::string_view word = commands[at].text;
        std::size_t prefix = word.find_first_not_of("^*");
        if (prefix == 0) continue;
        Declarator result;
        result.ownType = true;
        std::size_t nameAt = at;
        if (prefix == std::string::npos) {  // "(^ name)": the name is the next word
            if (!isWord(at + 1)) continue;
            nameAt = at + 1;
            result.name = commands[nameAt].text;
        } else {
            result.name = word.substr(prefix);
        }
        // The type ends with the parameter list after the name's parentheses.
        std::size_t end = afterGroup(commands, i);
        if (end < commands.size() && commands[end].status == kOpenParen) end = afterGroup(commands, end);
        for (std::size_t k = 0; k < end; ++k) {
            if (k > i && k < at) continue;  // the attributes before the caret
            if (k == nameAt) {
                if (nameAt == at) result.type.push_back({kWord, word.substr(0, prefix)});
                continue;
            }
            result.type.push_back(commands[k]);
        }
        return result;
    }
    return std::nullopt;
}

// shared: the declarator follows a comma and its type is the first one's ("NSString *a, *b").
Declarator splitDeclarator(const Commands& commands, MacroKeywordSource* keywords, bool shared) {
    if (std::optional<Declarator> block = blockDeclarator(commands, keywords)) return *block;
    Declarator result;
    // The words outside parentheses and angle brackets, in order.
    std::vector<std::size_t> words;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const int status = commands[i].status;
        if (status == kOpenParen || status == kLess) {
            i = afterGroup(commands, i) - 1;
            continue;
        }
        if (status == kWord) words.push_back(i);
    }
    // The name: the last word that is no attribute after it and has a type before it (none
    // needed after a comma); failing that, the last word that opens no argument list, so that
    // "NSUInteger MAX_COUNT" names MAX_COUNT.
    std::optional<std::size_t> nameAt;
    for (std::size_t x = words.size(); x-- > (shared ? 0u : 1u);) {
        if (trailsAsAttribute(commands, words[x]) || onlyStars(commands[words[x]].text)) continue;
        nameAt = words[x];
        break;
    }
    for (std::size_t x = words.size(); !nameAt && x-- > 0;) {
        const std::size_t i = words[x];
        if (i + 1 >= commands.size() || commands[i + 1].status != kOpenParen) nameAt = i;
    }
    if (!nameAt) return result;
    const std::string_view word = commands[*nameAt].text;
    std::size_t stars = word.find_first_not_of('*');
    if (stars == std::string::npos) return result;  // "*" alone names nothing
    result.name = word.substr(stars);
    result.type.assign(commands.begin(), commands.begin() + static_cast<std::ptrdiff_t>(*nameAt));
    if (stars > 0) result.type.push_back({kWord, word.substr(0, stars)});
    return result;
}

// A type's commands joined as inside a method's parentheses: no blanks, but "unsigned int",
// "const char*", "NSString*_Nullable ", "struct Foo*", "void(^)(id obj)". Joined before it reaches the method
// maker, so that the parentheses of a block type do not move the maker's state.
std::string typeText(const Commands& type) {
    std::string text;
    int depth = 1;  // the type goes inside the method's parentheses
    for (const auto& [status, word] : type) {
        if (status == kCloseParen && depth > 1) --depth;
        MethodStringMaker::appendWord(text, word, depth);
        if (status == kOpenParen) ++depth;
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

std::vector<std::string> PropertyDeclaration::accessorsOf(const std::vector<Command>& commands,
                                                          MacroKeywordSource* keywords) {
    Attributes attributes;
    const Commands declarators = withoutKnownAttributes(commands, readAttributes(commands, attributes), keywords);
    const std::string sign = attributes.classProperty ? "+" : "-";
    std::vector<std::string> accessors;
    Commands sharedType;  // "int" of "int a, *b"
    bool first = true;
    for (const Commands& part : splitDeclarators(declarators, 0)) {
        Declarator declarator = splitDeclarator(part, keywords, !first);
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

PropertyDeclaration PropertyDeclaration::read(TextBuffer& buffer, CMacroEngin* macro, MacroKeywordSource* keywords) {
    PropertyDeclaration result;
    Commands commands;
    int status = kWord;
    while (auto command = buffer.getCommandView(status)) {
        switch (status) {
        case kSemicolon:
            result.accessors = accessorsOf(commands, keywords);
            return result;
        case kHash:
            if (macro) macro->doCalc();
            else buffer.deleteLineBuffer();
            break;
        case kLineComment:
            buffer.deleteLineBuffer();
            break;
        case kBlockOpen:
            MultiComment(&buffer, macro).doAnalyse(std::string(*command));
            break;
        case kQuote:  // an attribute's message: API_DEPRECATED("Use -foo; or -bar", ...)
            StringLiteral::skipRest(buffer);
            break;
        case kCR:
        case kLF:
            break;
        default:
            if (status == kWord && *command == "@end") {
                result.blockEnded = true;
                return result;
            }
            commands.push_back({status, *command});
        }
    }
    return result;  // the text ended inside the declaration
}

}  // namespace kestrel
