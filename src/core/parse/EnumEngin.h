#pragma once
// Reads one enum declaration and makes an EnumData of it, in each of its forms:
//
//   enum { A, B };                         anonymous: name ""
//   enum NSFoo : NSUInteger { A = 1 };     name "NSFoo", underlying type "NSUInteger"
//   typedef enum _NSFoo { A } NSFoo;       name "_NSFoo", typedefList["NSFoo"] = "_NSFoo"
//   typedef enum { A } NSFoo;              name "NSFoo", typedefList["NSFoo"] = "enum NSFoo"
//   typedef NS_ENUM(NSInteger, NSFoo) {A}; name "NSFoo", type "NSInteger",
//                                          typedefList["NSFoo"] = "enum NSFoo"
//   CF_ENUM(OSStatus) { kErr = -50 };      anonymous, type "OSStatus"
//
// The macro forms are recognised by what the macro expands to (EnumMacroForms), never by its
// name. The body's constants are read by EnumBody; the record's structIndex is laid out from
// them ("{\n    A = 1, B\n}"). A declaration that the text ends inside (before its ";")
// leaves nothing behind: no record and no typedef entry.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/parse/EnumHead.h"
#include "core/parse/StructEngin.h"

namespace kestrel {

class EnumData;
class EnumMacroForms;
class MacroKeywordSource;

// What the enum reader asks of the header under analysis; each may be none.
struct EnumSources {
    EnumMacroForms* macroForms = nullptr;  // which macros open an enum
    MacroKeywordSource* keywords = nullptr;  // which words are attribute macros
};

class EnumEngin : public TextEngin {
public:
    EnumEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* typedefList = nullptr, EnumSources sources = {});

    // The plain form, right after the word "enum" (at file level, among instance variables or
    // methods): names after the body are variables. Words that declare no enum body (a
    // function returning an enum, a variable of one) are left unread.
    std::shared_ptr<TreeData> doAnalyse(const std::string& opener) override;
    std::shared_ptr<EnumData> readPlain();
    // Right after "typedef" and its first word: none, with nothing more read, when the typedef
    // declares no enum (first is neither "enum" nor an enum macro); else as readEnum.
    std::optional<std::shared_ptr<EnumData>> readTypedef(const std::string& first);
    // Right after "enum" in a typedef (typedefed) or not: the record of a declaration with a
    // body, else none (a typedef without body only files its names).
    std::shared_ptr<EnumData> readEnum(bool typedefed);
    // Right after a word that may be an enum macro: none, with nothing read, when the word
    // opens no enum; else the record (none without a body).
    std::optional<std::shared_ptr<EnumData>> readMacroForm(const std::string& word, bool typedefed);
    // Whether the text after the word "enum" just read declares an enum with a body (and not a
    // function or a variable of an enum type): see EnumLookahead.
    bool definitionFollows();

private:
    EnumHead::IsAttribute isAttribute() const;
    // Reads tokens up to the first "{" or ";" outside parentheses, which ends up in ender
    // (none at the end of the text). Comments are passed over, directives evaluated.
    std::vector<std::string> tokensUpTo(std::optional<std::string>& ender);
    // Reads a call's arguments, from its "(" to its ")".
    void skipCall();
    // The record of a body read after the head, with the typedef names of the words after it.
    std::shared_ptr<EnumData> finish(const std::string& tag, const std::optional<std::string>& type,
                                     bool namesAreTypedefs);
    void addTypedef(const std::string& name, const std::string& type);

    TypedefList* typedefList;
    EnumSources sources;
};

}  // namespace kestrel
