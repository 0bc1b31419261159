#pragma once
// `kestrel tokens [--with-spaces] FILE`: prints each command of a file as the reader cuts it,
// one per line: the status, a tab, and the text with CR, LF and tab written as \r, \n and \t
// (nothing after the tab for the closing status 100).
//
// `kestrel tokens --conditions [--frameworks-root DIR] FILE`: prints instead each condition
// the evaluator decides in FILE, as a build reads it (the define pass over the frameworks root,
// and over FILE and what it imports, for the root's target), one per line: the line number, the
// directive and its condition, the value (1 taken, 0 not), and why it is 0 when it could not be
// evaluated:
//
//   # target: macOS 14.2 SDK (x86_64)
//   12	#if TARGET_OS_OSX	1
//   40	#elif 1/0	0	division by zero
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
    // Writes the conditions of the header at path, under the process's frameworks root, after a
    // define pass over it.
    static void printConditions(const std::string& path, std::ostream& out);
};

}  // namespace kestrel::cli
