#pragma once
// Reads the head of one function after "FOUNDATION_STATIC_INLINE", up to the ";" of a
// prototype or through its body, which is skipped:
//
//   FOUNDATION_STATIC_INLINE unsigned int NSMaxRange(NSRange range) {
//       return (range.location + range.length);      -> "unsigned int NSMaxRange(NSRange range)"
//   }
//
// A head that the text ends inside gives nothing; a body cut off still gives its complete head.
#include <optional>
#include <string>
#include <vector>

#include "core/parse/DeclarationEngin.h"

namespace kestrel {

class StaticInlineEngin : public DeclarationEngin {
public:
    using DeclarationEngin::DeclarationEngin;

    using TextEngin::doAnalyse;
    // The text of the first name declared, or none.
    std::optional<std::string> doAnalyse();
    // The text of every name declared.
    std::vector<std::string> analyseAll();
};

}  // namespace kestrel
