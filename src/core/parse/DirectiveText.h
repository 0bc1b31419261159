#pragma once
// The text of a directive, read from the buffer after its word up to the end of its logical
// line: lines ending in a backslash go on on the next one, and a block comment opened on the
// line runs to its close, however many lines that takes (as a compiler reads them). The lines
// are consumed; the text keeps its comments for the lexer to drop.
//
//   #if defined(A) && \          -> " defined(A) &&  defined(B) /* why\n  */ "
//       defined(B) /* why
//       */
#include <string>

namespace kestrel {

class TextBuffer;

class DirectiveText {
public:
    static std::string read(TextBuffer& buffer);
    // Does text end inside a block comment (literals and line comments taken into account)?
    static bool endsInComment(const std::string& text);
};

}  // namespace kestrel
