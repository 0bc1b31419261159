#pragma once
// Reads the head of one function after "FOUNDATION_STATIC_INLINE"; the declaration ends only
// with the closing brace of its body, which is skipped:
//
//   FOUNDATION_STATIC_INLINE unsigned int NSMaxRange(NSRange range) {
//       return (range.location + range.length);      -> "unsigned int NSMaxRange(NSRange range)"
//   }
//
// Line breaks are kept (trimming removes spaces only): a "{" on the next line leaves the line
// break at the end of the text. A head that the text ends inside gives none; a body cut off
// still gives its complete head.
#include <optional>
#include <string>

#include "core/parse/TextEngin.h"

namespace kestrel {

class StaticInlineEngin : public TextEngin {
public:
    using TextEngin::TextEngin;

    using TextEngin::doAnalyse;
    // The normalised head text, or none when it holds no space or was cut off.
    std::optional<std::string> doAnalyse();
};

}  // namespace kestrel
