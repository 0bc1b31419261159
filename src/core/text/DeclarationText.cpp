#include "core/text/DeclarationText.h"

#include <string_view>

#include "core/parse/TextBuffer.h"
#include "core/text/DeclarationParts.h"
#include "core/text/SnippetText.h"

namespace kestrel {

namespace {

using Parts = DeclarationParts;

// The selector part of a call: each argument's "(type)" as callType makes it.
std::string callSelector(const std::string& selector, const std::string& receiver) {
    std::string out;
    for (std::size_t i = 0; i < selector.size();) {
        if (selector[i] != '(') {
            out += selector[i++];
            continue;
        }
        std::size_t close = Parts::closingParen(selector, i);
        if (close == std::string::npos) return out + selector.substr(i);
        out += '(';
        out += Parts::callType(selector.substr(i + 1, close - i - 1), receiver);
        out += ')';
        i = close + 1;
    }
    return out;
}

}  // namespace

std::string DeclarationText::createExternalDragStrings(const std::string& method, std::int32_t dragStyle,
                                                       const std::string& receiver) {
    const Parts::Method parts = Parts::methodParts(method);
    if (parts.empty) return "";
    const DragStyle style = dragStyleOf(dragStyle);
    if (style == DragStyle::Declaration) return method + ";";
    if (style == DragStyle::Snippet) return SnippetText::methodSnippet(method, receiver);
    const std::string type = Parts::callType(parts.type, receiver);
    std::string text = Parts::returnsNothing(parts.type) || type == "void" ? "" : type + "_VALUE = ";
    text += "[" + receiver;
    if (!parts.classMethod) text += "*_VALUE";
    return text + " " + callSelector(parts.selector, receiver) + "];";
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
    const DragStyle style = dragStyleOf(dragStyle);
    if (style == DragStyle::Declaration) return declaration + ";";
    if (style == DragStyle::Snippet) return SnippetText::functionSnippet(declaration);
    std::size_t open = declaration.find('(');
    if (open == std::string::npos) return declaration;
    // A call's variables and arguments carry no nullability: "CTFontRef _Nonnull CTFontCreate(...)".
    std::string head = Parts::callType(declaration.substr(0, open), "", false);
    std::string arguments = Parts::callType(withoutTrailingAttributes(declaration.substr(open)), "", false);
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
    const Parts::Method parts = Parts::methodParts(method);
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
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
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
