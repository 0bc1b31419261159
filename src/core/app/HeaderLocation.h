#pragma once
// Where a record was declared: its header file, found from the framework and header names the
// build gave it, and the line of the declaration: the one the build stored (DeclarationNotes),
// else, for a tree stored before lines were kept, found by a scan of that file.
//
//   class NSView, fwName "AppKit.framework", hedderName "NSView.h"
//     -> <root>/AppKit.framework/Headers/NSView.h (or below Headers), the line of "@interface NSView :"
//   category NSView (Drawing)        -> the line of "@interface NSView (Drawing)"
//   protocol NSCoding                -> "@protocol NSCoding", not a forward "@protocol NSCoding;"
//   function "NSRect NSMakeRect(...)" -> the first line where NSMakeRect( is called for
//   an anonymous enum                -> the line of its first constant
//   a method of a class              -> its line in the class's block or one of its categories'
// The scan reads code only: what comments hold (a commented-out @interface) is not matched.
// Header names are the build's: "Outer.framework/Inner.framework" is Inner inside Outer's
// Frameworks folder; "------" (no framework) is looked for among the private headers, then
// anywhere below the frameworks root.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class TreeData;

class HeaderLocation {
public:
    // What to look for in a header.
    struct Target {
        enum class Kind { Class, Category, Protocol, Function, Struct, Enum };
        Kind kind = Kind::Class;
        std::string name;      // the class, protocol, struct or enum; the function's or constant's name
        std::string category;  // a category's own name ("" for a class extension)
    };

    struct Place {
        std::string path;
        std::int32_t line = 0;  // from 1; 0 when no line of the file holds the declaration
        bool operator==(const Place&) const = default;
    };

    // None for a record of no kind a header declares by name (or without a name).
    static std::optional<Target> targetOf(const TreeData& record);
    // The header a record was read from, when it is still there.
    static std::optional<std::string> findHedder(const std::string& frameworksRoot, const std::string& fwName,
                                                 const std::string& hedderName,
                                                 const std::vector<std::string>& privateHedders);
    // The line of text (from 1) that declares the target; 0 when none does.
    static std::int32_t lineOf(std::string_view text, const Target& target);
    // The line of a stored method declaration in the block of the class named className or of
    // one of its categories; 0 when none holds it.
    static std::int32_t lineOfMethod(std::string_view text, const std::string& className, const std::string& method);
    // What a record (or a method of it) is called where the header is shown: "NSView",
    // "NSView (Drawing)", "-[NSView drawRect:]", "NSMakeRect", "<NSCoding>".
    static std::string declarationName(const TreeData& record, const std::string& method = "");
    // Where a record's header would be: its framework's Headers folder, else its name alone.
    static std::string expectedPath(const std::string& frameworksRoot, const TreeData& record);
    // The header and line of a record (a method of it when one is given); none when the header
    // cannot be found (one that cannot be read comes with line 0: the viewer says why).
    static std::optional<Place> locate(const TreeData& record, const std::string& frameworksRoot,
                                       const std::vector<std::string>& privateHedders, const std::string& method = "");
};

}  // namespace kestrel
