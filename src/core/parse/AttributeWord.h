#pragma once
// Whether a word of a declaration is an attribute, which no stored text keeps: a method's
// selector and argument names, a function's declaration, a struct's or a typedef's name.
//
//   __attribute__((unused)), __declspec(dllimport), __asm("_f$UNIX2003")   always
//   NS_RETURNS_RETAINED, API_AVAILABLE(macos(10.7)), DEPRECATED_ATTRIBUTE    when the header's define
//       records say the macro expands to nothing or to attributes, or know no definition of a
//       word written like a macro (capitals, digits and at least one "_")
//   NSRect, URL, CGFloat                                                     never: not written as a macro
//   __arg                                                                    only when known as such
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class MacroKeywordSource;

class AttributeWord {
public:
    // "NS_RETURNS_RETAINED", "GS_API_MACOSX", "__BEGIN_DECLS": capitals, digits and "_", with a
    // "_" and a letter.
    static bool isWrittenAsMacro(std::string_view word);
    // Words of the language that only ever carry attributes or an assembler name; their
    // arguments in parentheses go with them.
    static bool isAttributeKeyword(std::string_view word);
    // What the define records say of word (see MacroKeywordSource::isAttributeMacro), none
    // without records.
    static std::optional<bool> known(const std::string& word, MacroKeywordSource* keywords);
    // The rule above: keywords may be none (then only the spelling decides).
    static bool isAttribute(std::string_view word, MacroKeywordSource* keywords);
};

}  // namespace kestrel
