#pragma once
// Expands macros in preprocessor text as the header sees them at the point its reader has
// reached (MacroScope): object-like macros by their bodies, function-like ones with their
// arguments (each argument expanded first, except next to "#" and "##"), "#" making a string,
// "##" joining tokens, __VA_ARGS__ and GNU's ", ## __VA_ARGS__". A macro is not expanded again
// inside its own expansion, so "#define A A" ends.
//
//   #define API_AVAILABLE(...) __API_AVAILABLE_GET_MACRO(__VA_ARGS__,__API_AVAILABLE7, ...)(__VA_ARGS__)
//   expand("API_AVAILABLE(macos(10.7))") -> "__attribute__((availability(macos,introduced=10.7)))"
//
// In a condition (expandCondition) the built-in queries are answered before their operands
// could be expanded, each as the number 1 or 0: defined X, defined(X), __has_include(<...>),
// __has_include_next, __has_feature, __has_extension, __has_attribute, __has_builtin,
// __has_c_attribute, __has_declspec_attribute, __has_warning, __is_identifier,
// __is_target_os, __is_target_arch, __is_target_vendor, __is_target_environment,
// __building_module.
//
// Expansion is bounded: more than maxTokens tokens made, or arguments or expansions nested
// deeper than maxDepth, stops it with an error (getError) and what was made so far.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/parse/PreprocessorLexer.h"

namespace kestrel {

class MacroScope;
class MacroDefinition;

class MacroExpander {
public:
    struct Limits {
        std::size_t maxTokens = 1 << 18;
        std::size_t maxDepth = 512;
    };

    explicit MacroExpander(MacroScope& scope) : scope(scope) {}
    MacroExpander(MacroScope& scope, Limits limits) : scope(scope), limits(limits) {}

    // The text with every macro expanded, spelt with one blank where one stood.
    std::string expand(std::string_view text);
    PreprocessorTokens expand(const PreprocessorTokens& tokens);
    // The tokens of a condition, the built-in queries answered.
    PreprocessorTokens expandCondition(const PreprocessorTokens& tokens);
    // Why the last expansion stopped early; none when it did not.
    const std::optional<std::string>& getError() const { return error; }
    // The tokens the last expansion made, for a caller that bounds many expansions together.
    std::size_t getSpent() const { return spent; }

    // Is name one that a compiler answers as defined without any header defining it?
    static bool isBuiltin(std::string_view name);

private:
    class Run;

    MacroScope& scope;
    Limits limits;
    std::optional<std::string> error;
    std::size_t spent = 0;
};

}  // namespace kestrel
