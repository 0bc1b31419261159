#include "core/parse/FunctionText.h"

#include "core/parse/TextEngin.h"

namespace kestrel {

void FunctionText::trim(std::string& text) {
    TextEngin::deleteTopSpace(text);
    TextEngin::deleteLastSpace(text);
}

void FunctionText::pointerRule(std::string& text) { TextEngin::find(" *", "* ", text); }

void FunctionText::tabsToSpace(std::string& text) { TextEngin::find("\t", " ", text); }

void FunctionText::singleSpaces(std::string& text) { TextEngin::find("  ", " ", text); }

bool FunctionText::isAvailabilityMacro(const std::string& word) {
    return word.starts_with("AVAILABLE_MAC_OS_X_VERSION") || word.starts_with("WEAK_IMPORT_ATTRIBUTE");
}

}  // namespace kestrel
