#pragma once
// The snippet style: a message or call with the placeholders that Xcode and the common editors
// (and their snippet plug-ins) expand, "<#text#>", so that Tab moves from one argument to the next.
// A snippet is an expression: no assignment and no ";", as an editor's completion inserts it,
// so that it fits where the user pastes it (an argument, the right side of an assignment, a
// statement to end with ";").
//
//   method, receiver NSView                      snippet
//   -(id)initWithFrame:(NSRect)frameRect         [<#NSView *#> initWithFrame:<#(NSRect)#>]
//   -(void)setFoo:(id)foo bar:(int)x             [<#NSView *#> setFoo:<#(id)#> bar:<#(int)#>]
//   +(id)arrayWithObjects:(id)firstObj ,...      [NSView arrayWithObjects:<#(id), ...#>]
//   -(BOOL)isEqualTo:(instancetype)other         [<#NSView *#> isEqualTo:<#(NSView *)#>]
//   (no receiver) -(id)init / +(id)new           [<#id#> init] / [<#Class#> new]
//
//   function                                     snippet
//   NSRect NSMakeRect(CGFloat x, CGFloat y, ...) NSMakeRect(<#CGFloat x#>, <#CGFloat y#>, ...)
//   void NSBeep(void)                            NSBeep()
//   void NSLog(NSString* format, ...)            NSLog(<#NSString *format, ...#>)
//   MAX(a,b)                                     MAX(<#a#>, <#b#>)
//   NSString* const NSViewFrameDidChangeNotification    NSViewFrameDidChangeNotification
//
// A method's argument is its type in parentheses, a function's its type and name, as those
// editors show them; types read as written in source ("NSString *", "void (^)(id obj)"),
// without nullability or __kindof.
#include <string>

namespace kestrel {

class SnippetText {
public:
    static std::string methodSnippet(const std::string& method, const std::string& receiver);
    // A function, a function-like macro, or a constant or variable (its name alone).
    static std::string functionSnippet(const std::string& declaration);
    // The name a function, macro, constant or variable declaration declares: "NSMakeRect",
    // "NSViewFrameDidChangeNotification".
    static std::string declaredName(const std::string& declaration);
    // "<#" text "#>".
    static std::string placeholder(const std::string& text);
    // A type spaced as source writes it: "NSString*" -> "NSString *", "BOOL*stop" -> "BOOL *stop",
    // "void(^)(id a,int b)" -> "void (^)(id a, int b)", "NSArray<NSURL*>*" -> "NSArray<NSURL *> *".
    static std::string readableType(const std::string& type);
};

}  // namespace kestrel
