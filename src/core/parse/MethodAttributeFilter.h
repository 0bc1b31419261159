#pragma once
// Leaves attribute and availability macros out of a method declaration's commands. The method
// maker removes every blank, so a macro left in would be glued to the words around it and
// change the selector or the argument names:
//
//   - (void)drawFocusRingMask API_AVAILABLE(macos(10.7));  -> -(void)drawFocusRingMask
//   - (instancetype)init NS_UNAVAILABLE;                   -> -(instancetype)init
//   + (id) NS_RETURNS_RETAINED leak: (id)anObject;         -> +(id)leak:(id)anObject
//   - (id) unique: (id) NS_CONSUMED anObject;              -> -(id)unique:(id)anObject
//   - (void)restore:(id)state NS_SWIFT_UI_ACTOR API_AVAILABLE(macos(10.10));
//                                                          -> -(void)restore:(id)state
//   + (id) stringWithFormat: (NSString*)f, ... NS_FORMAT_FUNCTION(1,2);
//                                                          -> +(id)stringWithFormat:(NSString*)f ,...
//   - (void)run:(NS_NOESCAPE void (^)(void))block;         -> -(void)run:(void(^)(void))block
//
// Outside parentheses a method holds nothing but its selector parts and argument names, so
// where the grammar leaves no room for another word, a word is an attribute, whatever it is:
// after a selector without arguments, after an argument name unless a ":" follows (the next
// selector part), and wherever a word is followed by "(" (a macro's arguments). Where a word
// could be either -- before a selector without arguments, before an argument name -- it is an
// attribute when it is written like a macro (capitals, digits and a "_") or as a reserved word
// ("__foo"), and the header's define records say that it expands to nothing or to an
// attribute (see MacroKeywordSource) or, for the former, know no definition of it.
// Inside the parentheses of a type only what the define records show to be an attribute,
// "__attribute__" and a word before a block's caret go; the rest of a type stays as written
// (GS_GENERIC_TYPE(T), nullable, __kindof, generics). A dropped word's arguments go with it, strings in them whole.
#include <string>
#include <string_view>

#include "core/parse/TextBuffer.h"

namespace kestrel {

class MacroKeywordSource;

class MethodAttributeFilter {
public:
    // keywords: the driver, or none (then only the spelling decides). buffer: the text being
    // read, looked at to see what follows a word; with none, nothing is seen to follow.
    MethodAttributeFilter(MacroKeywordSource* keywords, TextBuffer* buffer) : keywords(keywords), buffer(buffer) {}

    // Whether the command belongs to an attribute and is left out. inDeclaration: a method's
    // sign has come and its ";" not yet. Called for every command of a body.
    bool drops(int status, std::string_view command, bool inDeclaration);

    // "NS_RETURNS_RETAINED", "GS_API_MACOSX": capitals, digits and "_", with a "_" and a letter.
    static bool isWrittenAsMacro(std::string_view word);
    // Where a word may be an attribute or a name: written like a macro or as a reserved word,
    // and the define records call it an attribute or (for the former) do not know it.
    static bool isAttribute(MacroKeywordSource* keywords, std::string_view word);
    // Inside a type: "__attribute__", or what the define records call an attribute (never a
    // qualifier such as nullable or __kindof).
    static bool isKnownAttribute(MacroKeywordSource* keywords, std::string_view word);

private:
    // Where in a declaration the next command stands (outside parentheses).
    enum class Slot {
        ReturnType,      // right after the sign
        Selector,        // where the first selector part begins
        AfterSelector,   // after a selector without arguments: only attributes follow
        AfterColon,      // after a selector part's ":", before the argument's type or name
        ArgumentName,    // after an argument's type
        AfterArgument,   // after an argument's name: the next selector part or attributes
        VariadicTail,    // after the "," of ", ..."
    };

    bool dropsWord(std::string_view word);
    bool dropsInType(std::string_view word);
    bool dropsArguments(int status, std::string_view command, bool inDeclaration);
    // Leaves word out, and the "(...)" right after it.
    bool drop() { afterDropped = true; return true; }
    bool isAttribute(std::string_view word) const { return isAttribute(keywords, word); }
    char next() const;           // the first character after the command just read
    char afterNextWord() const;  // the one after the word that follows it
    void reset();

    MacroKeywordSource* keywords;
    TextBuffer* buffer;
    Slot slot = Slot::ReturnType;
    bool argumentType = false;  // the open type is an argument's (else the return type)
    int typeDepth = 0;          // inside the parentheses of a type
    bool afterDropped = false;  // the command before was a dropped word
    int depth = 0;              // inside a dropped word's arguments
};

}  // namespace kestrel
