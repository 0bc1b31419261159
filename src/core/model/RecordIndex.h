#pragma once
// Finds the FIRST record of a list with a given key (a name, a number) without scanning it:
// key -> position of its first holder.
//
// The list belongs to someone else and may change between look-ups, so the index checks it
// on each call: records appended since the last call are indexed incrementally; a list that
// shrank or was replaced (another buffer) is indexed afresh; and a hit is confirmed against the
// record itself, so a record renamed or renumbered in place is never answered wrongly (the
// index is rebuilt and asked once more). Call invalidate() after other changes in place.
#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace kestrel {

template <class Record, class Key>
class RecordIndex {
public:
    using List = std::vector<std::shared_ptr<Record>>;
    using KeyOf = std::optional<Key> (*)(const Record&);

    explicit RecordIndex(KeyOf keyOf) : keyOf_(keyOf) {}

    std::shared_ptr<Record> find(const List& list, const Key& key) {
        catchUp(list);
        if (auto hit = confirmed(list, key)) return hit;
        if (!positions_.count(key)) return nullptr;
        invalidate();  // the position no longer holds that key: the list changed in place
        catchUp(list);
        return confirmed(list, key);
    }

    void invalidate() {
        positions_.clear();
        indexed_ = 0;
        data_ = nullptr;
    }

private:
    void catchUp(const List& list) {
        if (list.data() != data_ || list.size() < indexed_) {
            positions_.clear();
            indexed_ = 0;
            data_ = list.data();
        }
        for (; indexed_ < list.size(); ++indexed_) {
            if (!list[indexed_]) continue;
            if (std::optional<Key> key = keyOf_(*list[indexed_])) positions_.emplace(std::move(*key), indexed_);
        }
    }

    std::shared_ptr<Record> confirmed(const List& list, const Key& key) const {
        auto found = positions_.find(key);
        if (found == positions_.end() || found->second >= list.size()) return nullptr;
        const std::shared_ptr<Record>& record = list[found->second];
        if (!record || keyOf_(*record) != key) return nullptr;
        return record;
    }

    KeyOf keyOf_;
    std::unordered_map<Key, std::size_t> positions_;
    std::size_t indexed_ = 0;
    const void* data_ = nullptr;
};

}  // namespace kestrel
