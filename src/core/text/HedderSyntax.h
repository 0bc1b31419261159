#pragma once
// What the header viewer colours, line by line: keywords (C's and Objective-C's), @-directives,
// preprocessor lines (continued by a backslash), comments (block comments across lines),
// strings (also @"..." and an #import's <...>), character constants and numbers.
//
//   state in   line                                   spans                          state out
//   0          #import <Foundation/NSObject.h>        Preprocessor 0-7, String 8-31  0
//   0          @interface NSView : NSResponder /* a   Directive 0-10, Comment 32-36  InComment
//   InComment  b */ - (id)init; // c                  Comment 0-4, Keyword 8-10, ... 0
//
// Lines are UTF-16, as the viewer's text holds them, so that positions are the viewer's own.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kestrel {

class HedderSyntax {
public:
    enum class Kind : std::uint8_t { Keyword, Directive, Preprocessor, Comment, String, Character, Number };
    struct Span {
        std::size_t start = 0;
        std::size_t length = 0;
        Kind kind = Kind::Keyword;
        bool operator==(const Span&) const = default;
    };
    // What a line leaves open for the next one (bits).
    enum State : int { kNormal = 0, kInComment = 1, kInPreprocessor = 2 };

    // Appends the spans of line, in order and without overlap, to out; answers the state the
    // line leaves (a state below 0, "not known yet", counts as kNormal).
    static int spans(std::u16string_view line, int state, std::vector<Span>& out);
    static bool isKeyword(std::u16string_view word);
};

}  // namespace kestrel
