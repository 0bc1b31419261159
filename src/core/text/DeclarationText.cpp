#include "core/text/DeclarationText.h"

#include <cctype>
#include <string_view>

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

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The words a declaration may carry that a variable or a cast in a call cannot, or need not:
// nullability and __kindof; in a method also the qualifiers of distributed messages (a C
// function's parameter may be named "in").
bool isDeclarationOnly(std::string_view word, bool method) {
    static constexpr std::string_view kWords[] = {
        "nullable", "nonnull", "null_unspecified", "null_resettable", "_Nullable", "_Nonnull",
        "_Null_unspecified", "_Nullable_result", "__nullable", "__nonnull", "__null_unspecified", "__kindof",
    };
    static constexpr std::string_view kMessageWords[] = {"oneway", "in", "out", "inout", "bycopy", "byref"};
    for (std::string_view w : kWords)
        if (word == w) return true;
    if (method)
        for (std::string_view w : kMessageWords)
            if (word == w) return true;
    return false;
}

// A type as a call's variables and casts take it: the declaration-only words left out and the
// blanks they leave closed up where no two names meet, "instancetype" read as the receiving
// class (an object of it; "id" without one).
//   "nullable instancetype"       -> "NSView*"
//   "NSArray<__kindof NSView*>*"  -> "NSArray<NSView*>*"
//   "void(^)(NSError*_Nullable error)" -> "void(^)(NSError*error)"
std::string callType(const std::string& type, const std::string& receiver, bool method = true) {
    std::string out;
    std::size_t i = 0;
    while (i < type.size()) {
        if (!isNameChar(type[i])) {
            out += type[i++];
            continue;
        }
        std::size_t end = i;
        while (end < type.size() && isNameChar(type[end])) ++end;
        std::string_view word(type.data() + i, end - i);
        i = end;
        if (isDeclarationOnly(word, method)) {
            while (i < type.size() && (type[i] == ' ' || type[i] == '\t')) ++i;
            // The blank before the word stays only between two names: "id _Nullable x" -> "id x".
            if (!out.empty() && out.back() == ' ' && (i >= type.size() || !isNameChar(type[i]))) out.pop_back();
            if (!out.empty() && out.back() != ' ' && isNameChar(out.back()) && i < type.size() && isNameChar(type[i]))
                out += ' ';
            continue;
        }
        if (method && word == "instancetype") out += receiver.empty() ? "id" : receiver + "*";
        else out += word;
    }
    return out;
}

// The selector part of a call: each argument's "(type)" as callType makes it.
std::string callSelector(const std::string& selector, const std::string& receiver) {
    std::string out;
    for (std::size_t i = 0; i < selector.size();) {
        if (selector[i] != '(') {
            out += selector[i++];
            continue;
        }
        std::size_t close = closingParen(selector, i);
        if (close == std::string::npos) return out + selector.substr(i);
        out += '(';
        out += callType(selector.substr(i + 1, close - i - 1), receiver);
        out += ')';
        i = close + 1;
    }
    return out;
}

}  // namespace

std::string DeclarationText::createExternalDragStrings(const std::string& method, std::int32_t dragStyle,
                                                       const std::string& receiver) {
    MethodParts parts = methodParts(method);
    if (parts.empty) return "";
    if (!isCallStyle(dragStyle)) return method + ";";
    const std::string type = callType(parts.type, receiver);
    std::string text = returnsNothing(parts.type) || type == "void" ? "" : type + "_VALUE = ";
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
    if (!isCallStyle(dragStyle)) return declaration + ";";
    std::size_t open = declaration.find('(');
    if (open == std::string::npos) return declaration;
    // A call's variables and arguments carry no nullability: "CTFontRef _Nonnull CTFontCreate(...)".
    std::string head = callType(declaration.substr(0, open), "", false);
    std::string arguments = callType(withoutTrailingAttributes(declaration.substr(open)), "", false);
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
