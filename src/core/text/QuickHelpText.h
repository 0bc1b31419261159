#pragma once
// What Quick Help shows of a declaration: its documentation as parts, its availability lines
// and where it is declared.
//
//   -(void)display of NSButton, declared by NSView at line 120 of NSView.h, deprecated in 10.14:
//     documentation   the method's comment; without one, its class's, with docFrom "NSView"
//     availability    "macOS 10.0+", "Deprecated in macOS 10.14: use -newThing" (warning)
//     place           "NSView.h, line 120" (without a known line: "NSView.h")
//   enum constant without a comment of its own: the text its enum's comment gives it
//   (@constant), else the enum's comment (docFrom "NSWindowStyleMask")
// The subject (record, method, constant) is kept, so that the place can be opened later.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/text/DocComment.h"
#include "core/text/NotesLookup.h"

namespace kestrel {

class EnumData;
class HasMethodsData;
class TreeData;

class QuickHelpText {
public:
    struct Line {
        std::string text;
        bool warning = false;  // a deprecation or unavailability
        bool operator==(const Line&) const = default;
    };

    struct Content {
        // What it is about: the record, and the method or constant of it ("" for the record).
        std::shared_ptr<const TreeData> record;
        std::string method;
        std::string constant;

        DocComment doc;
        std::string docFrom;  // "" for its own documentation; the record lent from otherwise
        std::vector<Line> availability;
        bool deprecated = false;
        std::string hedderName;  // of the record that declares it
        std::optional<std::int64_t> line;

        bool hasSubject() const { return record != nullptr; }
        bool hasPlace() const { return !hedderName.empty(); }
        // "NSView.h, line 120", "NSView.h", "" without a header.
        std::string placeText() const;
    };

    // A class, category, protocol, function, variable, struct or enum.
    static Content forRecord(const NotesLookup& lookup, std::shared_ptr<const TreeData> record);
    // A method as the class (or category, protocol) shown responds to it: the notes of the
    // record that declares it, the class's documentation where the method has none.
    static Content forMethod(const NotesLookup& lookup, std::shared_ptr<const HasMethodsData> shown,
                             const std::string& method);
    static Content forConstant(const NotesLookup& lookup, std::shared_ptr<const EnumData> owner,
                               const std::string& constant);

    // The availability lines of the platform shown, deprecations marked.
    static std::vector<Line> availabilityLines(const Availability& availability);
    static std::string placeText(const std::string& hedderName, std::optional<std::int64_t> line);
};

}  // namespace kestrel
