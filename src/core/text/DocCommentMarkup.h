#pragma once
// The markup inside a documentation comment's text, read into plain blocks: GNUstep's
// autogsdoc tags and the HTML that Apple's HeaderDoc comments use, Doxygen's inline commands,
// character entities, and the Markdown-ish habits of both (bullets, fenced code):
//
//   "<p>Returns <code>nil</code> when &lt;empty&gt;.</p><list><item>one</item><item>two</item></list>"
//     -> Paragraph "Returns nil when <empty>.", Bullet "one", Bullet "two"
//   "Compare with @c isEqual: and \p other.<br/>Second line"  -> Paragraph "Compare with isEqual: and other.\nSecond line"
//   "<deflist><term>%d</term><desc>the day</desc></deflist>"  -> Term "%d", Definition "the day"
//   "<example>\n  x &lt; y\n</example>", "```\nx < y\n```"   -> Code "x < y"
//   "<override-subclass />"                                   -> Labelled "Note": "Subclasses must override this method."
//
// A blank line ends a paragraph; a line starting "- ", "* " or "+ " is a bullet, "1. " a
// numbered item. Tags it does not know ("id <NSCoding>") stay as written. Any bytes are safe:
// one pass, every step moves on.
#include <string>
#include <string_view>
#include <vector>

#include "core/text/DocComment.h"

namespace kestrel {

class DocCommentMarkup {
public:
    static std::vector<DocComment::Block> blocks(std::string_view text);
    // The blocks' texts on one line each, for a parameter's or a field's text.
    static std::string inlineText(std::string_view text);
    // Lines of code as written: the common indentation and the blank lines around removed;
    // with entities true, "&lt;" and the like decoded (GNUstep's <example>).
    static std::string codeText(std::string_view raw, bool entities);
    // "&lt;" -> "<", "&#169;" -> "©"; an unknown entity is none and answers 0.
    static std::size_t decodeEntity(std::string_view text, std::string& out);
};

}  // namespace kestrel
