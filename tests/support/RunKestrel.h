#pragma once
// Runs the built kestrel executable with HOME (and the preferences folder) pointed at a test
// folder, and answers its exit status and what it printed.
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace kestrel::test {

struct KestrelRun {
    int status = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

inline std::string shellQuote(const std::string& s) {
    std::string out(1, '\'');
    for (char c : s) {
        if (c == '\'') out.append("'\\''");
        else out.push_back(c);
    }
    out.push_back('\'');
    return out;
}

inline std::string readWhole(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
        std::fclose(f);
    }
    return text;
}

// environment: further options for env ("-u DISPLAY"). limits: shell commands run before
// kestrel starts, for the limits it runs under ("ulimit -s 1024").
inline KestrelRun runKestrel(const std::string& home, const std::vector<std::string>& args,
                             const std::string& environment = "", const std::string& limits = "") {
    // Built with append: GCC 12 warns falsely (-Wrestrict) on chains of literal + string.
    std::string errPath(home);
    errPath.append("/.kestrel-stderr");
    std::string command;
    if (!limits.empty()) command.append("sh -c ").append(shellQuote(limits + "; exec \"$@\"")).append(" sh ");
    command.append("env -u KESTREL_FRAMEWORKS_ROOT ");
    if (!environment.empty()) command.append(environment).append(" ");
    command.append("HOME=").append(shellQuote(home)).append(" XDG_CONFIG_HOME=").append(shellQuote(home + "/.config"));
    command.append(" ").append(shellQuote(KESTREL_BINARY));
    for (const auto& a : args) command.append(" ").append(shellQuote(a));
    command.append(" 2>").append(shellQuote(errPath)).append(" </dev/null");
    KestrelRun run;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) run.out.append(buf, n);
        int raw = ::pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    run.err = readWhole(errPath);
    std::remove(errPath.c_str());
    return run;
}

}  // namespace kestrel::test
