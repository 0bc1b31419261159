#pragma once
// What the panels ask about a declaration besides the declaration itself: its documentation
// comment, its availability and the line of its name in its header (the notes the build reads
// from the headers and stores beside each record).
//
//   ofRecord(NSView)                          the class's notes
//   ofMethod(NSView, "-(void)display")        the notes the owner keeps for that method text
//   ofConstant(NSWindowStyleMask, "NSWindowStyleMaskTitled")
//   declaringOwner(NSButton, "-(void)display") -> NSView: where a class gets a method from
//
// The answers are the records' stored notes (DeclarationNotes); a store written before the notes
// were kept answers empty notes, and everything shows as not deprecated. Tests may answer
// otherwise by overriding the three lookups.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "core/model/Availability.h"

namespace kestrel {

class ClassData;
class EnumData;
class HasMethodsData;
class TreeData;

class NotesLookup {
public:
    struct Notes {
        std::optional<std::int64_t> line;  // from 1
        std::string doc;                   // the comment's body, markup kept
        Availability availability;

        bool empty() const { return !line && doc.empty() && availability.empty(); }
        // Deprecated on the platform shown (macOS, or everywhere): what lists strike through and
        // Hide Deprecated hides. A deprecation announced for a later version is not one yet, and
        // a declaration of other platforms only (unavailable on macOS) is not deprecated: Quick
        // Help says it is unavailable.
        bool isDeprecated() const;
    };

    NotesLookup() = default;
    // beforeAsking runs before each answer: the stored notes are read the first time they are
    // asked for (RecordLists::ensureNotes), not when the tree loads.
    explicit NotesLookup(std::function<void()> beforeAsking) : beforeAsking(std::move(beforeAsking)) {}
    NotesLookup(const NotesLookup&) = default;
    NotesLookup& operator=(const NotesLookup&) = default;
    virtual ~NotesLookup();

    virtual Notes ofRecord(const TreeData& record) const;
    virtual Notes ofMethod(const HasMethodsData& owner, const std::string& method) const;
    virtual Notes ofConstant(const EnumData& owner, const std::string& constant) const;

    bool isDeprecated(const TreeData& record) const { return ofRecord(record).isDeprecated(); }
    bool isMethodDeprecated(const HasMethodsData& owner, const std::string& method) const;

    // The record whose method list holds method, as a class responds to it: the record itself,
    // a class's categories, its protocols (and theirs), then the same up the superclasses;
    // null when none does. Loops in a damaged tree are walked once.
    static const HasMethodsData* declaringOwner(const HasMethodsData& start, const std::string& method);

private:
    void ready() const {
        if (beforeAsking) beforeAsking();
    }
    std::function<void()> beforeAsking;
};

}  // namespace kestrel
