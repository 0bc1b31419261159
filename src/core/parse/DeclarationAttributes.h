#pragma once
// What of a declaration is attributes, and is left out of every stored text: the language's
// attribute words with their arguments (__attribute__((unused)), __declspec(dllimport),
// __asm("_f")), the macros that the define records show to be attributes (see AttributeWord),
// and the uses of unknown macros written like macros with arguments (API_AVAILABLE(macos(10.7))
// where no record defines it).
//
//   "NSString *NSFoo API_AVAILABLE(macos(10.0)) NS_SWIFT_NAME(foo)"   -> "NSString *NSFoo"
//   extern "C" int f(void)                                            -> extern int f(void)
#include <string>

#include "core/parse/CToken.h"

namespace kestrel {

class MacroKeywordSource;

class DeclarationAttributes {
public:
    // The tokens without attributes and their arguments (and without the "C" of extern "C");
    // with dropUnknownUses also without the uses of unknown macros with arguments. A dropped
    // run leaves a blank where one stood. keywords may be none.
    static CTokens without(CTokens tokens, MacroKeywordSource* keywords, bool dropUnknownUses = true);
    // "(*name)", "(^name)", "(CALLBACK *name)": whether the "(" at open opens a declarator
    // rather than a macro's arguments.
    static bool opensPointerDeclarator(const CTokens& tokens, std::size_t open);
    // The name that a struct, union or enum is given between its keyword and its body:
    // "API_AVAILABLE(macos(14.0)) AVFoo" -> "AVFoo", "DEPRECATED_ATTRIBUTE Foo" -> "Foo"; empty
    // for none.
    static std::string tagName(const std::string& text, MacroKeywordSource* keywords);
};

}  // namespace kestrel
