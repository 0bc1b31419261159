#pragma once
// The spacing rules that the function and macro analysers apply to a declaration text, by the
// kind of the record. Each replacement repeats until the searched text no longer occurs.
#include <cstdint>
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

    // The rules of a record kind:
    //   extern (and a declaration without keyword): "NSString* NSFoo(int a)", no blank beside
    //     a parenthesis;
    //   APPKIT_EXTERN, CG_EXTERN: "NSString* NSFoo(int a)", no blank before a "(";
    //   FOUNDATION_EXPORT, FOUNDATION_STATIC_INLINE: "NSString* NSFoo (int a)";
    //   CG_INLINE: "CGPoint *CGFoo (void)", as written but for doubled blanks.
    static void normalise(std::string& text, std::int32_t kind);
};

}  // namespace kestrel
