#pragma once
// The texts that the lists show, apart from the records themselves.
#include <map>
#include <string>
#include <vector>

namespace kestrel {

class ListText {
public:
    // A class or function list row: the name, or, with comments shown (useComment) and a
    // comment stored for the name, the comment's first line: the whole comment without a line
    // feed, the name when the comment begins with one, else the text before the first line
    // feed. Only the line feed counts as a line end here.
    static std::string classListRow(const std::string& name, const std::map<std::string, std::string>* comments,
                                    bool useComment);
    // A text as rows, each keeping its own line break (LF, CR, CR LF, NEL, LS, PS):
    // "a\nb" -> "a\n", "b". An empty text gives no rows.
    static std::vector<std::string> multiLineStrings(const std::string& text);
};

}  // namespace kestrel
