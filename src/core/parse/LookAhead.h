#pragma once
// Looking at the unread text of a header without reading it (TextBuffer::unreadText), for the
// few places where a word means one thing or another by what follows it:
//
//   - (void)drawFocusRingMask API_AVAILABLE(macos(10.7));   the word before "(" is no selector
//   APPKIT_EXTERN API_AVAILABLE(macos(10.5))
//   @interface NSCollectionView : NSView                    the export macro declares no function
//
// Blanks, line ends and comments are passed over; a directive stops the look.
#include <cstddef>
#include <string_view>

namespace kestrel {

class LookAhead {
public:
    // The first character of text that is no blank, line end or comment; '\0' at its end.
    static char nextSignificant(std::string_view text);
    // The first significant character of text after the words at its front: in
    // "NS_NOESCAPE ^)(id)" the "^".
    static char nextAfterWords(std::string_view text);
    // The same after one word only: in " anObject bar:(id)b" the "b"; '\0' when no word comes first.
    static char nextAfterWord(std::string_view text);
    // Whether text, after words and their parenthesised arguments (attribute macros), opens an
    // @interface or @protocol block. Looks at a bounded stretch of text only.
    static bool opensContainer(std::string_view text);

private:
    // The index of the first character after the blanks, line ends and comments from i.
    static std::size_t skipBlanks(std::string_view text, std::size_t i);
};

}  // namespace kestrel
