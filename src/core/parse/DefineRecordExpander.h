#pragma once
// A macro expander over the define records as the define pass keeps them today: each
// definition is one text with its blanks removed, its parameter list (if any) in front:
//
//   #define CF_OPTIONS(_type, _name) enum __CF_OPTIONS_ATTRIBUTES _name : _type _name; ...
//   kept as "(_type,_name)enum__CF_OPTIONS_ATTRIBUTES_name:_type_name;..."
//
// The blanks between words are gone, so a run of name characters is cut back into words: the
// cut that leaves the fewest pieces unknown, where the known words are the parameters, the
// macros the records define and C's keywords ("enum__CF_OPTIONS_ATTRIBUTES_name" -> "enum",
// "__CF_OPTIONS_ATTRIBUTES", "_name"; "NSInteger_name" -> "NSInteger", "_name"; "enumerate"
// stays whole). Records that keep the blanks read the same way. Expansion follows the usual
// rules: arguments substituted, "#" and "##", __VA_ARGS__, the result rescanned with the rest
// of the tokens, and no macro expanded again inside its own expansion.
//
// Kept behind MacroExpansionSource so that a full preprocessor's expander can stand in for it.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/parse/ImportOrder.h"
#include "core/parse/MacroExpansionSource.h"

namespace kestrel {

class DefineData;
class MacroScope;
class DefinedNames;
class MacroDefinition;

class DefineRecordExpander : public MacroExpansionSource {
public:
    struct Definition;
    // Definitions read back, by their stored text: the reading depends on nothing else (the
    // define list being complete), so one cache serves every header of a build. A line of the
    // define list is also found by its address, without spelling its text again; the owner
    // clears all when the define list is made afresh.
    //
    // And the expansions made, each with the definitions it met: a header that finds the same
    // definition (or none) for each of those names gets the same tokens without expanding
    // again. "NS_ENUM(a, b)" in a header that sees Foundation's NS_ENUM and CF_ENUM as the last
    // one did is theirs at the cost of those lookups.
    struct Expansion {
        std::vector<std::pair<std::string, const Definition*>> met;
        std::optional<std::vector<std::string>> tokens;
    };
    struct ParsedDefinitions {
        std::unordered_map<std::string, std::shared_ptr<const Definition>> byText;
        std::unordered_map<const MacroDefinition*, std::shared_ptr<const Definition>> byLine;
        std::unordered_map<std::string, std::vector<Expansion>> expansions;  // by the tokens expanded
        void clear() {
            byText.clear();
            byLine.clear();
            expansions.clear();
        }
    };

    // header: the define record of the header being read (none: nothing is a macro); names
    // must be up to date with the process-wide define list; both names and parsed outlive the
    // expander.
    DefineRecordExpander(std::shared_ptr<DefineData> header, const DefinedNames& names, ParsedDefinitions& parsed);

    bool isMacro(const std::string& word) override;
    std::optional<std::vector<std::string>> expand(const std::vector<std::string>& tokens) override;

    struct Definition {
        bool functionLike = false;
        bool variadic = false;               // its last parameter is "..."
        std::vector<std::string> parameters;  // without the "..."
        std::vector<std::string> body;
    };
    // A stored definition read back into parameters and body tokens.
    static Definition parse(const std::string& stored, const std::function<bool(const std::string&)>& isKnown);

    // Finds the definitions through the evaluator's scope of the same header (whose own record
    // is header) rather than an import order of its own.
    void useScope(MacroScope& headerScope) { scope = &headerScope; }

private:
    const Definition* definition(const std::string& name);
    std::optional<std::vector<std::string>> expandAnew(const std::vector<std::string>& tokens);
    // The definitions met by the expansion under way (none: not noted).
    std::vector<std::pair<std::string, const Definition*>>* met = nullptr;

    std::shared_ptr<DefineData> header;
    const DefinedNames& names;
    ParsedDefinitions& parsed;
    std::map<std::string, std::shared_ptr<const Definition>> known;  // this header's, by macro name
    std::optional<ImportOrder> importOrder;  // of header, for finding definitions without a scope
    MacroScope* scope = nullptr;
};

}  // namespace kestrel
