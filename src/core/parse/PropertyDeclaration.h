#pragma once
// A property declaration in a class, category or protocol body, read after "@property" up to
// its ";" and turned into the method strings of its accessors, normalised as the interface
// analyser normalises a method written out:
//
//   @property (copy) NSString *title;                   -> -(NSString*)title
//                                                          -(void)setTitle:(NSString*)title
//   @property (readonly, getter=isHidden) BOOL hidden;  -> -(BOOL)isHidden
//   @property (setter=setTag:) int a, *b;               -> -(int)a  -(void)setTag:(int)a
//                                                          -(int*)b -(void)setTag:(int*)b
//   @property (class, readonly) id shared;              -> +(id)shared
//   @property (copy) void (^handler)(int);              -> the name is the word after "^"
//   @property BOOL on NS_SWIFT_UI_ACTOR API_AVAILABLE(macos(10.7));   -> -(BOOL)on -(void)setOn:(BOOL)on
//   @property (copy) void (NS_SWIFT_SENDABLE ^done)(void) API_DEPRECATED("...", macos(10.0, 10.9));
//                                                       -> -(void(^)(void))done ...
//
// Other attributes (copy, nonatomic, nullable, ...) change no accessor and are passed over.
// Attribute macros go: what follows the declarator, the words before a block's caret, and
// anywhere what the define records call an attribute (IBOutlet, NS_NOESCAPE, __attribute__).
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class CMacroEngin;
class MacroKeywordSource;
class TextBuffer;

class PropertyDeclaration {
public:
    // A command as the buffer cut it: a view of the header's text (which never changes while it
    // is read), or of a delimiter's or a literal's spelling.
    struct Command {
        int status;
        std::string_view text;
    };

    // Reads the declaration whose "@property" was just read. Directives inside it go to macro;
    // comments, strings and line ends are passed over. A declaration that the text ends inside
    // gives no accessor; one that "@end" cuts short gives none either and sets blockEnded.
    // keywords tells which words the define records call attributes; with none, none.
    static PropertyDeclaration read(TextBuffer& buffer, CMacroEngin* macro, MacroKeywordSource* keywords = nullptr);
    // The accessors of a declaration given as its commands, without "@property" and ";".
    static std::vector<std::string> accessorsOf(const std::vector<Command>& commands,
                                                MacroKeywordSource* keywords = nullptr);

    std::vector<std::string> accessors;  // getter, then setter, for each name in order
    bool blockEnded = false;             // "@end" was read: the caller's block is over
};

}  // namespace kestrel
