#pragma once
// The include-guard idiom: "#ifndef X" whose next directive is "#define X". Its branch is
// taken whatever the define records say of X, since a header's own records always define its
// guard, and in the define pass every unknown symbol counts as defined:
//
//   #ifndef __NSString_h_INCLUDE          <- taken
//   #define __NSString_h_INCLUDE
//   ...
//   #endif
#include <string_view>

namespace kestrel {

class IncludeGuard {
public:
    // Is the next directive of text (which starts after the symbol of an #ifndef line)
    // "#define symbol" (object-like: "#define symbol(x)" is a stand-in, no guard)? Comments and lines of other text before it are passed over; a "#" counts
    // only as the first thing on its line.
    static bool defineFollows(std::string_view text, std::string_view symbol);
};

}  // namespace kestrel
