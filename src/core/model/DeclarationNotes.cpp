#include "core/model/DeclarationNotes.h"


namespace kestrel {


void DeclarationNotes::writeTo(PlistDict& dic) const {
    if (fwName) dic.set("fwName", PlistValue(*fwName));
    if (hedderName) dic.set("headerName", PlistValue(*hedderName));
    if (line) dic.set("line", PlistValue(*line));
    if (doc) dic.set("doc", PlistValue(*doc));
    if (hasAvailability()) dic.set("availability", PlistValue(availability.toPlist()));
}

void DeclarationNotes::writeTo(PlistXmlWriter& writer) const {
    auto text = [&writer](const char* key, const auto& value) {
        if (!value) return;
        writer.key(key);
        writer.string(*value);
    };
    text("fwName", fwName);
    text("headerName", hedderName);
    if (line) {
        writer.key("line");
        writer.integer(*line);
    }
    text("doc", doc);
    if (hasAvailability()) {
        writer.key("availability");
        if (std::optional<std::string> text = availability.shortText()) writer.string(*text);
        else availability.writeTo(writer);
    }
}

DeclarationNotes DeclarationNotes::readFrom(const PlistDict& dic) {
    DeclarationNotes notes;
    if (const std::string* text = dic.getString("fwName")) notes.fwName = *text;
    if (const std::string* text = dic.getString("headerName")) notes.hedderName = *text;
    if (std::optional<std::int64_t> value = dic.getInteger("line"); value && *value >= 1) notes.line = *value;
    if (const std::string* text = dic.getString("doc")) notes.doc = *text;
    if (const PlistValue* availability = dic.find("availability")) notes.availability = Availability::fromPlist(*availability);
    return notes;
}

PlistDict NotesDictionary::toDict(const NotesByName& notes) {
    PlistDict dic;
    dic.reserve(notes.size());
    for (const auto& [name, note] : notes) {
        if (note.empty()) continue;
        PlistDict entry;
        note.writeTo(entry);
        std::string key = name;
        dic.append(std::move(key), PlistValue(std::move(entry)));  // the map's names are unique
    }
    return dic;
}

void NotesDictionary::write(const NotesByName& notes, PlistXmlWriter& writer) {
    writer.beginDict();
    for (const auto& [name, note] : notes) {
        if (note.empty()) continue;
        writer.key(name);
        writer.beginDict();
        note.writeTo(writer);
        writer.endDict();
    }
    writer.endDict();
}

NotesByName NotesDictionary::fromDict(const PlistDict& dic) {
    NotesByName notes;
    for (const auto& [name, value] : dic) {
        const PlistDict* entry = value.getDict();
        if (!entry) continue;
        DeclarationNotes note = DeclarationNotes::readFrom(*entry);
        if (!note.empty()) notes.emplace(name, std::move(note));
    }
    return notes;
}

}  // namespace kestrel
