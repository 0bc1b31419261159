#include "core/text/QuickHelpText.h"

#include "core/model/EnumData.h"
#include "core/model/HasMethodsData.h"
#include "core/model/TreeData.h"
#include "core/text/AvailabilityText.h"
#include "core/text/DocCommentParser.h"

namespace kestrel {

namespace {

void takeNotes(QuickHelpText::Content& content, const NotesLookup::Notes& notes, const TreeData& declaredBy) {
    content.doc = DocCommentParser::parse(notes.doc);
    content.availability = QuickHelpText::availabilityLines(notes.availability);
    content.deprecated = notes.isDeprecated();
    content.hedderName = declaredBy.hedderName().value_or("");
    content.line = notes.line;
}

// The documentation of the record the subject belongs to, when the subject has none.
void lendDoc(QuickHelpText::Content& content, const NotesLookup::Notes& from, const TreeData& record) {
    if (!content.doc.empty() || from.doc.empty()) return;
    content.doc = DocCommentParser::parse(from.doc);
    if (!content.doc.empty()) content.docFrom = record.getName().value_or("");
}

}  // namespace

std::string QuickHelpText::Content::placeText() const { return QuickHelpText::placeText(hedderName, line); }

std::string QuickHelpText::placeText(const std::string& hedderName, std::optional<std::int64_t> line) {
    if (hedderName.empty()) return {};
    if (!line || *line < 1) return hedderName;
    return hedderName + ", line " + std::to_string(*line);
}

std::vector<QuickHelpText::Line> QuickHelpText::availabilityLines(const Availability& availability) {
    std::vector<Line> lines;
    const std::string introduced = AvailabilityText::introduced(availability);
    for (const std::string& text : AvailabilityText::lines(availability))
        lines.push_back(Line{text, text != introduced});
    return lines;
}

QuickHelpText::Content QuickHelpText::forRecord(const NotesLookup& lookup, std::shared_ptr<const TreeData> record) {
    Content content;
    if (!record) return content;
    takeNotes(content, lookup.ofRecord(*record), *record);
    content.record = std::move(record);
    return content;
}

QuickHelpText::Content QuickHelpText::forMethod(const NotesLookup& lookup, std::shared_ptr<const HasMethodsData> shown,
                                        const std::string& method) {
    Content content;
    if (!shown) return content;
    const HasMethodsData* owner = NotesLookup::declaringOwner(*shown, method);
    if (owner) {
        takeNotes(content, lookup.ofMethod(*owner, method), *owner);
        lendDoc(content, lookup.ofRecord(*owner), *owner);
    } else {
        content.hedderName = shown->hedderName().value_or("");
    }
    // A category's or protocol's method without a word of its own: the class shown may say more.
    if (owner != shown.get()) lendDoc(content, lookup.ofRecord(*shown), *shown);
    content.record = std::move(shown);
    content.method = method;
    return content;
}

QuickHelpText::Content QuickHelpText::forConstant(const NotesLookup& lookup, std::shared_ptr<const EnumData> owner,
                                          const std::string& constant) {
    Content content;
    if (!owner) return content;
    takeNotes(content, lookup.ofConstant(*owner, constant), *owner);
    const NotesLookup::Notes ofEnum = lookup.ofRecord(*owner);
    if (content.doc.empty() && !ofEnum.doc.empty()) {
        // HeaderDoc's @constant lines in the enum's comment say what each constant is.
        const DocComment enumDoc = DocCommentParser::parse(ofEnum.doc);
        for (const DocComment::Item& item : enumDoc.constants)
            if (item.name == constant && !item.text.empty()) content.doc.brief = item.text;
    }
    lendDoc(content, ofEnum, *owner);
    if (!content.line) content.line = ofEnum.line;  // at least the enum's place
    if (content.availability.empty()) {
        // A constant of a deprecated enum is as deprecated as its enum.
        content.availability = availabilityLines(ofEnum.availability);
        content.deprecated = ofEnum.isDeprecated();
    }
    content.record = std::move(owner);
    content.constant = constant;
    return content;
}

}  // namespace kestrel
