#pragma once
// The declaration line of an @interface or @protocol block, read from the word after the
// keyword to the end of the line (or to the "{" of an instance-variable block):
//
//   Foo : Bar <P1, P2>   -> name Foo, superName Bar, protocolList P1 P2
//   Foo (Extras)         -> name Foo, categoryName Extras
//   Foo : Bar // note    -> the comment is dropped and the declaration goes on on the next line
//   Foo ()               -> categoryName "" (a class extension, as clang names it; so is
//                           "Foo (/* note */)")
//
// An @interface line may give its class type parameters, which are no protocols:
//   NSArray<__covariant ObjectType> : NSObject <NSCopying>  -> superName NSObject, protocolList NSCopying
//   NSFetchRequest<ResultType : id<NSFetchRequestResult>> : NSPersistentStoreRequest
//   NSObject <NSObject>                                      -> protocolList NSObject
// A list right after the class name is taken for type parameters when it holds a bound (":"),
// a variance (__covariant), a nested list, or when a superclass or a category follows it.
//
// With classNameMacros, a name that the header's define records know as a macro standing for
// its first argument is replaced by that argument (see ClassNameMacro):
//   GS_GENERIC_CLASS(NSArray, T) : NSObject <NSCopying>   -> name NSArray, superName NSObject
// and a name that they know as a macro for another name is that name:
//   NXConstantString : NSString    (#define NXConstantString NSConstantString) -> NSConstantString
// and a word after the superclass that they know as a macro for a protocol list is that list:
//   Player : Node PLAYER_CONFORMANCE   (#define PLAYER_CONFORMANCE <Mixing>) -> protocolList Mixing
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class CMacroEngin;
class TextBuffer;

class DeclarationLine {
public:
    // Reads the line from the buffer. macro is handed to the block-comment skipper. With
    // interfaceLine (an @interface line) its define records decide class name macros, and a
    // list after the class name may be type parameters.
    static DeclarationLine read(TextBuffer& buffer, CMacroEngin* macro, bool interfaceLine = false);

    std::optional<std::string> name;          // none when the text ended right after the keyword
    std::optional<std::string> superName;     // the word after ":"
    std::optional<std::string> categoryName;  // the word after "(", "" for "()"
    std::optional<std::vector<std::string>> protocolList;  // the words of the "<...>" list
    bool braceFollows = false;                // the line opened an instance-variable block
};

}  // namespace kestrel
