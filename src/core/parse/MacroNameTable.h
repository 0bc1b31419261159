#pragma once
// The records that define each macro name, for DefinedNames: a table of names probed from
// their hash, with each slot holding the hash and the name's place. Every macro a header
// expands or asks about is looked up here -- mostly words that no header defines -- and the
// table of an SDK's some 50,000 names is larger than a processor's near caches: a "no" costs
// one slot read, a "yes" one more, where a table of nodes read two or three each. Before the
// table, a "no" is mostly told by one bit of a filter an eighth of the table's size, which
// stays in the near caches: a bit for each hash a name has.
//
//   table["X"].push_back(a);   table.find("X") -> {a}   table.find("Y") -> none
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class DefineData;

class MacroNameTable {
public:
    using Holders = std::vector<const DefineData*>;

    void clear();
    // The name's holders, made empty on its first use. They stay where they are as names are
    // added.
    Holders& operator[](std::string_view name);
    // None for a name never used.
    const Holders* find(std::string_view name) const;
    std::size_t size() const { return entries.size(); }

private:
    struct Entry {
        std::string name;
        Holders holders;
    };
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entry = kFree;
    };
    static constexpr std::uint32_t kFree = UINT32_MAX;
    // The slot holding name, else the free one where it would go.
    std::size_t slotOf(std::string_view name, std::uint32_t hash) const;
    void grow();

    // The filter's bit for a hash: from the hash's high bits (the table's place is from its low).
    bool mayHold(std::uint32_t hash) const {
        const std::uint32_t bit = hash >> filterShift;
        return (filter[bit >> 6] >> (bit & 63)) & 1;
    }
    void mark(std::uint32_t hash) {
        const std::uint32_t bit = hash >> filterShift;
        filter[bit >> 6] |= std::uint64_t{1} << (bit & 63);
    }

    std::vector<Slot> table;  // a power of two long, at most half full
    std::deque<Entry> entries;
    std::vector<std::uint64_t> filter;  // four bits a slot of the table
    unsigned filterShift = 32;
};

}  // namespace kestrel
