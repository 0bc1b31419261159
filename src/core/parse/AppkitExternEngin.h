#pragma once
// Reads one declaration after "APPKIT_EXTERN" (and, through CG_EXTERNEngin, after "CG_EXTERN")
// up to its ";", or through the body of a function that it defines:
//
//   APPKIT_EXTERN NSString *NSFooNotification;   -> "NSString* NSFooNotification"
//   CG_EXTERN void CGFoo (int x);                -> "void CGFoo(int x)"
//
// Attributes and comments are left out; a directive inside the declaration is evaluated. A
// declaration that the text ends inside gives nothing.
#include <optional>
#include <string>
#include <vector>

#include "core/parse/DeclarationEngin.h"

namespace kestrel {

class AppkitExternEngin : public DeclarationEngin {
public:
    using DeclarationEngin::DeclarationEngin;

    using TextEngin::doAnalyse;
    // The text of the first name declared, or none.
    std::optional<std::string> doAnalyse();
    // The text of every name declared.
    std::vector<std::string> analyseAll();
};

}  // namespace kestrel
