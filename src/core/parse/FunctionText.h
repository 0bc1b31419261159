#pragma once
// The spacing rules that the function and macro analysers apply to a collected declaration.
// Each replacement repeats until the searched text no longer occurs.
#include <string>

namespace kestrel {

class FunctionText {
public:
    // Leading, then trailing spaces (not tabs).
    static void trim(std::string& text);
    // " *" -> "* ": the star sticks to the type ("NSString *name" -> "NSString* name").
    static void pointerRule(std::string& text);
    static void tabsToSpace(std::string& text);   // every tab -> a space
    static void singleSpaces(std::string& text);  // every double space -> one
    // Whether the text starts with one of the availability macros that are left out of
    // stored declarations.
    static bool isAvailabilityMacro(const std::string& word);
};

}  // namespace kestrel
