#pragma once
// Reads one C declaration -- its specifiers and each of its declarators -- and tells what it
// declares, one entry a name, each with its text as the header wrote it but without attributes:
//
//   "NSString *const A API_AVAILABLE(macos(10.0)), *B"  -> A "NSString *const A", B "NSString *B"
//   "OS_EXPORT void f(int x) NS_SWIFT_NAME(g(x:))"       -> f "void f(int x)", a function
//   "void (*NSHandler)(NSException *e)"                  -> NSHandler, type "void (*)(NSException *e)"
//   "static const NSLayoutPriority R = 1000.0"           -> R "static const NSLayoutPriority R = 1000.0"
//   "NS_ASSUME_NONNULL_BEGIN", "DECLARE(x)", "x = 1"    -> nothing: no type, or no name
//
// An attribute is what DeclarationAttributes leaves out, and any word after a declarator. A word written like a
// macro that the define records do not know is an attribute too when the declaration keeps a
// type without it ("OS_EXPORT NSString *A": NSString is the type) and a type when it is the
// only one ("CSSM_RETURN CSSM_Init(void)"). A type is one run of the language's type words,
// one type name, or struct, union or enum with its tag; anything else declares nothing.
#include <string>
#include <vector>

#include "core/parse/CToken.h"

namespace kestrel {

class MacroKeywordSource;

struct DeclaredName {
    std::string name;
    std::string text;  // the declaration of this one name
    std::string type;  // the text without the name and any initializer: what a typedef names
    bool function = false;
};

class CDeclaration {
public:
    // text: the declaration up to its ";" (or a function's body), without a keyword that the
    // driver has read ("extern", "typedef"). keywords may be none.
    static CDeclaration read(const std::string& text, MacroKeywordSource* keywords);

    std::vector<DeclaredName> names;  // in the order written; empty: it declares nothing
    bool isStatic = false;
    bool isInline = false;
    bool isExtern = false;  // written among the specifiers
};

}  // namespace kestrel
