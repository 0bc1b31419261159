#include "core/parse/MethodStringMaker.h"

#include "core/parse/TextBuffer.h"

namespace kestrel {

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
        return;
    case kCloseParen:
        if (state == kAfterColon) state = kAfterType;  // ")" closes an argument type
        current += ')';
        return;
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
    if (text == "const" || text == "unsigned") current += ' ';
}

}  // namespace kestrel
