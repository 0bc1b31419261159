#include "core/parse/ImportHints.h"

#include <cstring>

namespace kestrel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<ImportHints::Name> ImportHints::scan(std::string_view text) {
    std::vector<Name> names;
    for (std::size_t at = 0; at < text.size();) {
        const void* hash = std::memchr(text.data() + at, '#', text.size() - at);
        if (!hash) break;
        std::size_t i = static_cast<std::size_t>(static_cast<const char*>(hash) - text.data());
        at = i + 1;
        std::size_t before = i;  // only blanks before it on its line
        while (before > 0 && isBlank(text[before - 1])) --before;
        if (before > 0 && text[before - 1] != '\n' && text[before - 1] != '\r') continue;
        for (++i; i < text.size() && isBlank(text[i]);) ++i;
        const std::string_view rest = text.substr(i);
        const std::size_t word = rest.starts_with("import") ? 6 : rest.starts_with("include") ? 7 : 0;
        if (word == 0 || word >= rest.size() || (!isBlank(rest[word]) && rest[word] != '<' && rest[word] != '"')) continue;
        for (i += word; i < text.size() && isBlank(text[i]);) ++i;
        if (i >= text.size() || (text[i] != '<' && text[i] != '"')) continue;
        const bool angled = text[i] == '<';
        const std::size_t end = text.find_first_of(angled ? std::string_view(">\n") : std::string_view("\"\n"), i + 1);
        if (end == std::string_view::npos || text[end] == '\n' || end == i + 1) continue;
        names.push_back({std::string(text.substr(i + 1, end - i - 1)), angled});
        at = end + 1;
    }
    return names;
}

}  // namespace kestrel
