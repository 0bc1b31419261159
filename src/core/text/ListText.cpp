#include "core/text/ListText.h"

namespace kestrel {

namespace {

// The length of the line break (UTF-8) that starts at text[i], 0 for none.
std::size_t lineBreakAt(const std::string& text, std::size_t i) {
    auto at = [&](std::size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    switch (at(i)) {
    case '\n':
        return 1;
    case '\r':
        return at(i + 1) == '\n' ? 2 : 1;
    case 0xC2:  // NEL, U+0085
        return at(i + 1) == 0x85 ? 2 : 0;
    case 0xE2:  // LS and PS, U+2028 and U+2029
        return at(i + 1) == 0x80 && (at(i + 2) == 0xA8 || at(i + 2) == 0xA9) ? 3 : 0;
    default:
        return 0;
    }
}

}  // namespace

// An empty comment shows the name too: a row is never blank.
std::string ListText::classListRow(const std::string& name, const std::map<std::string, std::string>* comments,
                                   bool useComment) {
    if (!useComment || !comments) return name;
    auto found = comments->find(name);
    if (found == comments->end() || found->second.empty()) return name;
    const std::string& comment = found->second;
    std::size_t lf = comment.find('\n');
    if (lf == std::string::npos) return comment;
    if (lf == 0) return name;
    return comment.substr(0, lf);
}

std::vector<std::string> ListText::multiLineStrings(const std::string& text) {
    std::vector<std::string> rows;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (std::size_t n = lineBreakAt(text, i)) {
            rows.push_back(text.substr(start, i + n - start));
            i += n;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) rows.push_back(text.substr(start));
    return rows;
}

}  // namespace kestrel
