#pragma once
// Reads the head of one function after "CG_INLINE", up to the ";" of a prototype or the "{"
// of its body; the body is skipped and reading goes on right after its closing brace:
//
//   CG_INLINE CGPoint                  -> "CGPoint CGPointMake(float x, float y)"
//   CGPointMake(float x, float y)
//   {
//       CGPoint p; p.x = x; p.y = y; return p;
//   }
//
// The text keeps its blanks as written, doubled ones aside. A head that the text ends inside
// gives nothing; a body cut off still gives its complete head.
#include <optional>
#include <string>
#include <vector>

#include "core/parse/DeclarationEngin.h"

namespace kestrel {

class InlineEngin : public DeclarationEngin {
public:
    using DeclarationEngin::DeclarationEngin;

    using TextEngin::doAnalyse;
    // The text of the first name declared, or none.
    std::optional<std::string> doAnalyse();
    // The text of every name declared.
    std::vector<std::string> analyseAll();
};

}  // namespace kestrel
