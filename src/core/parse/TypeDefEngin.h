#pragma once
// Reads one typedef after the word "typedef". A struct or union is handed to StructEngin and an
// enum (also one a macro opens, "typedef NS_ENUM(NSInteger, NSFoo) {...};") to EnumEngin, and
// their record answered; every other typedef gives one typedefList entry for each name it
// declares, mapped to the type as the header wrote it, attributes left out:
//
//   typedef unsigned int NSUInteger;              -> NSUInteger: "unsigned int"
//   typedef NSRect *NSRectPointer, NSRectArray[4]; -> NSRectPointer: "NSRect *", NSRectArray: "NSRect [4]"
//   typedef void (*NSUncaughtExceptionHandler)(NSException *e);
//                                                 -> NSUncaughtExceptionHandler: "void (*)(NSException *e)"
//   typedef void (^NSFooHandler)(id) NS_SWIFT_SENDABLE;   -> NSFooHandler: "void (^)(id)"
//   typedef NSString * NSFoo NS_TYPED_EXTENSIBLE_ENUM;   -> NSFoo: "NSString *"
//   typedef const struct CF_BRIDGED_TYPE(id) __CFString * CFStringRef;
//                                                 -> CFStringRef: "const struct __CFString *"
//
// A typedef written through a macro with a body that opens no enum, and one that the text ends
// inside (before its ";"), record nothing.
#include "core/parse/EnumEngin.h"
#include "core/parse/StructEngin.h"

namespace kestrel {

class TypeDefEngin : public TextEngin {
public:
    // sources: which macros open an enum (see EnumEngin) and which words are attribute macros
    // (none: attributes by their spelling only).
    TypeDefEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* typedefList, EnumSources sources = {});

    // The StructData or EnumData of a typedef of a struct, union or enum with a body, else none.
    std::shared_ptr<TreeData> doAnalyse(const std::string& opener) override;
    // The word that ended the typedef and that nobody has read yet ("@interface" after a
    // typedef that never ends), with its status.
    const std::optional<std::string>& handedBack() const { return handed; }
    int handedBackStatus() const { return handedStatus; }

private:
    TypedefList* typedefList;
    EnumSources sources;
    std::optional<std::string> handed;
    int handedStatus = 0;
};

}  // namespace kestrel
