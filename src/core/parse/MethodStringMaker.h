#pragma once
// Builds the stored text of method declarations from the commands of an @interface or
// @protocol body: the sign, then the declaration with every blank removed except one space
// after an argument name that more text follows, one after "const" and "unsigned", one after
// a type qualifier inside a type's parentheses (oneway, in, bycopy, nullable, ...) and one
// before it when it follows a name, and one after "struct", "enum" and "union" there; in the
// parameter list of a block or function pointer type, one between two names ("id obj").
//
//   - (void)setFoo:(id)foo bar:(int)x;       -> -(void)setFoo:(id)foo bar:(int)x
//   - (const char *)cString;                 -> -(const char*)cString
//   + (id)arrayWithObjects:(id)firstObj, ...; -> +(id)arrayWithObjects:(id)firstObj ,...
//   - (unsigned long long)size;              -> -(unsigned longlong)size
//   - (oneway void)release;                  -> -(oneway void)release
//   - (int)addTypes:(in bycopy NSArray*)t;   -> -(int)addTypes:(in bycopy NSArray*)t
//   - (void)handle:(SEL)s object: obj file:(id)f; -> -(void)handle:(SEL)s object:obj file:(id)f
//   + (id)withPoints:(float)x :(float)y;     -> +(id)withPoints:(float)x :(float)y
//   - (void)play:(Handler __nullable)h;      -> -(void)play:(Handler __nullable )h
//   - (void)send:(const struct List *)l;     -> -(void)send:(const struct List*)l
//   - (void)each:(void (^)(id obj, BOOL *stop))b;  -> -(void)each:(void(^)(id obj,BOOL*stop))b
//
// The markers @optional and @required are no part of any declaration and are dropped, and so
// is whatever stands before a declaration's sign.
// The caller handles line ends, comments, directives and braces itself and hands over the rest.
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class MethodStringMaker {
public:
    // ":" and ")" move the state machine, ";" completes the declaration; any other command
    // (a word, "(", ",", "<", ">", "}", a double quote, "*/") is text.
    void addCommand(int status, std::string_view text);
    // Appends a declaration made elsewhere (a property's accessor). A declaration left
    // unfinished before it was never ended by ";" and is dropped.
    void addMethod(std::string method);

    // The completed declarations, in order. A declaration not yet ended by ";" is not in it.
    const std::vector<std::string>& getMethodList() const { return methodList; }
    // Inside a statement not yet ended by ";", a method or not.
    bool hasUnfinished() const { return !current.empty() || beforeSign; }
    // Inside a method declaration: its sign has come, its ";" not yet.
    bool inDeclaration() const { return !current.empty(); }

    // The qualifiers that keep one space after them inside a type's parentheses. "in" and
    // "out" are common selector words, so outside parentheses they stay plain text.
    static bool isTypeQualifier(std::string_view word);
    // Appends one word of a declaration to text, with the spaces the stored form keeps around
    // it; depth: how many parentheses are open around it (1 in a type, 2 in a block's parameters).
    static void appendWord(std::string& text, std::string_view word, int depth);

private:
    enum State { kAfterColon = 0, kAfterType = 1, kAfterName = 2, kNeutral = 10 };

    State state = kNeutral;
    int parenDepth = 0;
    bool beforeSign = false;  // in a statement whose sign has not come (maybe never will)
    std::string current;
    std::vector<std::string> methodList;
};

}  // namespace kestrel
