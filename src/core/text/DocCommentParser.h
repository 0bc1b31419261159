#pragma once
// Reads a documentation comment's body (as stored: delimiters and leading stars removed, lines
// joined by "\n") into a DocComment. The tags of HeaderDoc and Doxygen divide it:
//
//   @abstract, @brief, \brief, \short        -> brief (to the next tag or blank line)
//   @discussion, \details                    -> the discussion
//   @param x, \param[in] x, @tparam          -> parameters          @const, @constant, @field -> fields
//   @result, @return(s), \retval             -> returns             @throws, @exception       -> throws
//   @see, @seealso, \sa                      -> see-also
//   @note, @warning, @deprecated, @since ... -> labelled paragraphs ("Note", "Warning", ...), in place;
//                                               any other @word opening a line likewise
//   @method, @class, @function, @typedef ... -> header lines of HeaderDoc, dropped with their line
//   @code ... @endcode, \verbatim ...        -> a code block, as written
//
// A tag opens a line or follows a blank; the text between tags goes through DocCommentMarkup
// (GNUstep's and HTML's tags, Doxygen's inline commands, entities). A text still carrying its
// delimiters ("/** ... */", " * " before each line) is taken as well. Any bytes are safe.
#include <string_view>

#include "core/text/DocComment.h"

namespace kestrel {

class DocCommentParser {
public:
    static DocComment parse(std::string_view body);
    // The body without comment delimiters: "/**", "/*!", "*/", "///", "//!", "///<" and the
    // leading "*" of every line (when every line that says something has one).
    static std::string stripDelimiters(std::string_view text);
};

}  // namespace kestrel
