#pragma once
// Reads one declaration after "APPKIT_EXTERN" (and, through CG_EXTERNEngin, after "CG_EXTERN")
// up to its ";", or up to the closing brace of a body that follows its head:
//
//   APPKIT_EXTERN NSString *NSFooNotification;   -> "NSString* NSFooNotification"
//   CG_EXTERN void CGFoo (int x);                -> "void CGFoo(int x)"
//
// Comments are kept as text; a directive inside the declaration is evaluated. A declaration
// that the text ends inside gives none.
#include <optional>
#include <string>

#include "core/parse/TextEngin.h"

namespace kestrel {

class AppkitExternEngin : public TextEngin {
public:
    using TextEngin::TextEngin;

    using TextEngin::doAnalyse;
    // The normalised declaration text, or none when it holds no space or was cut off.
    std::optional<std::string> doAnalyse();
};

}  // namespace kestrel
