#include "core/app/DeclarationNotesFile.h"

#include <string>
#include <unordered_map>

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

// Calls visit(record, key) for each record of the list, in its order.
template <class Record, class Visit>
void eachKeyed(const std::vector<std::shared_ptr<Record>>& list, Visit visit) {
    std::unordered_map<std::string, int, ByteHash, std::equal_to<>> seen;
    seen.reserve(list.size());
    std::string key;
    for (const auto& record : list) {
        if (!record) continue;
        key.clear();
        appendName(key, *record);
        key += '@';
        appendText(key, record->frameWorkName());
        key += '/';
        appendText(key, record->hedderName());
        auto [at, fresh] = seen.try_emplace(key, 0);
        if (const int count = ++at->second; count > 1) {
            key += '#';
            key += std::to_string(count);
        }
        visit(*record, key);
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
