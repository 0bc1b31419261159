#pragma once
// The notes of a tree's declarations (DeclarationNotes) as a stored file of their own,
// "declarationNotes", apart from the record files: a start needs none of them, so it does not
// read them; they are read the first time something asks (RecordLists::ensureNotes).
//
//   {"classes":    {key: {"line", "doc", "availability", "methodNotes": {text: {...}}}},
//    "protocols":  {...}, "categories": {...}, "structs": {...},
//    "enums":      {key: {..., "constantNotes": {name: {...}}}},
//    "functions":  {key: {...}}}
//
// A record's key is its name (a category's "NSView(Drawing)", a function's declaration text),
// "@" and its header ("AppKit/NSView.h"): "NSView@AppKit/NSView.h". The second record of a list
// with the same key gets "#2" after it, and so on. Records without notes are left out.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/PlistValue.h"
#include "core/platform/RegularFile.h"

namespace kestrel {

class ClassData;
struct RecordLists;

class DeclarationNotesFile {
public:
    // classes: every class (the lists' classList keeps only the roots once linked).
    using Classes = std::vector<std::shared_ptr<ClassData>>;
    static PlistDict toDict(const Classes& classes, const RecordLists& lists);
    // toDict's dictionary as XML, handed to sink as it is written record by record (the whole
    // dictionary of an SDK's notes is several times the file). False when the sink failed: the
    // notes hold only what the writer writes (strings, integers, flags, dictionaries).
    static bool writeXML(const Classes& classes, const RecordLists& lists, const FileBytes::Sink& sink);
    // Gives each record whose key the file holds those notes (records it does not name keep
    // theirs: a store of older versions kept them in the record files). What has not the shape
    // above is passed over.
    static void apply(const PlistDict& dic, const Classes& classes, RecordLists& lists);
    // Takes the notes' keys out of a record's stored dictionary ("line", "doc",
    // "availability", "methodNotes", "constantNotes"): they go in this file instead.
    static void strip(PlistDict& record);
};

}  // namespace kestrel
