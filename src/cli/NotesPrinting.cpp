#include "cli/NotesPrinting.h"

#include <set>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/DeclarationNotes.h"
#include "core/text/AvailabilityText.h"
#include "core/text/DocCommentText.h"

namespace kestrel::cli {

namespace {

constexpr std::size_t kDocWidth = 96;

// The notes as JSON keys: "line", "doc" (as stored), "docText" (plain), "availability" (as
// stored) and "availabilityText".
void addNotes(const DeclarationNotes* notes, PlistDict& dic) {
    if (!notes) return;
    if (notes->line) dic.set("line", PlistValue(*notes->line));
    if (notes->doc) {
        dic.set("doc", PlistValue(*notes->doc));
        dic.set("docText", PlistValue(DocCommentText::plain(std::string_view(*notes->doc), DocCommentText::Options{})));
    }
    if (notes->hasAvailability()) {
        dic.set("availability", PlistValue(notes->availability.toPlist()));
        dic.set("availabilityText", PlistValue(AvailabilityText::allPlatforms(notes->availability)));
        dic.set("deprecated", PlistValue(notes->availability.isDeprecated()));
    }
}

PlistArray methodsJson(const HasMethodsData& record) {
    PlistArray methods;
    if (!record.getMethodList()) return methods;
    for (const std::string& method : *record.getMethodList()) {
        PlistDict entry;
        entry.set("declaration", PlistValue(method));
        addNotes(record.notesOfMethod(method), entry);
        methods.emplace_back(std::move(entry));
    }
    return methods;
}

}  // namespace

const DeclarationNotes* NotesPrinting::notesOfMethod(const ClassData& record, const std::string& method) {
    if (const DeclarationNotes* notes = record.notesOfMethod(method)) return notes;
    for (const auto& category : record.getCategoryList())
        if (const DeclarationNotes* notes = category ? category->notesOfMethod(method) : nullptr) return notes;
    return nullptr;
}

std::string NotesPrinting::marker(const DeclarationNotes* notes) {
    if (!notes || !notes->hasAvailability()) return "";
    const std::string brackets = AvailabilityText::brackets(notes->availability);
    if (brackets.empty()) return brackets;
    std::string out(2, ' ');
    out += brackets;
    return out;
}

void NotesPrinting::printDoc(const DeclarationNotes* notes, const TreeData& owner, const std::string& indent,
                             std::ostream& out) {
    if (notes && notes->doc) {
        DocCommentText::Options options;
        options.width = kDocWidth;
        const std::string text = DocCommentText::plain(std::string_view(*notes->doc), options);
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(start, end - start);
            out << (line.empty() ? "" : indent) << line << '\n';
            start = end + 1;
        }
    }
    if (notes && notes->hasAvailability()) {
        out << indent << "Availability: " << AvailabilityText::allPlatforms(notes->availability) << '\n';
        for (const std::string& line : AvailabilityText::lines(notes->availability))
            if (line.rfind("Deprecated", 0) == 0 || line.rfind("Unavailable", 0) == 0 || line.rfind("To be", 0) == 0)
                out << indent << line << '\n';
    }
    const std::string header = owner.hedderName().value_or("");
    if (header.empty()) return;
    std::string place;
    if (owner.frameWorkName() && *owner.frameWorkName() != "------") place.append(*owner.frameWorkName()).push_back('/');
    place += header;
    out << indent << "Declared in: " << place;
    if (notes && notes->line) out << ':' << *notes->line;
    out << '\n';
}

PlistDict NotesPrinting::classJson(const ClassData& record) {
    PlistDict dic;
    dic.set("class", PlistValue(record.getName().value_or("")));
    PlistArray chain;
    std::set<const HasMethodsData*> seen{&record};
    for (const HasMethodsData* up = record.superClass(); up && seen.insert(up).second; up = up->superClass())
        chain.emplace_back(up->getName().value_or(""));
    if (!record.superClass() && record.superName()) chain.emplace_back(*record.superName());
    dic.set("superclasses", PlistValue(std::move(chain)));
    dic.set("protocols", PlistValue::fromStrings(record.getProtocolNames().value_or(std::vector<std::string>{})));
    dic.set("framework", PlistValue(record.frameWorkName().value_or("")));
    dic.set("header", PlistValue(record.hedderName().value_or("")));
    addNotes(&record.getNotes(), dic);
    dic.set("methods", PlistValue(methodsJson(record)));
    PlistArray categories;
    for (const auto& category : record.getCategoryList()) {
        if (!category) continue;
        PlistDict entry;
        entry.set("category", PlistValue(category->getName().value_or("")));
        entry.set("header", PlistValue(category->hedderName().value_or("")));
        addNotes(&category->getNotes(), entry);
        entry.set("methods", PlistValue(methodsJson(*category)));
        categories.emplace_back(std::move(entry));
    }
    dic.set("categories", PlistValue(std::move(categories)));
    return dic;
}

}  // namespace kestrel::cli
