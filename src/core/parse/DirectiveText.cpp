#include "core/parse/DirectiveText.h"

#include <string_view>

#include "core/parse/TextBuffer.h"
#include "core/platform/ByteScan.h"

namespace kestrel {

namespace {

// Whether a block comment is open after piece, given whether one was open before it. Literals
// and line comments end with their line, so one line at a time is enough.
bool commentOpenAfter(std::string_view piece, bool open) {
    std::size_t i = 0;
    while (i < piece.size()) {
        if (open) {
            const std::size_t end = piece.find("*/", i);
            if (end == std::string_view::npos) return true;
            open = false;
            i = end + 2;
            continue;
        }
        i = ByteScan::firstOf(piece, i, '/', '"', '\'');
        if (i >= piece.size()) break;
        const char c = piece[i];
        const char next = i + 1 < piece.size() ? piece[i + 1] : '\0';
        if (c == '/' && next == '*') {
            open = true;
            i += 2;
        } else if (c == '/' && next == '/') {
            const std::size_t end = piece.find('\n', i);
            if (end == std::string_view::npos) return false;
            i = end + 1;
        } else if (c == '"' || c == '\'') {
            for (++i; i < piece.size() && piece[i] != c && piece[i] != '\n'; ++i)
                if (piece[i] == '\\') ++i;
            ++i;
        } else {
            ++i;
        }
    }
    return open;
}

}  // namespace

bool DirectiveText::endsInComment(const std::string& text) { return commentOpenAfter(text, false); }

std::string DirectiveText::read(TextBuffer& buffer) {
    std::string text;
    if (!buffer.hasLineText()) return text;  // the directive's word ended the text
    bool comment = false;
    for (;;) {
        std::optional<std::string_view> line = buffer.getLineStrings();
        if (!line) break;
        // A view of the line: it stays in the buffer, which the reading on does not change.
        std::string_view piece = *line;
        buffer.deleteLineBuffer();
        const bool terminated = !piece.empty() && (piece.back() == '\n' || piece.back() == '\r');
        if (!piece.empty() && piece.back() == '\n') piece.remove_suffix(1);
        if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
        // "\" then the line end, blanks between allowed (a compiler warns, and joins).
        std::size_t last = piece.find_last_not_of(" \t");
        const bool continued = last != std::string_view::npos && piece[last] == '\\';
        if (continued) piece = piece.substr(0, last);
        comment = commentOpenAfter(piece, comment);
        text += piece;
        if (!terminated) break;
        if (continued) continue;
        if (!comment) break;
        text += '\n';
    }
    return text;
}

}  // namespace kestrel
