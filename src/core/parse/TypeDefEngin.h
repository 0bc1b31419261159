#pragma once
// Reads one typedef after the word "typedef". A struct or enum is handed to its analyser and
// its record answered; any other typedef becomes a typedefList entry, split at the last space
// once the spaces before each "*" are gone:
//
//   typedef unsigned int NSUInteger;   -> typedefList["NSUInteger"] = "unsigned int"
//   typedef NSRect * NSRectPtr;        -> typedefList["NSRectPtr"] = "NSRect*"
//   typedef NSRect *NSRectPointer;     -> nothing ("NSRect*NSRectPointer" is one word)
//   typedef void (*NSFunc)(id);        -> nothing (a function type)
//
// A typedef that the text ends inside (before its ";") records nothing.
#include "core/parse/StructEngin.h"

namespace kestrel {

class TypeDefEngin : public TextEngin {
public:
    TypeDefEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* typedefList);

    // The StructData or EnumData of a typedef of a struct or enum with a body, else none.
    std::shared_ptr<TreeData> doAnalyse(const std::string& opener) override;

private:
    TypedefList* typedefList;
};

}  // namespace kestrel
