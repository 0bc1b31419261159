#pragma once
// The tokens of one C declaration, with the blanks written before each, so that a text can be
// put back together as the header wrote it once some tokens are left out:
//
//   "NSString *NSFoo API_AVAILABLE(macos(10.0))"
//     -> Word "NSString", Punct "*" (" "), Word "NSFoo", Word "API_AVAILABLE" (" "), Punct "(",
//        Word "macos", Punct "(", Word "10.0", Punct ")", Punct ")"
//
// A word is a name, a number or a keyword ("@interface" too); a literal is a quoted string or
// character; everything else is one punctuation character ("..." is one token). Bytes that are
// not ASCII are read as parts of words.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct CToken {
    enum class Kind { Word, Punct, Literal };

    std::string text;
    Kind kind = Kind::Word;
    bool spaceBefore = false;  // blanks or line ends stood before it

    bool is(std::string_view s) const { return text == s; }
    bool isWord() const { return kind == Kind::Word; }
    // A word that can name something: a letter or "_" first ("10.0" and "@end" cannot).
    bool isName() const;
};

using CTokens = std::vector<CToken>;

class CTokenizer {
public:
    static CTokens tokenize(std::string_view text);
    // The tokens put back together: one space where any blanks stood, none before the first.
    static std::string join(const CTokens& tokens, std::size_t begin = 0, std::size_t end = std::string::npos);
    // The index after the bracket that closes the one at open ("(", "[", "{" or "<"), or the end
    // when it is never closed.
    static std::size_t skipBalanced(const CTokens& tokens, std::size_t open);
    // The index of that closing bracket, or npos when it is never closed.
    static std::size_t closing(const CTokens& tokens, std::size_t open);
};

}  // namespace kestrel
