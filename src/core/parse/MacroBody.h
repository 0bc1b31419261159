#pragma once
// One macro definition as the declaration readers use it: its parameters and its body as the
// tokens of C declarations (CToken). The definition itself is the evaluator's
// (MacroDefinition), read once from its "#define" line with the blanks that part its tokens:
//
//   #define NS_FORMAT_FUNCTION(F,A) __attribute__((format(__NSString__, F, A)))
//       -> parameters F, A; body __attribute__ ( ( format ( __NSString__ , F , A ) ) )
//   #define NS_INLINE static __inline__ __attribute__((always_inline))
//       -> object-like; body static __inline__ __attribute__ ( ( always_inline ) )
#include <optional>
#include <string>
#include <vector>

#include "core/parse/CToken.h"

namespace kestrel {

class MacroDefinition;
class MacroKeywordSource;

class MacroBody {
public:
    static MacroBody of(const MacroDefinition& definition);

    // The body with the arguments of one use put in for the parameters (the variadic one takes
    // the rest); none when the body pastes or quotes them ("##", "#x"), which this reading does
    // not do.
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
    bool variadic = false;                // the last parameter takes the rest of the arguments
    std::vector<std::string> parameters;  // the variadic one "__VA_ARGS__" unless it is named
    CTokens body;
};

}  // namespace kestrel
