#pragma once
// Reads the text of one C declaration from a header's buffer, up to its ";" or through the body
// of a function that it defines, the way every declaration analyser needs it: block comments
// and line comments left out, directives handed to the evaluator, line ends read as spaces.
//
//   "NSRect NSMakeRect(CGFloat x,\n   CGFloat y) { ... }  next"
//       -> text "NSRect NSMakeRect(CGFloat x,    CGFloat y) ", a body; reading goes on at "next"
//   "NSString *a = @\"x\", *b;"     -> text "NSString *a = @\"x\", *b"
//   "APPKIT_EXTERN\n@interface Foo" -> no declaration: "@interface" is handed back to the driver
//
// A "{" after "=" opens an initializer, and one after "struct X", "union X" or "enum X" a body
// of that type; both stay in the text. Any other "{" opens a function's body, which is skipped.
// A "}" that no "{" of the declaration opened (the end of an extern "C" block) ends it unread.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class CMacroEngin;
class TextBuffer;

class StatementReader {
public:
    // Whether a word read outside parentheses and braces belongs to no declaration and is to
    // be handed back: "@interface", "typedef", ... The buffer is there to look ahead.
    using Stops = std::function<bool(std::string_view word, TextBuffer& buffer)>;

    struct Statement {
        std::string text;
        bool complete = false;     // ended by its ";" or by the body of a function
        bool body = false;         // a function's body followed its head and was skipped
        std::optional<std::string> handedBack;  // the word that ended it, unread by anyone
        int handedBackStatus = 0;
    };

    // macro may be none (directives are then dropped); stops may be empty (only words that
    // begin with "@" are handed back).
    StatementReader(TextBuffer& buffer, CMacroEngin* macro, Stops stops = {});

    // first: the text already read (the driver's first word), put in front.
    Statement read(const std::string& first = "");
    // Braces read as text whatever opens them (a typedef has no function body).
    void keepBodies() { bodiesAreText = true; }

    // Whether the unread text, right after the word "struct", "union" or "enum", goes on to a
    // body of that type: "_Foo {", "__attribute__((packed)) Foo {"; not "_Foo *f(void) {".
    static bool typeBodyFollows(TextBuffer& buffer);

private:
    void skipBody();

    TextBuffer& buffer;
    CMacroEngin* macro;
    Stops stops;
    bool bodiesAreText = false;
};

}  // namespace kestrel
