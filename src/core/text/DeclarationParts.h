#pragma once
// The pieces of a stored declaration that the texts to paste are made of, shared by the call
// and the snippet texts.
//
//   methodParts("-(void)setFoo:(id)foo")  -> class method false, type "void", selector "setFoo:(id)foo"
//   callType("nullable instancetype", "NSView")        -> "NSView*"
//   callType("NSArray<__kindof NSView*>*", "NSView")   -> "NSArray<NSView*>*"
//   callType("void(^)(NSError*_Nullable error)", "")   -> "void(^)(NSError*error)"
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

class DeclarationParts {
public:
    struct Method {
        bool empty = true;      // nothing but (at most) a sign
        bool classMethod = false;
        std::string type;       // the return type, "id" when none is written
        std::string selector;   // the text after the return type's ")"
    };

    // A method without a sign reads as an instance method; one without "(type)" after its sign,
    // or with an empty one, as returning id, as in Objective-C; an unclosed "(" makes the rest
    // the type and leaves no selector.
    static Method methodParts(const std::string& method);
    // The index of the ")" that closes the "(" at open, counting nested parentheses
    // ("(void (^)(int))"); npos when it is never closed.
    static std::size_t closingParen(std::string_view text, std::size_t open);
    static bool isNameChar(char c);
    // Whether a call to a method of this return type yields nothing: "void", "oneway void".
    static bool returnsNothing(const std::string& type);
    // A type as a call's variables and casts take it: nullability and __kindof left out (in a
    // method also the qualifiers of distributed messages: a C function's parameter may be named
    // "in"), the blanks they leave closed up where no two names meet, and in a method
    // "instancetype" read as the receiving class (an object of it; "id" without one).
    static std::string callType(const std::string& type, const std::string& receiver, bool method = true);
};

}  // namespace kestrel
