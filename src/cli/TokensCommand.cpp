#include "cli/TokensCommand.h"

#include <filesystem>
#include <fstream>

#include "core/parse/TextBuffer.h"
#include "core/platform/RegularFile.h"

namespace kestrel::cli {

namespace {

void writeEscaped(const std::string& text, std::ostream& out) {
    for (char c : text) {
        switch (c) {
            case '\r': out << "\\r"; break;
            case '\n': out << "\\n"; break;
            case '\t': out << "\\t"; break;
            default: out << c; break;
        }
    }
}

int run(const Command& self, const std::vector<std::string>& args, CommandIO& io) {
    bool withSpaces = false;
    std::string path;
    bool havePath = false;
    for (const auto& a : args) {
        if (a == "--with-spaces") {
            withSpaces = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError(self, "unknown option '" + a + "'", io.err);
        } else if (havePath) {
            return usageError(self, "one FILE only", io.err);
        } else {
            path = a;
            havePath = true;
        }
    }
    if (!havePath) return usageError(self, "FILE is missing", io.err);
    // The reader takes an unreadable file for an empty one; here the user hears of it.
    if (std::optional<std::string> problem = RegularFile::readProblem(path)) {
        io.err << "kestrel tokens: cannot read '" << path << "': " << *problem << "\n";
        return kExitNothing;
    }
    TextBuffer buffer = TextBuffer::initByPath(path);
    TokensCommand::printTokens(buffer, withSpaces, io.out);
    return kExitFound;
}

}  // namespace

Command TokensCommand::command() {
    Command c{"tokens", "tokens [--with-spaces] FILE",
              "print each command of FILE as the header reader cuts it (status, tab, text)", nullptr};
    c.run = [c](const std::vector<std::string>& args, CommandIO& io) { return run(c, args, io); };
    return c;
}

void TokensCommand::printTokens(TextBuffer& buffer, bool withSpaces, std::ostream& out) {
    int status = 0;
    for (;;) {
        auto command = withSpaces ? buffer.getCommandWithStatusandSpace(status) : buffer.getCommandWithStatus(status);
        out << status << '\t';
        if (command) writeEscaped(*command, out);
        out << '\n';
        if (!command) break;
    }
}

}  // namespace kestrel::cli
