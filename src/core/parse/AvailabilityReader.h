#pragma once
// Reads what a declaration's attributes say about its availability, from their text after
// macro expansion:
//
//   __attribute__((availability(macos,introduced=10.7,deprecated=10.14,message="Use -newThing")))
//     -> macos {introduced 10.7, deprecated 10.14}, message "Use -newThing"
//   __attribute__((availability(macosx,introduced=10_7), availability(ios,unavailable)))
//     -> macos {introduced 10.7}, ios {unavailable}
//   __attribute__((deprecated("Use X", "newX")))     -> "*" {deprecated ""}, message, replacement
//   __attribute__((unavailable)) [[deprecated]]      -> "*" {unavailable, deprecated ""}
//
// _Pragma(...) and every other attribute are passed over; several attributes on one
// declaration are merged. Availability macros left unexpanded (the define pass did not know
// them: a folder without the SDK's usr/include) are read by their names (AvailabilityMacroForms).
// Any bytes are safe: the reading is one pass over the tokens, nothing nests by recursion.
#include <string_view>

#include "core/model/Availability.h"
#include "core/parse/PreprocessorLexer.h"

namespace kestrel {

class MacroExpander;

class AvailabilityReader {
public:
    static Availability read(std::string_view text);
    static Availability read(const PreprocessorTokens& tokens);
    // The text as the header wrote it ("API_AVAILABLE(macos(10.7)) NS_SWIFT_NAME(x)"),
    // expanded with the header's macros first, then read.
    static Availability readExpanding(std::string_view raw, MacroExpander& expander);

    // The index of the ")" or "]" closing the bracket at open; tokens.size() when none does.
    static std::size_t closing(const PreprocessorTokens& tokens, std::size_t open);
    // The ranges [begin, end) between the commas of tokens[begin, end) outside brackets.
    static std::vector<std::pair<std::size_t, std::size_t>> splitCommas(const PreprocessorTokens& tokens,
                                                                        std::size_t begin, std::size_t end);
    // The text of adjacent string literals, joined and unescaped: "\"a\" \"b\\\"\"" -> a b".
    static std::string stringText(const PreprocessorTokens& tokens, std::size_t begin, std::size_t end);
};

}  // namespace kestrel
