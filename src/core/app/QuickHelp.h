#pragma once
// What Quick Help shows for a declaration: its documentation, its availability and where it is
// written, from the notes the build read from the headers (DeclarationNotes).
//
//   QuickHelp::of(nsView, "-(void)drawRect:(NSRect)dirtyRect", root, privateHedders)
//     -> title "-[NSView drawRect:]", doc (the comment's body) and docText (plain paragraphs),
//        availability and its lines ("macOS 10.0+", "Deprecated in macOS 10.14: use -x"),
//        hedderName "NSView.h", path "<root>/AppKit.framework/Headers/NSView.h", line 210
//   QuickHelp::ofConstant(modeEnum, "NSFooModeA", ...)  QuickHelp::ofTypedef(app, "NSInteger", ...)
//
// A method shows its own notes; forClassTab also falls back to its class's documentation when
// the method has none (docFromOwner tells). The line is the stored one; a tree stored before
// lines were kept is scanned for it (HeaderLocation). The path is none when the header is gone.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/model/Availability.h"
#include "core/model/DeclarationNotes.h"

namespace kestrel {

class EnumData;
class TreeData;
struct RecordLists;

struct QuickHelpNotes {
    std::string title;                       // "NSView", "-[NSView drawRect:]", "NSMakeRect", "NSFooModeA"
    std::optional<std::string> doc;          // the comment's body as stored (markup kept)
    std::string docText;                     // the same as plain text ("" without a comment)
    bool docFromOwner = false;               // the doc is the class's: the method has none
    Availability availability;
    std::vector<std::string> availabilityLines;  // for macOS, as AvailabilityText says it
    bool deprecated = false;                 // on macOS (or everywhere)
    std::string fwName;
    std::string hedderName;
    std::optional<std::string> path;         // the header, where it still is
    std::int32_t line = 0;                   // from 1; 0 when not known
};

class QuickHelp {
public:
    // A class, category, protocol, struct, enum or function record; with a method text (as in
    // its methodList), that method of it.
    static QuickHelpNotes of(const TreeData& record, const std::string& method, const std::string& frameworksRoot,
                             const std::vector<std::string>& privateHedders);
    // The Class tab: the method's notes, its class's documentation where it has none.
    static QuickHelpNotes forClassTab(const TreeData& record, const std::string& method,
                                      const std::string& frameworksRoot, const std::vector<std::string>& privateHedders);
    static QuickHelpNotes ofConstant(const EnumData& owner, const std::string& constant,
                                     const std::string& frameworksRoot, const std::vector<std::string>& privateHedders);
    static QuickHelpNotes ofTypedef(const RecordLists& lists, const std::string& name, const std::string& frameworksRoot,
                                    const std::vector<std::string>& privateHedders);

    // The notes stored for a record or one of its methods; null when none are.
    static const DeclarationNotes* notesOf(const TreeData& record, const std::string& method = "");
};

}  // namespace kestrel
