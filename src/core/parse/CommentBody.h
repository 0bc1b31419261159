#pragma once
// The body of a comment as the stored "doc" keeps it: its delimiters removed, the markup kept.
//
//   "/** Returns the frame.\n *  @param x  the x\n */"  -> "Returns the frame.\n @param x  the x"
//   "/// First\n/// second"                            -> "First\nsecond"
//   "///< The default."                                 -> "The default."
//   "/*! @abstract A view. */"                          -> "@abstract A view."
//
// Leading " * " (a star with one blank after it) goes from every line that has it; the lines
// of a comment without stars lose the indentation they all share. Blank lines at either end go;
// lines keep their trailing text up to its last non-blank. Bytes that are not UTF-8 become
// U+FFFD, control characters (but tab and line end) a blank: a property list can hold the body.
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class CommentBody {
public:
    enum class Style { Plain, Doc, Trailing };

    // One comment's text, from its opener to its closer (a "//" comment: to its line's end).
    static std::string strip(std::string_view comment);
    // A run of "//" comments, one a line, joined as one body.
    static std::string stripRun(const std::vector<std::string_view>& lines);
    // What the comment is: a documentation comment ("/**", "/*!", "///", "//!"), one that
    // documents what stands before it ("///<", "//!<", "/**<", "/*!<"), or a plain one.
    // "/**/" and "/***...***" rulers are plain.
    static Style styleOf(std::string_view comment);
    // The text as a stored string may hold it (see above).
    static std::string clean(std::string text);
};

}  // namespace kestrel
