#include "core/parse/MethodStringMaker.h"

#include <array>

#include "core/parse/TextBuffer.h"

namespace kestrel {

bool MethodStringMaker::isTypeQualifier(std::string_view word) {
    static constexpr std::array<std::string_view, 12> kQualifiers{
        "nullable", "nonnull", "null_unspecified", "_Nullable", "_Nonnull", "__kindof",
        "oneway",   "in",      "out",              "inout",     "bycopy",   "byref",
    };
    for (std::string_view qualifier : kQualifiers)
        if (word == qualifier) return true;
    return false;
}

void MethodStringMaker::addCommand(int status, const std::string& text) {
    switch (status) {
    case kColon:
        current += ':';
        state = kAfterColon;
        return;
    case kSemicolon:
        if (!current.empty()) {
            methodList.push_back(std::move(current));
            current.clear();
        }
        state = kNeutral;
        parenDepth = 0;
        return;
    case kCloseParen:
        if (state == kAfterColon) state = kAfterType;  // ")" closes an argument type
        if (parenDepth > 0) --parenDepth;
        current += ')';
        return;
    case kWord:
        if (text == "@optional" || text == "@required") return;
        break;
    default:
        break;
    }
    // The word after an argument type is the argument name; whatever follows the name gets
    // one space before it ("foo bar:", "firstObj ,...").
    if (state == kAfterType) {
        state = kAfterName;
    } else if (state == kAfterName) {
        current += ' ';
        state = kNeutral;
    }
    current += text;
    if (status == kOpenParen) ++parenDepth;
    if (text == "const" || text == "unsigned" || (parenDepth > 0 && isTypeQualifier(text))) current += ' ';
}

void MethodStringMaker::addMethod(std::string method) {
    current.clear();
    state = kNeutral;
    parenDepth = 0;
    methodList.push_back(std::move(method));
}

}  // namespace kestrel
