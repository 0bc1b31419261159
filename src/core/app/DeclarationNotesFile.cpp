#include "core/app/DeclarationNotesFile.h"

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/RecordLists.h"
#include "core/model/StructData.h"
#include "core/platform/ByteHash.h"
#include "core/platform/PlistXmlWriter.h"

namespace kestrel {

namespace {

void appendText(std::string& to, const std::optional<std::string>& text) {
    if (text) to += *text;
}
void appendName(std::string& key, const TreeData& record) { appendText(key, record.getName()); }
void appendName(std::string& key, const CategoryData& record) {
    appendText(key, record.getTargetClassName());
    key += '(';
    appendText(key, record.getName());
    key += ')';
}

// The record's key without its count: "NSView@AppKit/NSView.h", "NSView(Cat)@AppKit/NSView.h".
template <class Record>
void makeKey(std::string& key, const Record& record) {
    key.clear();
    appendName(key, record);
    key += '@';
    appendText(key, record.frameWorkName());
    key += '/';
    appendText(key, record.hedderName());
}

// Calls visit(record, key) for each record of the list, in its order; the second record of
// the same key gets "#2", the third "#3", ... The keys met are kept in a flat table by their
// hash, each slot naming the first record of its key: a table of strings cost an allocation
// for each of an SDK's tens of thousands of records.
template <class Record, class Visit>
void eachKeyed(const std::vector<std::shared_ptr<Record>>& list, Visit visit) {
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t first = 0;  // index into list, plus one (0: an empty slot)
        std::uint32_t count = 0;
    };
    std::size_t size = 16;
    while (size < 2 * list.size()) size *= 2;
    std::vector<Slot> slots(size);
    std::string key, other;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i]) continue;
        Record& record = *list[i];  // the loader sets its notes
        makeKey(key, record);
        const std::uint64_t hash = ByteHash::of(key);
        Slot* slot = nullptr;
        for (std::size_t at = hash & (size - 1);; at = (at + 1) & (size - 1)) {
            slot = &slots[at];
            if (slot->first == 0) break;
            if (slot->hash != hash) continue;
            makeKey(other, *list[slot->first - 1]);
            if (other == key) break;
        }
        if (slot->first == 0) *slot = Slot{hash, static_cast<std::uint32_t>(i + 1), 0};
        if (const std::uint32_t count = ++slot->count; count > 1) {
            key += '#';
            key += std::to_string(count);
        }
        visit(record, key);
    }
}

void addNotes(PlistDict& entry, const char* key, const NotesByName& notes) {
    if (!notes.empty()) entry.set(key, PlistValue(NotesDictionary::toDict(notes)));
}

// Calls add(key, entry) for each record of the list that has notes, in the list's order.
template <class Record, class Add>
void eachEntry(const std::vector<std::shared_ptr<Record>>& list, Add add) {
    eachKeyed(list, [&add](const Record& record, const std::string& key) {
        PlistDict entry;
        record.getNotes().writeTo(entry);
        if constexpr (std::is_base_of_v<HasMethodsData, Record>) addNotes(entry, "methodNotes", record.getMethodNotes());
        if constexpr (std::is_same_v<Record, EnumData>) addNotes(entry, "constantNotes", record.getConstantNotes());
        if (!entry.empty()) add(key, std::move(entry));
    });
}

template <class Record>
void store(PlistDict& file, const char* kind, const std::vector<std::shared_ptr<Record>>& list) {
    PlistDict entries;
    eachEntry(list, [&entries](const std::string& key, PlistDict&& entry) { entries.set(key, PlistValue(std::move(entry))); });
    if (!entries.empty()) file.set(kind, PlistValue(std::move(entries)));
}

// The same as store, written as it goes: nothing of the file is held but the piece being
// written.
template <class Record>
void write(PlistXmlWriter& file, const char* kind, const std::vector<std::shared_ptr<Record>>& list) {
    bool begun = false;
    eachKeyed(list, [&](const Record& record, const std::string& key) {
        const NotesByName* methods = nullptr;
        const NotesByName* constants = nullptr;
        if constexpr (std::is_base_of_v<HasMethodsData, Record>) methods = &record.getMethodNotes();
        if constexpr (std::is_same_v<Record, EnumData>) constants = &record.getConstantNotes();
        const bool withMethods = methods && !methods->empty();  // as addNotes: a map of empty notes too
        const bool withConstants = constants && !constants->empty();
        if (record.getNotes().empty() && !withMethods && !withConstants) return;
        if (!begun) {
            file.key(kind);
            file.beginDict();
            begun = true;
        }
        file.key(key);
        file.beginDict();
        record.getNotes().writeTo(file);
        if (withMethods) {
            file.key("methodNotes");
            NotesDictionary::write(*methods, file);
        }
        if (withConstants) {
            file.key("constantNotes");
            NotesDictionary::write(*constants, file);
        }
        file.endDict();
    });
    if (begun) file.endDict();
}

template <class Record>
void load(const PlistDict& file, const char* kind, const std::vector<std::shared_ptr<Record>>& list) {
    const PlistDict* entries = file.getDict(kind);
    if (!entries) return;
    eachKeyed(list, [entries](Record& record, const std::string& key) {
        const PlistDict* entry = entries->getDict(key);
        if (!entry) return;
        DeclarationNotes notes = DeclarationNotes::readFrom(*entry);
        notes.fwName.reset();  // the record's own say where it is
        notes.hedderName.reset();
        record.setNotes(std::move(notes));
        if constexpr (std::is_base_of_v<HasMethodsData, Record>) {
            if (const PlistDict* methods = entry->getDict("methodNotes")) record.setMethodNotes(NotesDictionary::fromDict(*methods));
        }
        if constexpr (std::is_same_v<Record, EnumData>) {
            if (const PlistDict* constants = entry->getDict("constantNotes"))
                record.setConstantNotes(NotesDictionary::fromDict(*constants));
        }
    });
}

// use(kind, list) for each kind of the file, in the file's order.
template <class Lists, class Use>
void eachKind(const DeclarationNotesFile::Classes& classes, Lists& lists, Use use) {
    use("classes", classes);
    use("protocols", lists.protocolList);
    use("categories", lists.categoryList);
    use("structs", lists.structList);
    use("enums", lists.enumList);
    use("functions", lists.functions);
}

}  // namespace

PlistDict DeclarationNotesFile::toDict(const Classes& classes, const RecordLists& lists) {
    PlistDict file;
    eachKind(classes, lists, [&file](const char* kind, const auto& list) { store(file, kind, list); });
    return file;
}

bool DeclarationNotesFile::writeXML(const Classes& classes, const RecordLists& lists, const FileBytes::Sink& sink) {
    PlistXmlWriter file(sink);
    file.setIndented(false);
    file.beginDict();
    eachKind(classes, lists, [&file](const char* kind, const auto& list) { write(file, kind, list); });
    file.endDict();
    return std::move(file).finishToSink();
}

void DeclarationNotesFile::apply(const PlistDict& dic, const Classes& classes, RecordLists& lists) {
    eachKind(classes, lists, [&dic](const char* kind, const auto& list) { load(dic, kind, list); });
}

void DeclarationNotesFile::strip(PlistDict& record) {
    for (const char* key : {"line", "doc", "availability", "methodNotes", "constantNotes"}) record.remove(key);
}

}  // namespace kestrel
