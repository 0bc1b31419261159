#include "core/parse/MacroNameTable.h"

#include "core/platform/ByteHash.h"

namespace kestrel {

namespace {

std::uint32_t hashOf(std::string_view name) { return static_cast<std::uint32_t>(ByteHash::of(name)); }

}  // namespace

void MacroNameTable::clear() {
    table.clear();
    entries.clear();
    filter.clear();
    filterShift = 32;
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
    // Four bits a slot: 2^(32 - shift) bits, the table's size a power of two from 2^10 on.
    unsigned bits = 2;
    while ((std::size_t{1} << bits) < table.size()) ++bits;
    filterShift = 32 - (bits + 2);
    filter.assign((std::size_t{1} << (bits + 2)) / 64, 0);
    for (const Slot& slot : old) {
        if (slot.entry == kFree) continue;
        table[slotOf(entries[slot.entry].name, slot.hash)] = slot;
        mark(slot.hash);
    }
}

MacroNameTable::Holders& MacroNameTable::operator[](std::string_view name) {
    if (2 * (entries.size() + 1) > table.size()) grow();
    const std::uint32_t hash = hashOf(name);
    Slot& slot = table[slotOf(name, hash)];
    if (slot.entry == kFree) {
        slot = Slot{hash, static_cast<std::uint32_t>(entries.size())};
        entries.push_back(Entry{std::string(name), {}});
        mark(hash);
    }
    return entries[slot.entry].holders;
}

const MacroNameTable::Holders* MacroNameTable::find(std::string_view name) const {
    if (table.empty()) return nullptr;
    const std::uint32_t hash = hashOf(name);
    if (!mayHold(hash)) return nullptr;
    const Slot& slot = table[slotOf(name, hash)];
    return slot.entry == kFree ? nullptr : &entries[slot.entry].holders;
}

}  // namespace kestrel
