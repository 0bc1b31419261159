#include "core/text/NotesLookup.h"

#include <algorithm>
#include <set>
#include <vector>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/DeclarationNotes.h"
#include "core/model/EnumData.h"
#include "core/model/ProtocolData.h"

namespace kestrel {

namespace {

bool holds(const HasMethodsData& record, const std::string& method) {
    const auto& methods = record.getMethodList();
    return methods && std::find(methods->begin(), methods->end(), method) != methods->end();
}

// The record and what it adopts, depth first, each once.
const HasMethodsData* inProtocols(const HasMethodsData& record, const std::string& method,
                                  std::set<const HasMethodsData*>& seen) {
    for (const auto& protocol : record.getProtocolObjects()) {
        if (!protocol || !seen.insert(protocol.get()).second) continue;
        if (holds(*protocol, method)) return protocol.get();
        if (const HasMethodsData* found = inProtocols(*protocol, method, seen)) return found;
    }
    return nullptr;
}

// The stored availability, kept as its dictionary or already read.
[[maybe_unused]] Availability availabilityOf(const std::optional<PlistDict>& stored) {
    return stored ? Availability::fromPlist(*stored) : Availability{};
}
[[maybe_unused]] Availability availabilityOf(const Availability& stored) { return stored; }

NotesLookup::Notes fromStored(const DeclarationNotes* stored) {
    NotesLookup::Notes notes;
    if (!stored) return notes;
    notes.line = stored->line;
    notes.doc = stored->doc.value_or("");
    notes.availability = availabilityOf(stored->availability);
    return notes;
}

}  // namespace

NotesLookup::~NotesLookup() = default;

bool NotesLookup::Notes::isDeprecated() const {
    return availability.isDeprecated();
}

NotesLookup::Notes NotesLookup::ofRecord(const TreeData& record) const {
    ready();
    return fromStored(&record.getNotes());
}

NotesLookup::Notes NotesLookup::ofMethod(const HasMethodsData& owner, const std::string& method) const {
    ready();
    return fromStored(owner.notesOfMethod(method));
}

NotesLookup::Notes NotesLookup::ofConstant(const EnumData& owner, const std::string& constant) const {
    ready();
    return fromStored(owner.notesOfConstant(constant));
}

bool NotesLookup::isMethodDeprecated(const HasMethodsData& owner, const std::string& method) const {
    return ofMethod(owner, method).isDeprecated();
}

const HasMethodsData* NotesLookup::declaringOwner(const HasMethodsData& start, const std::string& method) {
    std::set<const HasMethodsData*> seen;
    for (const HasMethodsData* record = &start; record && seen.insert(record).second; record = record->superClass()) {
        if (holds(*record, method)) return record;
        if (record->whoAreYou() == kClassDataKind) {
            for (const auto& category : static_cast<const ClassData*>(record)->getCategoryList())
                if (category && holds(*category, method)) return category.get();
        }
        std::set<const HasMethodsData*> protocols;
        if (const HasMethodsData* found = inProtocols(*record, method, protocols)) return found;
        if (record->whoAreYou() == kClassDataKind) {
            for (const auto& category : static_cast<const ClassData*>(record)->getCategoryList())
                if (category)
                    if (const HasMethodsData* found = inProtocols(*category, method, protocols)) return found;
        }
    }
    return nullptr;
}

}  // namespace kestrel
