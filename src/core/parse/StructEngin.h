#pragma once
// Reads one struct or union declaration after the word "struct" or "union" and makes a
// StructData of it. The body keeps the header's line structure, one member row per line:
//
//   typedef struct _NSPoint {      name "_NSPoint", structIndex "{\n    float x;\n    float y;\n}"
//       float x;                   and typedefList["NSPoint"] = "struct _NSPoint"
//       float y;
//   } NSPoint, *NSPointPtr;        and typedefList["NSPointPtr"] = "struct _NSPoint *"
//
// Attributes beside the names are no part of them (see DeclarationAttributes::tagName); an untagged
// struct takes its first typedef name ("typedef struct {...} CFRange;": struct CFRange).
//
// A declaration that the text ends inside (before its ";") leaves nothing behind: no record and
// no typedef entry.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/parse/TextEngin.h"

namespace kestrel {

class MacroKeywordSource;
class StructData;
class StructEnumData;

using TypedefList = std::map<std::string, std::string>;  // new type name -> the type text

class StructEngin : public TextEngin {
public:
    // typedefList receives the names that a typedef form introduces; none stands for a
    // controller without a typedef list (an entry is then logged as lost). keywords tells
    // attribute macros (none: by their spelling only).
    StructEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* typedefList = nullptr,
                MacroKeywordSource* keywords = nullptr);

    // The typedef form, also used for struct declarations inside @interface blocks, opener
    // being "struct" or "union": a StructData or none. Without a body it only files typedef
    // entries ("_NSZone *NSZonePtr" -> typedefList["NSZonePtr"] = "struct _NSZone *").
    std::shared_ptr<TreeData> doAnalyse(const std::string& opener) override;
    // Qualifiers written before the keyword of a typedef ("volatile "), put in front of the
    // types it gives its names.
    void setQualifiers(std::string text) { qualifiers = std::move(text); }
    // The plain form at file level: none for a forward declaration or an untagged struct.
    std::shared_ptr<StructData> doStdAnalyse(const std::string& opener);

    // Splits a declaration up to its ";" into the text before the body (tag), the body and
    // the text after it (tagB), comments left out. False when the text ended before the ";".
    bool makeTagAndStruct(std::string& tag, std::string& structString, std::string& tagB);
    // The body after an opening brace, closing brace included; none when the text ended first.
    virtual std::optional<std::string> analyseStructPart();

    // typedefList[name] = type, or the log line "typedefList is nil" when there is no list.
    static void addTypedef(TypedefList* list, const std::string& name, const std::string& type);

protected:
    virtual std::shared_ptr<StructEnumData> newRecord() const;
    // Reads one command; none at the end of the text.
    std::optional<std::string_view> nextCommand(int& status);

    TypedefList* typedefList;
    MacroKeywordSource* keywords;
    std::string qualifiers;

private:
    // The typedef entries of a typedef of a struct or union: its declarators after base
    // ("struct _K" with "K, *KPtr" -> K: "struct _K", KPtr: "struct _K *"); the first name
    // declared, or empty.
    std::string addTypedefs(const std::string& base, const std::string& declarators);
};

}  // namespace kestrel
