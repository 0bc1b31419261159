#include "cli/TokensCommand.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "cli/Session.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/CompileTarget.h"
#include "core/parse/DefineEngin.h"
#include "core/parse/DefineMacroEngin.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/MultiComment.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/DataFolder.h"
#include "core/platform/FrameworksRoot.h"
#include "core/platform/ProcessState.h"
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

int run(const Command& self, std::vector<std::string> args, CommandIO& io) {
    bool withSpaces = false;
    bool conditions = false;
    std::optional<std::string> root;
    std::string problem;
    if (!Session::takeFrameworksRoot(args, root, problem)) return usageError(self, problem, io.err);
    std::string path;
    bool havePath = false;
    for (const auto& a : args) {
        if (a == "--with-spaces") {
            withSpaces = true;
        } else if (a == "--conditions") {
            conditions = true;
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
    if (root && !conditions) return usageError(self, "--frameworks-root goes with --conditions", io.err);
    if (withSpaces && conditions) return usageError(self, "--with-spaces and --conditions exclude each other", io.err);
    // The reader takes an unreadable file for an empty one; here the user hears of it.
    if (std::optional<std::string> problem = RegularFile::readProblem(path)) {
        io.err << "kestrel tokens: cannot read '" << path << "': " << *problem << "\n";
        return kExitNothing;
    }
    if (conditions) {
        ProcessState::frameworksRoot() = FrameworksRoot::resolve(root, DataFolder::getMainFolderPath());
        TokensCommand::printConditions(path, io.out);
        return kExitFound;
    }
    TextBuffer buffer = TextBuffer::initByPath(path);
    TokensCommand::printTokens(buffer, withSpaces, io.out);
    return kExitFound;
}

}  // namespace

Command TokensCommand::command() {
    Command c{"tokens", "tokens [--with-spaces] FILE | tokens --conditions [--frameworks-root DIR] FILE",
              "print each command of FILE as the header reader cuts it (status, tab, text), or with "
              "--conditions each #if condition with its line, value and why",
              nullptr};
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

void TokensCommand::printConditions(const std::string& path, std::ostream& out) {
    const std::string name = std::filesystem::path(path).filename().string();
    // The define pass of a build, then the header (if it lies outside the frameworks) and what
    // it imports: the macros a build's analysis of it would see.
    DefineEngin().doCalc();
    DefineMacroEngin(nullptr, std::nullopt).calcHeaderFile(path, name);
    out << "# target: " << CompileTarget::current()->getName() << "\n";

    const std::string text = RegularFile::read(path).value_or(std::string());
    TextBuffer buffer(text);
    CMacroEngin macro(&buffer, name);
    DefinedNames names;
    names.refresh(ProcessState::defineList());
    macro.setDefinedNames(&names);
    macro.setHeaderPath(path);
    macro.setDecisionObserver([&](const CMacroEngin::Decision& decision) {
        const std::size_t offset = std::min(decision.offset, text.size());
        const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n');
        out << line << "\t#" << decision.directive << ' ';
        writeEscaped(decision.condition, out);
        out << '\t' << (decision.value ? 1 : 0);
        if (decision.reason) out << '\t' << *decision.reason;
        out << '\n';
    });
    // Read as the analysis reads it: comments skipped, directives to the evaluator.
    MultiComment comment(&buffer, &macro);
    int status = 0;
    while (auto command = buffer.getCommandWithStatus(status)) {
        if (status == kLineComment) buffer.deleteLineBuffer();
        else if (status == kBlockOpen) comment.doAnalyse(*command);
        else if (status == kHash) macro.doCalc();
    }
}

}  // namespace kestrel::cli
