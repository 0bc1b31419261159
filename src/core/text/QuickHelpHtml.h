#pragma once
// Quick Help as the rich text a Qt text view shows (the subset of HTML it reads): the
// documentation in paragraphs, lists and code, the parameters as a table, the availability
// lines (deprecations in the warning colour), and the place as a link:
//
//   <p style="color:#8a8a8a">From NSView:</p>
//   <p>Makes a rectangle.</p> ... <p><b>Parameters</b></p><table>...<i>w</i> ... The width.</table>
//   <p>macOS 10.0+<br/><span style="color:#c0392b">Deprecated in macOS 10.14: use -newThing</span></p>
//   <p>Declared in <a href="kestrel-place:">NSView.h, line 120</a></p>
// A subject without documentation says so, dimmed, in a short line; every text is escaped.
#include <string>
#include <string_view>

#include "core/text/QuickHelpText.h"

namespace kestrel {

class QuickHelpHtml {
public:
    struct Style {
        std::string dim = "#808080";      // placeholders and "From NSView:"
        std::string warning = "#c0392b";  // deprecations
    };
    // The link the place carries.
    static constexpr std::string_view placeLink = "kestrel-place:";

    static std::string render(const QuickHelpText::Content& content, const Style& style);
    // A short dimmed line where there is nothing to show.
    static std::string placeholder(std::string_view text, const Style& style);
    // &, <, >, " as entities; line breaks as <br/>.
    static std::string escape(std::string_view text);
};

}  // namespace kestrel
