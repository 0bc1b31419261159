#pragma once
// Reads one typedef after the word "typedef". A struct or enum (also one a macro opens,
// "typedef NS_ENUM(NSInteger, NSFoo) {...};") is handed to its analyser and
// its record answered; any other typedef becomes a typedefList entry, split at the last space
// once the spaces before each "*" are gone:
//
//   typedef unsigned int NSUInteger;   -> typedefList["NSUInteger"] = "unsigned int"
//   typedef NSRect * NSRectPtr;        -> typedefList["NSRectPtr"] = "NSRect*"
//   typedef NSRect *NSRectPointer;     -> nothing ("NSRect*NSRectPointer" is one word)
//   typedef void (*NSFunc)(id);        -> nothing (a function type)
//
// A typedef that the text ends inside (before its ";") records nothing.
#include "core/parse/EnumEngin.h"
#include "core/parse/StructEngin.h"

namespace kestrel {

class TypeDefEngin : public TextEngin {
public:
    // enumSources: how the enum forms are told (see EnumEngin).
    TypeDefEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* typedefList, EnumSources enumSources = {});

    // The StructData or EnumData of a typedef of a struct or enum with a body, else none.
    std::shared_ptr<TreeData> doAnalyse(const std::string& opener) override;

private:
    TypedefList* typedefList;
    EnumSources enumSources;
};

}  // namespace kestrel
