#pragma once
// One macro definition as the define records keep it, read as a parameter list and a body of
// tokens. The records hold a definition with its blanks removed, the parameters of a
// function-like macro first:
//
//   "(F,A)__attribute__((format(__NSString__,F,A)))\n"  -> parameters F, A; body __attribute__ ( ( ...
//   "static__inline____attribute__((always_inline))\n"  -> static __inline__ __attribute__ ( ( ...
//   "(0x7fffffff)\n"                                     -> object-like; body ( 0x7fffffff )
//
// Without its blanks a body glues words together; a word is cut again before a "__" that starts
// a reserved word ("extern__declspec" -> extern __declspec). Everything that knows how a
// definition is stored is here.
#include <optional>
#include <string>
#include <vector>

#include "core/parse/CToken.h"

namespace kestrel {

class MacroKeywordSource;

class MacroBody {
public:
    static MacroBody read(const std::string& definition);

    // The body with the arguments of one use put in for the parameters ("__VA_ARGS__" takes
    // the variadic ones); none when the body pastes or quotes them ("##", "#x"), which this
    // reading does not do.
    std::optional<CTokens> expand(const std::vector<CTokens>& arguments) const;
    // The arguments of a use whose "(" is at tokens[open]: split at the commas outside nested
    // brackets. end is set to the index after the closing ")".
    static std::vector<CTokens> arguments(const CTokens& tokens, std::size_t open, std::size_t& end);
    // The tokens with the uses of function-like macros that keywords' records know, and that
    // are no attributes, replaced by what they stand for: "CALLBACK_API_C(OSErr, AEProcPtr)(int)"
    // with #define CALLBACK_API_C(_type, _name) _type (*_name) -> "OSErr (*AEProcPtr)(int)".
    // None when nothing was replaced. Expansions are bounded in rounds and size.
    static std::optional<CTokens> expandUses(CTokens tokens, MacroKeywordSource& keywords);

    bool functionLike = false;
    std::vector<std::string> parameters;  // "..." for a variadic one
    CTokens body;
};

}  // namespace kestrel
