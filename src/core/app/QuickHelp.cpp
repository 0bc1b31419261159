#include "core/app/QuickHelp.h"

#include "core/app/HeaderLocation.h"

#include <algorithm>
#include <climits>
#include "core/model/EnumData.h"
#include "core/model/HasMethodsData.h"
#include "core/model/RecordLists.h"
#include "core/text/AvailabilityText.h"
#include "core/text/DocCommentText.h"

namespace kestrel {

namespace {

void fill(QuickHelpNotes& help, const DeclarationNotes& notes) {
    if (notes.line) help.line = static_cast<std::int32_t>(std::min<std::int64_t>(*notes.line, INT32_MAX));
    if (notes.doc) {
        help.doc = notes.doc;
        help.docText = DocCommentText::plain(std::string_view(*notes.doc), DocCommentText::Options{});
    }
    help.availability = notes.availability;
    help.availabilityLines = AvailabilityText::lines(notes.availability);
    help.deprecated = notes.availability.isDeprecated();
}

// The header's path; with scan, the line looked for in it where none is stored.
void place(QuickHelpNotes& help, const TreeData& record, const std::string& method, const std::string& root,
           const std::vector<std::string>& privateHedders, bool scan) {
    help.fwName = record.frameWorkName().value_or("");
    help.hedderName = record.hedderName().value_or("");
    if (help.hedderName.empty()) return;
    help.path = HeaderLocation::findHedder(root, help.fwName, help.hedderName, privateHedders);
    if (scan && help.path && help.line == 0) {
        // A tree stored before lines were kept: the header is scanned for it.
        if (std::optional<HeaderLocation::Place> found = HeaderLocation::locate(record, root, privateHedders, method))
            help.line = found->line;
    }
}

}  // namespace

const DeclarationNotes* QuickHelp::notesOf(const TreeData& record, const std::string& method) {
    if (method.empty()) return record.getNotes().empty() ? nullptr : &record.getNotes();
    const auto* owner = dynamic_cast<const HasMethodsData*>(&record);
    return owner ? owner->notesOfMethod(method) : nullptr;
}

QuickHelpNotes QuickHelp::of(const TreeData& record, const std::string& method, const std::string& frameworksRoot,
                             const std::vector<std::string>& privateHedders) {
    QuickHelpNotes help;
    help.title = HeaderLocation::declarationName(record, method);
    if (const DeclarationNotes* notes = notesOf(record, method)) fill(help, *notes);
    place(help, record, method, frameworksRoot, privateHedders, true);
    return help;
}

QuickHelpNotes QuickHelp::forClassTab(const TreeData& record, const std::string& method,
                                      const std::string& frameworksRoot, const std::vector<std::string>& privateHedders) {
    QuickHelpNotes help = of(record, method, frameworksRoot, privateHedders);
    if (!help.doc && !method.empty() && record.getNotes().doc) {
        help.doc = record.getNotes().doc;
        help.docText = DocCommentText::plain(std::string_view(*help.doc), DocCommentText::Options{});
        help.docFromOwner = true;
    }
    return help;
}

QuickHelpNotes QuickHelp::ofConstant(const EnumData& owner, const std::string& constant,
                                     const std::string& frameworksRoot, const std::vector<std::string>& privateHedders) {
    QuickHelpNotes help;
    help.title = constant;
    if (const DeclarationNotes* notes = owner.notesOfConstant(constant)) fill(help, *notes);
    place(help, owner, "", frameworksRoot, privateHedders, false);  // the enum's line is not the constant's
    return help;
}

QuickHelpNotes QuickHelp::ofTypedef(const RecordLists& lists, const std::string& name, const std::string& frameworksRoot,
                                    const std::vector<std::string>& privateHedders) {
    QuickHelpNotes help;
    help.title = name;
    auto found = lists.typedefNotes.find(name);
    if (found == lists.typedefNotes.end()) return help;
    fill(help, found->second);
    help.fwName = found->second.fwName.value_or("");
    help.hedderName = found->second.hedderName.value_or("");
    if (!help.hedderName.empty())
        help.path = HeaderLocation::findHedder(frameworksRoot, help.fwName, help.hedderName, privateHedders);
    return help;
}

}  // namespace kestrel
