#include "core/text/DeclarationText.h"

#include "core/parse/TextBuffer.h"

namespace kestrel {

namespace {

// A stored method cut into what the texts need: "-(void)setFoo:(id)foo" -> '-', "void",
// "setFoo:(id)foo".
struct MethodParts {
    bool empty = true;      // nothing but (at most) a sign
    bool classMethod = false;
    std::string type;       // the return type, "id" when none is written
    std::string selector;   // the text after the return type's ")"
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The index of the ")" that closes the "(" at open, counting nested parentheses ("(void (^)(int))");
// npos when it is never closed.
std::size_t closingParen(const std::string& text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        if (text[i] == ')' && --depth == 0) return i;
    }
    return std::string::npos;
}

// A method without a sign reads as an instance method; one without "(type)" after its sign,
// or with an empty one, as returning id, as in Objective-C; an unclosed "(" makes the rest the
// type and leaves no selector.
MethodParts methodParts(const std::string& method) {
    MethodParts parts;
    std::size_t pos = 0;
    if (!method.empty() && (method[0] == '-' || method[0] == '+')) {
        parts.classMethod = method[0] == '+';
        pos = 1;
    }
    while (pos < method.size() && isBlank(method[pos])) ++pos;
    if (pos >= method.size()) return parts;
    parts.empty = false;
    if (method[pos] != '(') {
        parts.type = "id";
        parts.selector = method.substr(pos);
        return parts;
    }
    std::size_t close = closingParen(method, pos);
    if (close == std::string::npos) {
        parts.type = method.substr(pos + 1);
    } else {
        parts.type = method.substr(pos + 1, close - pos - 1);
        parts.selector = method.substr(close + 1);
    }
    if (parts.type.find_first_not_of(" \t") == std::string::npos) parts.type = "id";
    return parts;
}

// Whether a call to a method of this return type yields nothing to assign: "void", also as
// "oneway void" (the qualifier of asynchronous messages).
bool returnsNothing(const std::string& type) { return type == "void" || type == "oneway void"; }

}  // namespace

std::string DeclarationText::createExternalDragStrings(const std::string& method, std::int32_t dragStyle,
                                                       const std::string& receiver) {
    MethodParts parts = methodParts(method);
    if (parts.empty) return "";
    if (!isCallStyle(dragStyle)) return method + ";";
    std::string text = returnsNothing(parts.type) ? "" : parts.type + "_VALUE = ";
    text += "[" + receiver;
    if (!parts.classMethod) text += "*_VALUE";
    return text + " " + parts.selector + "];";
}

std::string DeclarationText::methodViewText(const std::string& method, std::int32_t dragStyle,
                                            const std::string& receiver, bool addLF) {
    std::string text = createExternalDragStrings(method, dragStyle, receiver);
    if (addLF && !text.empty()) text += "\n";
    return text;
}

// What follows the argument list and is no further parenthesis is an attribute, which a call
// cannot carry: "(NSString* format, ...)NS_FORMAT_FUNCTION(1,2)" -> "(NSString* format, ...)",
// "(int c) __attribute__((const))" -> "(int c)"; "(*f)(int)" stays whole.
std::string DeclarationText::withoutTrailingAttributes(const std::string& arguments) {
    int depth = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == '(') ++depth;
        if (arguments[i] != ')' || --depth > 0) continue;
        std::size_t next = arguments.find_first_not_of(" \t", i + 1);
        if (next == std::string::npos || arguments[next] == '(') return arguments;
        return arguments.substr(0, i + 1);
    }
    return arguments;  // unbalanced: as it stands
}

// A declaration without a return type before its name ("NSBeep(void)", the macro "MAX(a,b)")
// becomes the bare call: "NSBeep();", "MAX(a,b);".
std::string DeclarationText::functionText(const std::string& declaration, std::int32_t dragStyle) {
    if (declaration.empty()) return "";
    if (!isCallStyle(dragStyle)) return declaration + ";";
    std::size_t open = declaration.find('(');
    if (open == std::string::npos) return declaration;
    std::string head = declaration.substr(0, open);
    std::string arguments = withoutTrailingAttributes(declaration.substr(open));
    if (std::size_t v = arguments.find("(void)"); v != std::string::npos) arguments.replace(v, 6, "()");
    std::size_t space = head.rfind(' ');
    if (space == std::string::npos) return head + arguments + ";";
    std::string name = head.substr(space);
    head.erase(space);
    for (char& c : head)
        if (c == ' ') c = '_';
    head = head == "void" ? "" : head + "_Value = ";
    return head + name + arguments + ";";
}

std::vector<std::string> DeclarationText::methodRows(const std::string& method) {
    std::vector<std::string> rows;
    std::string row;
    int depth = 0;
    TextBuffer buffer(method);
    int status = 0;
    for (;;) {
        std::optional<std::string> command = buffer.getCommandWithStatusandSpace(status);
        if (!command || status == kEnd) break;
        switch (status) {
        case kOpenParen:
            ++depth;
            row += *command;
            break;
        case kCloseParen:
            if (depth > 0) --depth;
            row += *command;
            break;
        // Any white space outside parentheses ends a selector part; inside, it is kept.
        case kSpace:
        case kTab:
        case kCR:
        case kLF:
            if (depth > 0) {
                row += *command;
            } else {
                rows.push_back(std::move(row));
                row.clear();
            }
            break;
        default:
            row += *command;
        }
    }
    rows.push_back(std::move(row));
    return rows;
}

std::string DeclarationText::selectorOf(const std::string& method) {
    MethodParts parts = methodParts(method);
    if (parts.empty) return "";
    std::string selector(1, parts.classMethod ? '+' : '-');
    // Keywords are the words directly before a ":" outside parentheses; without any, the
    // first word is the whole selector ("init"). Argument types, names and ",..." are skipped.
    std::string word, firstWord;
    bool keyworded = false;
    int depth = 0;
    for (char c : parts.selector) {
        if (c == '(') ++depth;
        else if (c == ')') depth = depth > 0 ? depth - 1 : 0;
        else if (depth > 0) continue;
        else if (c == ':') {
            selector += word + ":";
            keyworded = true;
            word.clear();
        } else if (isBlank(c) || c == '\r' || c == '\n') {
            if (firstWord.empty()) firstWord = word;
            word.clear();
        } else {
            word += c;
        }
        if (c == '(' || c == ')') {
            if (firstWord.empty()) firstWord = word;
            word.clear();
        }
    }
    if (firstWord.empty()) firstWord = word;
    return keyworded ? selector : selector + firstWord;
}

}  // namespace kestrel
