#pragma once
// A class name written through a macro: a function-like macro that stands for its first
// argument, or an object-like macro that stands for another name.
//
//   #define GS_GENERIC_CLASS(clz, ...) clz<__VA_ARGS__>      (recorded as "(clz,...)clz<__VA_ARGS__>\n")
//   @interface GS_GENERIC_CLASS(NSArray, __covariant T) : NSObject   -> class NSArray : NSObject
//   #define NXConstantString NSConstantString
//   @interface NXConstantString : NSString                           -> class NSConstantString
//
// The macro must be known to the header's define records (its own or its imports').
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class CMacroEngin;

class ClassNameMacro {
public:
    // Does a recorded definition "(p1,...)body" have a body that begins with its first
    // parameter p1 as a whole word? "(clz,...)clz\n" yes; "(clz)clz_t\n", "(a,b)b\n" and an
    // object-like "NSObject\n" no.
    static bool standsForFirstArgument(const std::string& definition);
    // Is name such a macro for the header whose evaluator is macro? False without records.
    static bool isClassNameMacro(const CMacroEngin* macro, const std::string& name);

    // The name that a recorded definition consisting of one name stands for:
    // "NSConstantString\n" -> NSConstantString; "1\n", "(x)x\n", "A B\n" (kept as "AB"), "" -> none.
    static std::optional<std::string> aliasIn(const std::string& definition);
    // The name that name stands for as such an object-like macro of the header, or none.
    static std::optional<std::string> aliasOf(const CMacroEngin* macro, const std::string& name);

    // The protocols of a recorded definition that is a protocol list: "<Mixing>\n" -> Mixing,
    // "<P1,P2>\n" -> P1 P2; "<>\n", "(x)<x>\n", "<a+b>\n", "" -> none.
    static std::optional<std::vector<std::string>> protocolListIn(const std::string& definition);
    // The protocols that name stands for as such an object-like macro of the header, or none:
    //   #define PLAYER_CONFORMANCE <Mixing>      @interface Player : Node PLAYER_CONFORMANCE
    static std::optional<std::vector<std::string>> protocolListOf(const CMacroEngin* macro, const std::string& name);
};

}  // namespace kestrel
