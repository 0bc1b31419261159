#include "core/parse/StaticInline.h"

#include <cctype>

#include "core/parse/TextBuffer.h"

namespace kestrel {

bool StaticInline::isInlineWord(std::string_view word) {
    return word == "inline" || word == "__inline__" || word == "__inline";
}

bool StaticInline::readInline(TextBuffer& buffer) {
    std::string_view rest = buffer.unreadText();
    std::size_t begin = rest.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return false;
    std::size_t end = begin;
    while (end < rest.size() && (std::isalnum(static_cast<unsigned char>(rest[end])) || rest[end] == '_')) ++end;
    if (!isInlineWord(rest.substr(begin, end - begin))) return false;
    int status = 0;
    buffer.getCommandWithStatus(status);
    return true;
}

}  // namespace kestrel
