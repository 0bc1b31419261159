#pragma once
// Reads the head of one function after "CG_INLINE", up to the ";" of a prototype or the "{"
// of its body; the body is skipped, and reading resumes on the line after its closing brace:
//
//   CG_INLINE CGPoint                  -> "CGPoint CGPointMake(float x, float y)"
//   CGPointMake(float x, float y)
//   {
//       CGPoint p; p.x = x; p.y = y; return p;
//   }
//
// "__" becomes a space, so a leading double underscore of the name disappears. A head that
// the text ends inside gives none; a body cut off still gives its complete head.
#include <optional>
#include <string>

#include "core/parse/TextEngin.h"

namespace kestrel {

class InlineEngin : public TextEngin {
public:
    using TextEngin::TextEngin;

    using TextEngin::doAnalyse;
    // The head text (possibly empty), or none when the text ended before ";" or "{".
    std::optional<std::string> doAnalyse();
    // Skips a function body whose "{" was just read, counting nested braces, then drops the
    // rest of the line of its closing brace.
    void dummyRead();
};

}  // namespace kestrel
