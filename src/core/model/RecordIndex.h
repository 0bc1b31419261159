#pragma once
// Finds the FIRST record of a list with a given key (a name, a number) without scanning it.
//
// A flat hash table of (hash of the key, position in the list): no allocation per record, and
// a look-up touches one slot and then the record itself, which confirms the key.
//
// The list belongs to someone else and may change between look-ups, so the index checks it
// on each call: records appended since the last call are indexed incrementally; a list that
// shrank, moved to another buffer, or holds other records at its first or last indexed place
// (refilled) is indexed afresh; and a record that no longer holds the key it was indexed under
// (renamed or renumbered in place) makes the index start over before it answers. Call
// invalidate() after other changes in place.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace kestrel {

// Key: a cheap value type (std::string_view into the record, std::int32_t).
template <class Record, class Key>
class RecordIndex {
public:
    using List = std::vector<std::shared_ptr<Record>>;
    using KeyOf = std::optional<Key> (*)(const Record&);

    explicit RecordIndex(KeyOf keyOf) : keyOf_(keyOf) {}

    std::shared_ptr<Record> find(const List& list, Key key) {
        catchUp(list);
        bool stale = false;
        if (auto hit = probe(list, key, stale)) return hit;
        if (!stale) return nullptr;
        invalidate();
        catchUp(list);
        return probe(list, key, stale);
    }

    void invalidate() {
        slots_.clear();
        used_ = 0;
        indexed_ = 0;
        data_ = nullptr;
    }

private:
    static constexpr std::uint32_t kEmpty = std::numeric_limits<std::uint32_t>::max();
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t position = kEmpty;
    };

    static std::uint64_t hashOf(Key key) {
        // Spread the bits (the slot is taken from the top ones): numbers 1000, 1200, ... would
        // otherwise crowd a few slots.
        return (static_cast<std::uint64_t>(std::hash<Key>{}(key)) + 1) * 0x9E3779B97F4A7C15ull;
    }

    // The record at the first slot whose record holds key; stale is set when a slot of the same
    // hash points at a record that now holds another key.
    std::shared_ptr<Record> probe(const List& list, Key key, bool& stale) const {
        if (slots_.empty()) return nullptr;
        const std::uint64_t hash = hashOf(key);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash >> shift_;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.position == kEmpty) return nullptr;
            if (slot.hash != hash) continue;
            const std::shared_ptr<Record>& record = slot.position < list.size() ? list[slot.position] : nullptr;
            if (record && keyOf_(*record) == key) return record;
            stale = true;
        }
    }

    void catchUp(const List& list) {
        if (list.data() != data_ || list.size() < indexed_ ||
            (indexed_ > 0 && (list.front().get() != first_ || list[indexed_ - 1].get() != last_))) {
            slots_.clear();
            used_ = 0;
            indexed_ = 0;
            data_ = list.data();
        }
        for (; indexed_ < list.size() && indexed_ < kEmpty; ++indexed_) {
            if (!list[indexed_]) continue;
            if (std::optional<Key> key = keyOf_(*list[indexed_])) add(list, *key, static_cast<std::uint32_t>(indexed_));
        }
        first_ = indexed_ > 0 ? list.front().get() : nullptr;
        last_ = indexed_ > 0 ? list[indexed_ - 1].get() : nullptr;
    }

    // Keeps the first position of each key: a later record of the same key is not added.
    void add(const List& list, Key key, std::uint32_t position) {
        if ((used_ + 1) * 4 > slots_.size() * 3) grow();
        const std::uint64_t hash = hashOf(key);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash >> shift_;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.position == kEmpty) {
                slot = Slot{hash, position};
                ++used_;
                return;
            }
            if (slot.hash == hash && list[slot.position] && keyOf_(*list[slot.position]) == key) return;
        }
    }

    void grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.empty() ? 16 : old.size() * 2, Slot{});
        shift_ = 64;
        for (std::size_t size = slots_.size(); size > 1; size >>= 1) --shift_;
        const std::size_t mask = slots_.size() - 1;
        for (const Slot& slot : old) {
            if (slot.position == kEmpty) continue;
            std::size_t i = slot.hash >> shift_;
            while (slots_[i].position != kEmpty) i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }

    KeyOf keyOf_;
    std::vector<Slot> slots_;  // a power of two in size, at most three quarters used
    int shift_ = 64;           // 64 - log2(size): the top bits of a hash pick its first slot
    std::size_t used_ = 0;
    std::size_t indexed_ = 0;
    const void* data_ = nullptr;
    const Record* first_ = nullptr;  // the records at the first and last indexed places
    const Record* last_ = nullptr;
};

}  // namespace kestrel
