#include "core/model/DeclarationNotes.h"

#include <array>
#include <string_view>

namespace kestrel {

namespace {

constexpr std::array<std::string_view, 3> kVersionKeys{"introduced", "deprecated", "obsoleted"};
constexpr std::array<std::string_view, 2> kTextKeys{"message", "replacement"};

bool isTextKey(const std::string& key) {
    for (std::string_view k : kTextKeys)
        if (key == k) return true;
    return false;
}

// One platform's entry: the version strings and the unavailable mark it holds.
std::optional<PlistDict> soundPlatform(const PlistDict& entry) {
    PlistDict kept;
    for (std::string_view key : kVersionKeys)
        if (const std::string* version = entry.getString(std::string(key))) kept.set(std::string(key), PlistValue(*version));
    if (std::optional<bool> unavailable = entry.getBoolean("unavailable"); unavailable && *unavailable)
        kept.set("unavailable", PlistValue(true));
    if (kept.empty()) return std::nullopt;
    return kept;
}

}  // namespace

void DeclarationNotes::writeTo(PlistDict& dic) const {
    if (line) dic.set("line", PlistValue(*line));
    if (doc) dic.set("doc", PlistValue(*doc));
    if (availability) dic.set("availability", PlistValue(*availability));
}

DeclarationNotes DeclarationNotes::readFrom(const PlistDict& dic) {
    DeclarationNotes notes;
    if (std::optional<std::int64_t> value = dic.getInteger("line"); value && *value >= 1) notes.line = *value;
    if (const std::string* text = dic.getString("doc")) notes.doc = *text;
    if (const PlistDict* availability = dic.getDict("availability")) notes.availability = soundAvailability(*availability);
    return notes;
}

std::optional<PlistDict> DeclarationNotes::soundAvailability(const PlistDict& dic) {
    PlistDict kept;
    for (const auto& [key, value] : dic) {
        if (isTextKey(key)) {
            if (const std::string* text = value.getString()) kept.set(key, PlistValue(*text));
        } else if (const PlistDict* entry = value.getDict()) {
            if (std::optional<PlistDict> platform = soundPlatform(*entry)) kept.set(key, PlistValue(std::move(*platform)));
        }
    }
    bool anyPlatform = false;
    for (const auto& [key, value] : kept) anyPlatform = anyPlatform || value.isDict();
    if (!anyPlatform) return std::nullopt;  // a message alone says nothing of availability
    return kept;
}

bool DeclarationNotes::isDeprecated() const {
    if (!availability) return false;
    for (const auto& [key, value] : *availability)
        if (const PlistDict* entry = value.getDict(); entry && entry->contains("deprecated")) return true;
    return false;
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
