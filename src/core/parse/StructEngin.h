#pragma once
// Reads one struct declaration after the word "struct" and makes a StructData of it. The body
// keeps the header's line structure, one member row per line:
//
//   typedef struct _NSPoint {      name "_NSPoint", structIndex "{\n    float x;\n    float y;\n}"
//       float x;                   and typedefList["NSPoint"] = "_NSPoint"
//       float y;
//   } NSPoint;
//
// A declaration that the text ends inside (before its ";") leaves nothing behind: no record and
// no typedef entry.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/parse/TextEngin.h"

namespace kestrel {

class StructData;
class StructEnumData;

using TypedefList = std::map<std::string, std::string>;  // new type name -> the type text

class StructEngin : public TextEngin {
public:
    // typedefList receives the names that a typedef form introduces; none stands for a
    // controller without a typedef list (an entry is then logged as lost).
    StructEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* typedefList = nullptr);

    // The typedef form, also used for struct and enum declarations inside @interface blocks:
    // a record (a StructData here, an EnumData from EnumEngin) or none. Without a body it
    // only files a typedef entry ("_NSZone *NSZonePtr" -> typedefList["NSZonePtr"] = "_NSZone*").
    std::shared_ptr<TreeData> doAnalyse(const std::string& opener) override;
    // The plain form at file level: none for a forward declaration or an untagged struct.
    std::shared_ptr<StructData> doStdAnalyse(const std::string& opener);

    // Splits a declaration up to its ";" into the words before the body (tag), the body and
    // the words after it (tagB). False when the text ended before the ";".
    bool makeTagAndStruct(std::string& tag, std::string& structString, std::string& tagB);
    // The body after an opening brace, closing brace included; none when the text ended first.
    virtual std::optional<std::string> analyseStructPart();

    // typedefList[name] = type, or the log line "typedefList is nil" when there is no list.
    static void addTypedef(TypedefList* list, const std::string& name, const std::string& type);

protected:
    virtual std::shared_ptr<StructEnumData> newRecord() const;
    // Reads one command; none at the end of the text.
    std::optional<std::string> nextCommand(int& status);

    TypedefList* typedefList;
};

}  // namespace kestrel
