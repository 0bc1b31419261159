#pragma once
// Header file name -> its define record, in the names' order, as a std::map; a name is also
// found through a hash of it. The define pass and the analysis look records up by name tens of
// thousands of times a build ("Foundation/NSObject.h"), and the names share long beginnings:
// the tree compared a dozen of them for each.
//
//   DefineList list;
//   list["Foundation/NSObject.h"] = record;
//   list.find("Foundation/NSObject.h")->second == record
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "core/platform/ByteHash.h"

namespace kestrel {

class DefineData;

class DefineList {
public:
    using Map = std::map<std::string, std::shared_ptr<DefineData>>;
    using value_type = Map::value_type;
    using iterator = Map::iterator;
    using const_iterator = Map::const_iterator;
    using const_reverse_iterator = Map::const_reverse_iterator;

    DefineList() = default;
    DefineList(const DefineList& other) : map(other.map) { reindex(); }
    DefineList(DefineList&& other) noexcept : map(std::move(other.map)), index(std::move(other.index)) { other.clear(); }
    DefineList& operator=(const DefineList& other) {
        if (this != &other) {
            map = other.map;
            reindex();
        }
        return *this;
    }
    DefineList& operator=(DefineList&& other) noexcept {
        if (this != &other) {
            map = std::move(other.map);
            index = std::move(other.index);
            other.clear();
        }
        return *this;
    }

    iterator begin() { return map.begin(); }
    iterator end() { return map.end(); }
    const_iterator begin() const { return map.begin(); }
    const_iterator end() const { return map.end(); }
    const_reverse_iterator rbegin() const { return map.rbegin(); }
    std::size_t size() const { return map.size(); }
    bool empty() const { return map.empty(); }

    iterator find(std::string_view name) {
        auto found = index.find(name);
        return found == index.end() ? map.end() : found->second;
    }
    const_iterator find(std::string_view name) const {
        auto found = index.find(name);
        return found == index.end() ? map.end() : const_iterator(found->second);
    }
    std::size_t count(std::string_view name) const { return index.count(name); }

    std::shared_ptr<DefineData>& operator[](const std::string& name) { return try_emplace(name).first->second; }
    const std::shared_ptr<DefineData>& at(std::string_view name) const {
        auto found = find(name);
        if (found == end()) throw std::out_of_range("DefineList::at");
        return found->second;
    }

    template <class... Args>
    std::pair<iterator, bool> try_emplace(const std::string& name, Args&&... args) {
        if (auto found = index.find(std::string_view(name)); found != index.end()) return {found->second, false};
        auto made = map.try_emplace(name, std::forward<Args>(args)...);
        index.emplace(std::string_view(made.first->first), made.first);  // the node's key stays put
        return made;
    }

    iterator erase(iterator at) {
        index.erase(std::string_view(at->first));
        return map.erase(at);
    }
    std::size_t erase(std::string_view name) {
        auto found = index.find(name);
        if (found == index.end()) return 0;
        const iterator at = found->second;
        index.erase(found);  // first: its key is the node's
        map.erase(at);
        return 1;
    }
    void clear() {
        index.clear();
        map.clear();
    }

    bool operator==(const DefineList& other) const { return map == other.map; }

private:
    void reindex() {
        index.clear();
        index.reserve(map.size());
        for (auto at = map.begin(); at != map.end(); ++at) index.emplace(std::string_view(at->first), at);
    }

    Map map;
    std::unordered_map<std::string_view, iterator, ByteHash> index;
};

}  // namespace kestrel
