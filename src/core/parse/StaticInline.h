#pragma once
// "static inline" written out is what the driver's CG_INLINE stands for in the frameworks
// (CGBase.h: #define CG_INLINE static inline), so the driver reads it as CG_INLINE:
//
//   static inline NSPoint NSMakePoint(CGFloat x, CGFloat y) { ... }
//       -> a CG_INLINE record "NSPoint NSMakePoint(CGFloat x, CGFloat y)"
//   static struct Point origin;   -> no change: "struct" is read as before
#include <string_view>

namespace kestrel {

class TextBuffer;

class StaticInline {
public:
    // Called after the word "static": when the next word on the line is "inline", "__inline__"
    // or "__inline", reads it and answers true; otherwise reads nothing.
    static bool readInline(TextBuffer& buffer);
    static bool isInlineWord(std::string_view word);
};

}  // namespace kestrel
