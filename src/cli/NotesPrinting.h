#pragma once
// The notes of declarations (documentation, availability, place) as the terminal commands
// print them:
//
//   -(void)lockFocus  [deprecated macOS 10.14: use -drawRect:]      an entry with its marker
//       Locks the focus on the view.                                 --doc: the comment as plain text,
//       Availability: macOS 10.0–10.14 (deprecated)                  what it says of availability,
//       Declared in: AppKit.framework/NSView.h:212                   and where it is
//
// and `info CLASS --json`: what the Class panel shows, as JSON for editors and scripts.
#include <ostream>
#include <string>

#include "core/platform/PlistValue.h"

namespace kestrel {
class ClassData;
class TreeData;
struct DeclarationNotes;
}  // namespace kestrel

namespace kestrel::cli {

class NotesPrinting {
public:
    // A method's notes, in the class's own list or one of its categories'; null when none.
    static const DeclarationNotes* notesOfMethod(const ClassData& record, const std::string& method);
    // "  [macOS 10.7+]" (two blanks first) to end an entry's line; "" when the notes say nothing.
    static std::string marker(const DeclarationNotes* notes);
    // The lines under an entry, each indented: the documentation, the availability, the place
    // (the header of owner, with the notes' line). Nothing for what is not known.
    static void printDoc(const DeclarationNotes* notes, const TreeData& owner, const std::string& indent,
                         std::ostream& out);
    // The class as the panel shows it: name, superclass chain, protocols, framework, header,
    // line, doc, availability, and its methods and its categories' methods, each with its notes.
    static PlistDict classJson(const ClassData& record);
};

}  // namespace kestrel::cli
