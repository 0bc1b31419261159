#pragma once
// One macro as a "#define" line gives it: object-like or function-like (with its parameters),
// and its body as tokens, so that blanks between them are kept where they decide something:
//
//   #define F (a)          -> object-like, body "(a)"
//   #define F(a)           -> function-like, parameter a, empty body
//   #define G(x, ...) f(x, __VA_ARGS__)   -> parameters x, __VA_ARGS__ (variadic)
//   #define H(args...) g(args)            -> parameter args (variadic, GNU spelling)
//
// An "#undef" is kept as a definition marked undefined, so that it hides a definition that an
// imported header gives.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/parse/PreprocessorLexer.h"

namespace kestrel {

class MacroDefinition {
public:
    // Reads the text after the word "define": the name, then the definition. None when it names
    // nothing or its parameter list is malformed (a compiler rejects such a line).
    static std::optional<std::pair<std::string, MacroDefinition>> parse(std::string_view text);
    // A definition in the form the define records used to keep: its blanks removed, a
    // function-like macro's parameter list first ("(x)((x)+1)\n"). A leading "(...)" that holds
    // only parameter names is taken as a parameter list, as that form cannot tell.
    static MacroDefinition fromRecordText(std::string_view text);
    static MacroDefinition undefinedMark();
    // An object-like macro with this body text.
    static MacroDefinition objectLike(std::string_view body);

    bool isFunctionLike() const { return functionLike; }
    bool isVariadic() const { return variadic; }
    bool isUndefined() const { return undefined; }
    const std::vector<std::string>& getParameters() const { return parameters; }
    const PreprocessorTokens& getBody() const { return body; }
    // The index of name among the parameters, or -1.
    int parameterIndex(std::string_view name) const;

    // The body as written, blanks between its tokens kept as one: "((x) + 1)".
    std::string bodyText() const;
    // The form of fromRecordText: "(x)((x)+1)\n", "extern\n".
    std::string recordText() const;

    bool operator==(const MacroDefinition& other) const;

private:
    bool functionLike = false;
    bool variadic = false;
    bool undefined = false;
    std::vector<std::string> parameters;  // the variadic one last, "__VA_ARGS__" unless named
    PreprocessorTokens body;
};

}  // namespace kestrel
