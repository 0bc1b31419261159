#pragma once
// A string literal in a header, read past as a whole. The command reader knows no strings: it
// hands out a double quote and then the words of the string, so that a ";" or a word such as
// "-drawRect:" inside a deprecation message would read as declaration text:
//
//   - (void)lockFocus API_DEPRECATED("implement -drawRect:; AppKit will call -drawRect:", macos(10.0,10.14));
namespace kestrel {

class TextBuffer;

class StringLiteral {
public:
    // Called right after the opening quote: consumes the string up to and including its
    // closing quote (a backslash escapes the character after it). A string not closed on its
    // line ends at the line end, which is left to be read.
    static void skipRest(TextBuffer& buffer);
};

}  // namespace kestrel
