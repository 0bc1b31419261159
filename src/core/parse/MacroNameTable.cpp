#include "core/parse/MacroNameTable.h"

#include "core/platform/ByteHash.h"

namespace kestrel {

namespace {

std::uint32_t hashOf(std::string_view name) { return static_cast<std::uint32_t>(ByteHash::of(name)); }

}  // namespace

void MacroNameTable::clear() {
    table.clear();
    entries.clear();
}

std::size_t MacroNameTable::slotOf(std::string_view name, std::uint32_t hash) const {
    const std::size_t mask = table.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = table[at];
        if (slot.entry == kFree || (slot.hash == hash && entries[slot.entry].name == name)) return at;
    }
}

void MacroNameTable::grow() {
    std::vector<Slot> old = std::move(table);
    table.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
    for (const Slot& slot : old)
        if (slot.entry != kFree) table[slotOf(entries[slot.entry].name, slot.hash)] = slot;
}

MacroNameTable::Holders& MacroNameTable::operator[](std::string_view name) {
    if (2 * (entries.size() + 1) > table.size()) grow();
    const std::uint32_t hash = hashOf(name);
    Slot& slot = table[slotOf(name, hash)];
    if (slot.entry == kFree) {
        slot = Slot{hash, static_cast<std::uint32_t>(entries.size())};
        entries.push_back(Entry{std::string(name), {}});
    }
    return entries[slot.entry].holders;
}

const MacroNameTable::Holders* MacroNameTable::find(std::string_view name) const {
    if (table.empty()) return nullptr;
    const Slot& slot = table[slotOf(name, hashOf(name))];
    return slot.entry == kFree ? nullptr : &entries[slot.entry].holders;
}

}  // namespace kestrel
