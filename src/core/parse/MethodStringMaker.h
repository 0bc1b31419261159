#pragma once
// Builds the stored text of method declarations from the commands of an @interface or
// @protocol body: the sign, then the declaration with every blank removed except one space
// after an argument name that more text follows, and one after "const" and "unsigned".
//
//   - (void)setFoo:(id)foo bar:(int)x;       -> -(void)setFoo:(id)foo bar:(int)x
//   - (const char *)cString;                 -> -(const char*)cString
//   + (id)arrayWithObjects:(id)firstObj, ...; -> +(id)arrayWithObjects:(id)firstObj ,...
//   - (unsigned long long)size;              -> -(unsigned longlong)size
//
// The caller handles line ends, comments, directives and braces itself and hands over the rest.
#include <string>
#include <vector>

namespace kestrel {

class MethodStringMaker {
public:
    // ":" and ")" move the state machine, ";" completes the declaration; any other command
    // (a word, "(", ",", "<", ">", "}", a double quote, "*/") is text.
    void addCommand(int status, const std::string& text);

    // The completed declarations, in order. A declaration not yet ended by ";" is not in it.
    const std::vector<std::string>& getMethodList() const { return methodList; }
    bool hasUnfinished() const { return !current.empty(); }

private:
    enum State { kAfterColon = 0, kAfterType = 1, kAfterName = 2, kNeutral = 10 };

    State state = kNeutral;
    std::string current;
    std::vector<std::string> methodList;
};

}  // namespace kestrel
