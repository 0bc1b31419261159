#pragma once
// A documentation comment as plain text, for Quick Help, the terminal and tool tips:
//
//   Makes a rectangle.
//
//   The origin is the lower left corner.
//
//   • a bullet
//   Note: Subclasses must override this method.
//
//   Parameters
//     x — The left edge.
//     w — The width.
//
//   Returns: The rectangle.
//
//   See also: NSMakeSize
//
// Paragraphs are separated by blank lines, list items and a term with its definition are not;
// code keeps its lines, indented by four spaces. With a width, lines are wrapped at blanks to
// that many characters (counted as UTF-8 code points), continuation lines indented under the
// item's text; without one every paragraph is one line.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/text/DocComment.h"

namespace kestrel {

class DocCommentText {
public:
    struct Options {
        std::size_t width = 0;  // 0: not wrapped
    };

    static std::string plain(const DocComment& doc, const Options& options);
    static std::string plain(const DocComment& doc) { return plain(doc, Options{}); }
    // A stored body ("doc" key), parsed first.
    static std::string plain(std::string_view body, const Options& options);
    // One line for tool tips and lists: the brief, else the first sentence of the first
    // paragraph, cut at a word with "…" past maxLength code points.
    static std::string summary(const DocComment& doc, std::size_t maxLength = 160);
    static std::string summary(std::string_view body, std::size_t maxLength = 160);

    // Greedy wrapping of one paragraph: the first line starts with firstIndent, the rest with
    // indent; hard breaks ("\n") kept; a word longer than the width stands on a line of its own.
    static std::string wrap(std::string_view text, std::size_t width, std::string_view firstIndent,
                            std::string_view indent);
};

}  // namespace kestrel
