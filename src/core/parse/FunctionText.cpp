#include "core/parse/FunctionText.h"

#include "core/model/TreeData.h"
#include "core/parse/TextEngin.h"

namespace kestrel {

void FunctionText::trim(std::string& text) {
    TextEngin::deleteTopSpace(text);
    TextEngin::deleteLastSpace(text);
}

void FunctionText::pointerRule(std::string& text) { TextEngin::find(" *", "* ", text); }

void FunctionText::tabsToSpace(std::string& text) { TextEngin::find("\t", " ", text); }

void FunctionText::singleSpaces(std::string& text) { TextEngin::find("  ", " ", text); }

void FunctionText::normalise(std::string& text, std::int32_t kind) {
    tabsToSpace(text);
    trim(text);
    switch (kind) {
    case kExternKind:
        pointerRule(text);
        TextEngin::find(" (", "(", text);
        TextEngin::find("( ", "(", text);
        TextEngin::find(" )", ")", text);
        TextEngin::find(") ", ")", text);
        break;
    case kAppkitExternKind:
    case kCGExternKind:
        pointerRule(text);
        singleSpaces(text);
        TextEngin::find(" (", "(", text);
        break;
    case kCGInlineKind:
        break;
    default:
        pointerRule(text);
        break;
    }
    singleSpaces(text);
    trim(text);
}

}  // namespace kestrel
