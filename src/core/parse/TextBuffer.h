#pragma once
// The command reader: hands a text out line by line as small pieces ("commands"), each with a
// status that says which delimiter it is, or 0 for a word. It knows no C syntax at all. A NUL
// byte in the text reads as a space.
//
//   "- (void)setFoo:(id)foo;\n"  ->  "-" 0, "(" 10, "void" 0, ")" 11, "setFoo" 0, ":" 4,
//                                    "(" 10, "id" 0, ")" 11, "foo" 0, ";" 5, "\n" 18, then 100.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

enum CommandStatus : int {
    kWord = 0,
    kSpace = 1,
    kTab = 2,
    kComma = 3,
    kColon = 4,
    kSemicolon = 5,
    kQuote = 6,
    kHash = 7,
    kLess = 8,
    kGreater = 9,
    kOpenParen = 10,
    kCloseParen = 11,
    kOpenBrace = 12,
    kCloseBrace = 13,
    kLineComment = 14,
    kBlockOpen = 15,
    kBlockClose = 16,
    kCR = 17,
    kLF = 18,
    kEnd = 100
};

class TextBuffer {
public:
    explicit TextBuffer(std::string text);  // initByString:
    // initByPath: reads the file's bytes as they are; an unreadable or missing file is an empty text.
    static TextBuffer initByPath(const std::string& path);

    // The unread rest of the current line, terminator included; when it is used up, the next
    // line of the text is taken. nullopt at the end of the text. The view lives until the next
    // call that changes the buffer.
    std::optional<std::string_view> getLineStrings();
    // Consumes count characters from the front of the current line (at most what it holds).
    void deleteLineHead(std::size_t count);
    // True while the current line still holds unread text (never takes a new line).
    bool hasLineText() const { return lineBegin_ < lineEnd_; }
    // Everything not read yet, the rest of the current line first; for looking ahead without
    // reading. The view lives until the buffer is destroyed.
    std::string_view unreadText() const {
        return std::string_view(buffer_).substr(lineBegin_ < lineEnd_ ? lineBegin_ : mainLocation_);
    }

    // Strips leading blanks, then cuts one command off the line. nullopt and status 100 at the
    // end, and again on every later call.
    std::optional<std::string> getCommandWithStatus(int& status);
    // The same as a view (see getCommandViewAndSpace): the readers' loops, which look at most
    // commands only to pass them by.
    std::optional<std::string_view> getCommandView(int& status);
    // The same without stripping: spaces and tabs come out as commands of status 1 and 2.
    std::optional<std::string> getCommandWithStatusandSpace(int& status);
    // The same as a view, of the text or of a delimiter's spelling: it stays valid while the
    // buffer lives where it is (the text is never changed), and no string is made per command.
    std::optional<std::string_view> getCommandViewAndSpace(int& status);
    // Cuts commands as getCommandWithStatus does, without handing out those no directive
    // reader looks at: stops after cutting a "#", "//" or "/*" and says which in status (true),
    // or at the end (false, status 100). A reader that wants only directives and comments reads
    // a header without making a string of every word.
    bool skipToMark(int& status);
    // Reads on to just past the next "*/" (the end of a block comment), leaving the rest of its
    // line to read, as reading line by line and dropping each line without one would: false,
    // with everything read, when there is none.
    bool skipPast(std::string_view closer);
    // Where in the text the next command would start (an offset into it).
    std::size_t readOffset() const { return lineBegin_ < lineEnd_ ? lineBegin_ : mainLocation_; }
    // Drops the rest of the current line; the next command comes from the next line.
    void deleteLineBuffer() { lineBegin_ = lineEnd_; }
    // Passes the spaces and tabs that follow on the line.
    void skipBlanks() {
        while (lineBegin_ < lineEnd_ && (buffer_[lineBegin_] == ' ' || buffer_[lineBegin_] == '\t')) ++lineBegin_;
    }

    // Where reading stands, to stand there again: the part not taken into a line, and the line.
    struct Position {
        std::size_t main = 0;
        std::size_t begin = 0;
        std::size_t end = 0;
        bool operator==(const Position&) const = default;
    };
    Position position() const { return {mainLocation_, lineBegin_, lineEnd_}; }
    void moveTo(const Position& at) {
        mainLocation_ = at.main;
        lineBegin_ = at.begin;
        lineEnd_ = at.end;
    }

    // The whole text, given up (the buffer is empty after).
    std::string release() && {
        std::string text = std::move(buffer_);
        buffer_.clear();
        mainLocation_ = lineBegin_ = lineEnd_ = 0;
        return text;
    }

    static void deleteTopSpace(std::string& s);  // leading spaces and tabs
    static void deleteCRLF(std::string& s);      // one trailing LF, then one trailing CR

private:
    std::optional<std::string> cutCommand(int& status) { return std::string(cutCommandView(status)); }
    std::string_view cutCommandView(int& status);

    std::string buffer_;         // the whole text, never changed
    std::size_t mainLocation_;   // start of the part not yet taken into a line
    // The current line is buffer_[lineBegin_, lineEnd_): consuming it moves lineBegin_ only,
    // so cutting a command never copies or re-searches the rest of the line.
    std::size_t lineBegin_ = 0;
    std::size_t lineEnd_ = 0;
    // Whether any CR stands in the text: most headers end their lines with LF alone, and their
    // lines need no second search for one.
    bool hasCR_ = true;
};

}  // namespace kestrel
