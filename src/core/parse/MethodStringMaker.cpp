#include "core/parse/MethodStringMaker.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/parse/TextBuffer.h"

namespace kestrel {

namespace {

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

bool MethodStringMaker::isTypeQualifier(std::string_view word) {
    static constexpr std::array<std::string_view, 21> kQualifiers{
        "nullable", "nonnull", "null_unspecified", "_Nullable", "_Nonnull", "_Null_unspecified", "_Nullable_result",
        "__nullable", "__nonnull", "__null_unspecified", "__kindof", "__unsafe_unretained",
        "__strong", "__weak", "__autoreleasing", "oneway", "in", "out", "inout", "bycopy", "byref",
    };
    for (std::string_view qualifier : kQualifiers)
        if (word == qualifier) return true;
    return false;
}

void MethodStringMaker::addCommand(int status, std::string_view text) {
    if (status == kSemicolon) {
        if (!current.empty()) {
            methodList.push_back(std::move(current));
            current.clear();
        }
        state = kNeutral;
        parenDepth = 0;
        beforeSign = false;
        return;
    }
    if (status == kWord && (text == "@optional" || text == "@required")) return;
    // A declaration begins with its sign. What stands before one is no method: a macro line
    // such as "DEFINE_BLOCK_TYPE(GSSetFilterBlock, BOOL, id, BOOL*);" is dropped whole, and of
    // "&& GS_API_VERSION(10200, GS_API_LATEST)" (a directive continued with "\") followed by
    // "+ (void) setThreadPriority: (double)pri;" the method is kept.
    if (current.empty() && (status != kWord || text.empty() || (text[0] != '-' && text[0] != '+'))) {
        beforeSign = true;
        return;
    }
    beforeSign = false;
    switch (status) {
    case kColon:
        // An empty selector part after an argument keeps the name apart from it:
        // "+ (id)functionWithControlPoints:(float)c1x :(float)c1y" -> "...c1x :(float)c1y"
        if (state == kAfterName) current += ' ';
        current += ':';
        state = kAfterColon;
        return;
    case kCloseParen:
        // The ")" that closes an argument type, not one inside it: (GS_GENERIC_TYPE(T)[])x
        if (state == kAfterColon && parenDepth <= 1) state = kAfterType;
        if (parenDepth > 0) --parenDepth;
        current += ')';
        return;
    default:
        break;
    }
    // The word after an argument type is the argument name; whatever follows the name gets
    // one space before it ("foo bar:", "firstObj ,...").
    // An argument without a type is its name at once: "object: anObject file:" keeps its space.
    if (state == kAfterType || (state == kAfterColon && parenDepth == 0 && status == kWord)) {
        state = kAfterName;
    } else if (state == kAfterName) {
        current += ' ';
        state = kNeutral;
    }
    if (status == kOpenParen) {
        current += text;
        ++parenDepth;
        return;
    }
    appendWord(current, text, parenDepth);
}

void MethodStringMaker::appendWord(std::string& text, std::string_view word, int depth) {
    const bool inType = depth > 0;
    // In a block's or function pointer's parameter list a parameter keeps its name apart from
    // its type: "(void (^)(id obj, NSUInteger idx))" gives "(void(^)(id obj,NSUInteger idx))".
    if (depth > 1 && !word.empty() && isNameChar(word[0]) && !text.empty() && isNameChar(text.back())) text += ' ';
    // "*_Nullable" is a qualifier after the stars it qualifies: "(CLUpdate *_Nullable update)".
    std::string_view bare = word.substr(std::min(word.find_first_not_of('*'), word.size()));
    const bool spaced = word == "const" || word == "unsigned" || (inType && isTypeQualifier(bare));
    // A qualifier after a type name stays a word of its own: "(Handler _Nullable)" gives
    // "(Handler _Nullable )", not "(Handler_Nullable )"; "(NSString * _Nullable)" stays "(NSString*_Nullable )".
    if (spaced && bare.size() == word.size() && !text.empty() && isNameChar(text.back())) text += ' ';
    text += word;
    // "struct", "enum" and "union" are followed by the tag they name: "(const struct Foo*)".
    if (spaced || (inType && (word == "struct" || word == "enum" || word == "union"))) text += ' ';
}

void MethodStringMaker::addMethod(std::string method) {
    current.clear();
    state = kNeutral;
    parenDepth = 0;
    beforeSign = false;
    methodList.push_back(std::move(method));
}

}  // namespace kestrel
