#pragma once
// `kestrel tokens [--with-spaces] FILE`: prints each command of a file as the reader cuts it,
// one per line: the status, a tab, and the text with CR, LF and tab written as \r, \n and \t
// (nothing after the tab for the closing status 100).
#include <ostream>

#include "cli/CommandLine.h"

namespace kestrel {
class TextBuffer;
}

namespace kestrel::cli {

class TokensCommand {
public:
    static Command command();
    // Writes the listing of the buffer to out; withSpaces keeps blanks as commands of status 1 and 2.
    static void printTokens(TextBuffer& buffer, bool withSpaces, std::ostream& out);
};

}  // namespace kestrel::cli
