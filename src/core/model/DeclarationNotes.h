#pragma once
// What the headers say about one declaration besides the declaration itself: the line of its
// name in its header, the documentation comment right before it, and its availability.
//
// Stored in the record's own dictionary ("line", "doc", "availability"), and for what is a
// string of a record (a method of "methodList", a constant of an enum) in a side dictionary of
// the record ("methodNotes": method text -> notes; "constantNotes": constant name -> notes):
//
//   "line": 42                         1-based line of the declared name
//   "doc": "Returns the frame.\n@param x ..."   the comment's body, delimiters removed, markup kept
//   "availability": {"macos": {"introduced": "10.7", "deprecated": "10.14"},
//                    "ios": {"unavailable": true}, "message": "...", "replacement": "newThing"}
//                   (a bare deprecated attribute: {"*": {"deprecated": ""}}); without a message
//                   or a replacement, the short form: "macos 10.7 deprecated 10.14, ios unavailable"
//
// Absent keys mean "not known": a store written before these keys loads with empty notes.
// Values of the wrong type (a damaged or foreign file) are left out when read.
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "core/model/Availability.h"
#include "core/model/BoxedText.h"
#include "core/platform/PlistValue.h"
#include "core/platform/PlistXmlWriter.h"

namespace kestrel {

struct DeclarationNotes {
    std::optional<std::int64_t> line;
    std::optional<std::string> doc;
    Availability availability;  // empty: none said (or not known)
    // Where it is, for what has no record of its own to say so (a typedef): "fwName" and
    // "headerName" as records store them. Boxed: absent from all other notes.
    BoxedText fwName;
    BoxedText hedderName;

    bool empty() const { return !line && !doc && !hasAvailability() && !fwName && !hedderName; }
    // An availability that names a platform (a message alone says nothing).
    bool hasAvailability() const { return !availability.entries().empty(); }
    bool operator==(const DeclarationNotes&) const = default;

    // Writes the keys that are set into dic, in the order fwName, headerName, line, doc,
    // availability.
    void writeTo(PlistDict& dic) const;
    // The same keys written as a dictionary's entries (between beginDict and endDict), the
    // availability in its short form where it has one (as the stored files hold it).
    void writeTo(PlistXmlWriter& writer) const;
    // The notes held by dic's keys; a line that is no number from 1, a doc that is no string,
    // an availability that is neither form is not taken (nor, inside it, what has not the
    // shape above: Availability::fromPlist).
    static DeclarationNotes readFrom(const PlistDict& dic);
};

// Notes by the text they belong to (a method's declaration text, a constant's name).
using NotesByName = std::map<std::string, DeclarationNotes>;

struct NotesDictionary {
    // {name: {"line": ..., ...}, ...}; names with empty notes are left out.
    static PlistDict toDict(const NotesByName& notes);
    // toDict's dictionary written as it goes.
    static void write(const NotesByName& notes, PlistXmlWriter& writer);
    // Entries that are not dictionaries, or hold no sound note, are passed over.
    static NotesByName fromDict(const PlistDict& dic);
};

}  // namespace kestrel
