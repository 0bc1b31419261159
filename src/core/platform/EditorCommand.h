#pragma once
// The user's editor command ("Open in Editor"), turned into a program and its arguments without
// ever passing through a shell: the command is cut into words as a shell cuts them (blanks
// between words; '…' literal; "…" literal but for \" and \\; a backslash outside quotes keeps the
// next character), then %f (the file), %l (the line) and %% (a "%") are replaced inside each
// word. A command without %f gets the file as its last argument.
//
//   code --goto %f:%l          -> code  --goto  /h/NSView.h:42
//   kate --line %l %f          -> kate  --line  42  /h/NSView.h
//   "/opt/My Editor/ed" +%l    -> /opt/My Editor/ed  +42  /h/NSView.h
//   gvim '+%l' "%f"            -> gvim  +42  /h/NSView.h         (a path with blanks stays one word)
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class EditorCommand {
public:
    struct Launch {
        std::string program;
        std::vector<std::string> arguments;
        bool operator==(const Launch&) const = default;
    };

    // The words of a command; none, with the problem said, when a quote is left open.
    static std::optional<std::vector<std::string>> split(const std::string& command, std::string* problem = nullptr);
    // Whether the command names no program: the desktop's handler opens the file then.
    static bool isEmpty(const std::string& command);
    // What to start for file at line (a line below 1 counts as 1); none, with the problem, when
    // the command cannot be split or names no program.
    static std::optional<Launch> launch(const std::string& command, const std::string& file, int line,
                                        std::string* problem = nullptr);
};

}  // namespace kestrel
