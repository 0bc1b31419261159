#pragma once
// The words that make a function inline, as "static inline" writes it out and as the define
// records show the macros for it (CG_INLINE, NS_INLINE: static __inline__ ...).
#include <string_view>

namespace kestrel {

class StaticInline {
public:
    // "inline", "__inline__" or "__inline".
    static bool isInlineWord(std::string_view word);
};

}  // namespace kestrel
