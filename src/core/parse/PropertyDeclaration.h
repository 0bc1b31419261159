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
//
// Other attributes (copy, nonatomic, nullable, ...) change no accessor and are passed over.
#include <string>
#include <vector>

namespace kestrel {

class CMacroEngin;
class TextBuffer;

class PropertyDeclaration {
public:
    struct Command {
        int status;
        std::string text;
    };

    // Reads the declaration whose "@property" was just read. Directives inside it go to macro;
    // comments and line ends are passed over. A declaration that the text ends inside gives no
    // accessor; one that "@end" cuts short gives none either and sets blockEnded.
    static PropertyDeclaration read(TextBuffer& buffer, CMacroEngin* macro);
    // The accessors of a declaration given as its commands, without "@property" and ";".
    static std::vector<std::string> accessorsOf(const std::vector<Command>& commands);

    std::vector<std::string> accessors;  // getter, then setter, for each name in order
    bool blockEnded = false;             // "@end" was read: the caller's block is over
};

}  // namespace kestrel
