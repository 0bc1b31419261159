#pragma once
// What the user takes away: a stored method declaration (the normalised form of the analysers)
// or a function's stored declaration, as text to paste, in the drag style chosen in the main
// window (DragStyle: 0 declaration style, 2 snippet style (SnippetText), anything else call
// style).
//
//   method, receiver NSView         declaration style                     call style
//   -(id)initWithFrame:(NSRect)r     -(id)initWithFrame:(NSRect)r;          id_VALUE = [NSView*_VALUE initWithFrame:(NSRect)r];
//   -(void)setFoo:(id)foo bar:(int)x -(void)setFoo:(id)foo bar:(int)x;      [NSView*_VALUE setFoo:(id)foo bar:(int)x];
//   +(id)arrayWithObjects:(id)o ,... +(id)arrayWithObjects:(id)o ,...;      id_VALUE = [NSView arrayWithObjects:(id)o ,...];
//
//   function                              call style
//   NSString* NSStringFromRect(NSRect r)  NSString*_Value =  NSStringFromRect(NSRect r);
//   void NSBeep(void)                     " NSBeep();"
//   unsigned int NSCountFrames(void)      unsigned_int_Value =  NSCountFrames();
//
// A method without "(type)" after its sign reads as returning (id); an empty method gives an
// empty text.
#include <cstdint>
#include <string>
#include <vector>

#include "core/text/DragStyle.h"

namespace kestrel {

class DeclarationText {
public:
    static bool isCallStyle(std::int32_t dragStyle) { return dragStyleOf(dragStyle) == DragStyle::Call; }

    // The list form (createExternalDragStrings:): never ends in a line feed.
    static std::string createExternalDragStrings(const std::string& method, std::int32_t dragStyle,
                                                 const std::string& receiver);
    // The method view's form: the list form, with a line feed after it when addLF is set.
    static std::string methodViewText(const std::string& method, std::int32_t dragStyle,
                                      const std::string& receiver, bool addLF);
    // The function list's form of a function's stored declaration: declaration style adds ";";
    // call style turns it into a call (a name without "(" stays as it is, without ";"), without
    // the attributes after the argument list; snippet style gives the call with placeholders.
    static std::string functionText(const std::string& declaration, std::int32_t dragStyle);
    // The argument list, from its "(", without the attributes that follow it.
    static std::string withoutTrailingAttributes(const std::string& arguments);
    // The method view's rows: the declaration cut at the spaces outside parentheses, one
    // selector part a row: "-(void)setFoo:(id)foo bar:(int)x" -> "-(void)setFoo:(id)foo", "bar:(int)x";
    // an empty text gives one empty row.
    static std::vector<std::string> methodRows(const std::string& method);
    // The selector of a method with its sign: "-(void)setFoo:(id)foo bar:(int)x" -> "-setFoo:bar:",
    // "+(id)new" -> "+new".
    static std::string selectorOf(const std::string& method);
};

}  // namespace kestrel
