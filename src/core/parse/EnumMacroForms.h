#pragma once
// Which macros open an enum, learnt from what they expand to rather than from their names:
// NS_ENUM is defined through CF_ENUM, which is defined with "enum ... : _type", so
//
//   typedef NS_ENUM(NSInteger, NSFoo) {...};  expands (with a placeholder for each argument) to
//   typedef enum __attribute__((...)) A1 : A0 A1; enum A1 : A0 {...};
//
// and is read as the enum NSFoo of type NSInteger, with typedefList["NSFoo"] = "enum NSFoo".
// A user's MY_ENUM(T, N), an older SDK's "_type _name; enum" and CF_ERROR_ENUM(domain, N) (a
// fixed type written in the macro) read the same way. A macro opens an enum when its expansion
// ends in an enum head: "enum" outside parentheses in its last declaration, and no brace.
//
// The arguments are not expanded: the placeholders come back as the arguments as written.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/parse/EnumHead.h"

namespace kestrel {

class MacroExpansionSource;

struct EnumMacroHead {
    std::string name;                  // the tag, else the name declared before it; empty: anonymous
    std::optional<std::string> type;   // the underlying type
    // (name, type text) of every typedef the expansion declares before the enum's head.
    std::vector<std::pair<std::string, std::string>> typedefs;
    // The expansion declares nothing before the head: names after the body are the typedef's.
    bool namesAfterBody = false;
};

class EnumMacroForms {
public:
    // Both must outlive the object.
    EnumMacroForms(MacroExpansionSource& expander, EnumHead::IsAttribute isAttribute);

    // Whether word may open an enum at all (it is a macro): a quick first question.
    bool mayOpenEnum(const std::string& word);
    // What macro(arguments) (no arguments: the macro written alone) stands for before an enum
    // body, written after "typedef" when typedefed; none when it opens no enum.
    std::optional<EnumMacroHead> headOf(const std::string& macro, const std::optional<std::vector<std::string>>& arguments,
                                        bool typedefed);

private:
    const std::optional<std::vector<std::string>>& expansion(const std::string& macro, std::optional<std::size_t> count);

    MacroExpansionSource& expander;
    EnumHead::IsAttribute isAttribute;
    // (macro, argument count or none) -> its expansion over placeholders
    std::map<std::pair<std::string, std::optional<std::size_t>>, std::optional<std::vector<std::string>>> expansions;
};

}  // namespace kestrel
