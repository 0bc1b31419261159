#include "core/parse/DirectiveLines.h"

#include <string_view>

#include "core/parse/CMacroEngin.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ByteScan.h"

namespace kestrel {

namespace {

// The length of the directive's text from the start of rest: its line and every line that
// the one before continues, each with its line end.
std::size_t directiveLength(std::string_view rest) {
    std::size_t at = 0;
    while (at < rest.size()) {
        const std::size_t end = ByteScan::firstOf(rest, at, '\r', '\n');
        if (end == rest.size()) return rest.size();
        std::size_t last = end;
        while (last > at && (rest[last - 1] == ' ' || rest[last - 1] == '\t')) --last;
        const bool continued = last > at && rest[last - 1] == '\\';
        at = end + 1;
        if (rest[end] == '\r' && at < rest.size() && rest[at] == '\n') ++at;
        if (!continued) return at;
    }
    return at;
}

}  // namespace

void DirectiveLines::run(TextBuffer& buffer, CMacroEngin* macro) {
    const std::string_view rest = buffer.unreadText();
    const char* end = rest.data() + directiveLength(rest);
    if (macro)
        macro->doCalc();
    else
        buffer.deleteLineBuffer();
    // Whatever the evaluator read, the lines it left of this directive go.
    while (buffer.unreadText().data() < end && buffer.getLineStrings()) buffer.deleteLineBuffer();
}

}  // namespace kestrel
