#include "core/parse/StringLiteral.h"

#include <string_view>

#include "core/parse/TextBuffer.h"

namespace kestrel {

void StringLiteral::skipRest(TextBuffer& buffer) {
    if (!buffer.hasLineText()) return;  // the quote ended its line
    const std::string_view rest = buffer.unreadText();
    std::size_t i = 0;
    while (i < rest.size() && rest[i] != '\n' && rest[i] != '\r') {
        if (rest[i] == '\\' && i + 1 < rest.size() && rest[i + 1] != '\n') {
            i += 2;
        } else if (rest[i++] == '"') {
            break;
        }
    }
    buffer.deleteLineHead(i);
}

}  // namespace kestrel
