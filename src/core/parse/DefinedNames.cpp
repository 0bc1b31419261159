#include "core/parse/DefinedNames.h"

#include <algorithm>

#include "core/parse/DefineData.h"
#include "core/parse/ImportWalk.h"

namespace kestrel {

namespace {

bool hasRecord(const DefineList& group, const std::string& name) {
    auto found = group.find(name);
    return found != group.end() && found->second;
}

}  // namespace

bool DefinedNames::describes(const DefineList& group) const {
    std::shared_ptr<DefineData> first = group.empty() ? nullptr : group.begin()->second;
    std::shared_ptr<DefineData> last = group.empty() ? nullptr : group.rbegin()->second;
    return group.size() == records && first == firstRecord.lock() && last == lastRecord.lock();
}

void DefinedNames::settle(const DefineList& group) {
    // The walks that hold for the list as it ends stay: those through records read whole, whose
    // imports without a record still have none, from a record the list still holds.
    auto kept = std::make_shared<Closures>();
    if (closures) {
        std::lock_guard lock(closures->mutex);
        for (auto& [record, walk] : closures->kept) {
            auto listed = group.find(record->getHName());
            const bool holds = !walk.whileListStands && listed != group.end() && listed->second == walk.record &&
                               std::none_of(walk.missing.begin(), walk.missing.end(),
                                            [&group](const std::string& name) { return hasRecord(group, name); });
            if (holds) kept->kept.emplace(record, walk);
        }
    }
    closures = std::move(kept);
    records = group.size();
    firstRecord = group.empty() ? nullptr : group.begin()->second;
    lastRecord = group.empty() ? nullptr : group.rbegin()->second;
}

void DefinedNames::refresh(const DefineList& group) {
    if (describes(group)) return;
    settle(group);
    closures = std::make_shared<Closures>();  // the walks were through another list's records
    names.clear();
    imports.clear();
    importsByOrdinal.clear();
    for (const auto& [name, data] : group) {
        if (!data) continue;
        noteImports(*data, group);
        if (!data->getDefineList()) continue;
        for (const auto& [macro, definition] : *data->getDefineList()) names[macro].push_back(data.get());
    }
}

std::vector<const DefineData*>& DefinedNames::importsSlot(const DefineData& record) {
    const std::size_t ordinal = record.getOrdinal();
    if (ordinal != DefineData::kNoOrdinal && ordinal < (std::size_t{1} << 24)) {
        if (ordinal >= importsByOrdinal.size()) importsByOrdinal.resize(ordinal + 1);
        Noted& slot = importsByOrdinal[ordinal];
        if (!slot.record || slot.record == &record) {  // two records of one ordinal: the second by address
            slot.record = &record;
            return slot.imports;
        }
    }
    return imports[&record];
}

void DefinedNames::noteImports(const DefineData& record, const DefineList& group) {
    std::vector<const DefineData*>& noted = importsSlot(record);
    if (!noted.empty()) closures = std::make_shared<Closures>();  // a record's imports noted again
    noted.clear();
    if (!record.getImportList()) return;
    for (const std::string& name : *record.getImportList()) {
        auto found = group.find(name);
        noted.push_back(found == group.end() ? nullptr : found->second.get());
    }
}

const std::vector<const DefineData*>* DefinedNames::importsOf(const DefineData& record) const {
    const std::vector<const DefineData*>* noted = nullptr;
    const std::size_t ordinal = record.getOrdinal();
    if (ordinal < importsByOrdinal.size() && importsByOrdinal[ordinal].record == &record) {
        noted = &importsByOrdinal[ordinal].imports;
    } else if (auto found = imports.find(&record); found != imports.end()) {
        noted = &found->second;
    } else {
        return nullptr;
    }
    const std::size_t size = record.getImportList() ? record.getImportList()->size() : 0;
    return noted->size() == size ? noted : nullptr;  // it has grown since
}

void DefinedNames::add(const std::string& name, const DefineData* record) {
    std::vector<const DefineData*>& holders = names[name];
    if (holders.empty() || holders.back() != record) holders.push_back(record);
    records = static_cast<std::size_t>(-1);  // the next refresh gathers afresh
}

const std::vector<const DefineData*>* DefinedNames::recordsDefining(std::string_view name) const {
    return names.find(name);
}

bool DefinedNames::Closure::holds(const DefineData& record) const {
    if (!numbered()) return std::find(begin(), end(), &record) != end();
    return record.getOrdinal() != DefineData::kNoOrdinal && placeOf(record.getOrdinal()) != 0;  // all met are numbered
}

std::shared_ptr<const DefinedNames::Closure> DefinedNames::keptClosureOf(const DefineData& record,
                                                                         const DefineList& group) const {
    const std::shared_ptr<Closures> cache = closures;
    const bool fixed = describes(group);
    std::lock_guard lock(cache->mutex);
    auto found = cache->kept.find(&record);
    if (found == cache->kept.end()) return nullptr;
    const Closures::Kept& kept = found->second;
    if (fixed || (!kept.whileListStands && std::none_of(kept.missing.begin(), kept.missing.end(),
                                                        [&group](const std::string& name) { return hasRecord(group, name); })))
        return kept.closure;
    return nullptr;
}

std::shared_ptr<const DefinedNames::Closure> DefinedNames::closureOf(const DefineData& record, const DefineList& group) const {
    if (auto kept = keptClosureOf(record, group)) return kept;
    const std::shared_ptr<Closures> cache = closures;
    const bool fixed = describes(group);
    auto absent = [&group](const std::string& name) { return !hasRecord(group, name); };
    // Worked out outside the lock: two threads asking at once work it out alike.
    auto closure = std::make_shared<Closure>();
    std::vector<bool> metByOrdinal(group.size() + 1, false);
    std::unordered_map<const DefineData*, bool> metByAddress;
    // While the define pass goes on, a walk stays the same only through records read whole
    // (noted), and only until an import that has no record gets one.
    bool readWhole = true;
    std::vector<std::string> missing;
    auto meet = [&](const DefineData& r) {
        const std::size_t ordinal = r.getOrdinal();
        if (ordinal < metByOrdinal.size()) {
            if (metByOrdinal[ordinal]) return false;
            metByOrdinal[ordinal] = true;
        } else if (!metByAddress.emplace(&r, true).second) {
            return false;
        }
        closure->push_back(&r);
        if (readWhole && !fixed) {
            const std::vector<const DefineData*>* imports = importsOf(r);
            readWhole = imports != nullptr;
            for (std::size_t k = 0; readWhole && k < imports->size(); ++k) {
                const std::string& name = (*r.getImportList())[k];
                if (!(*imports)[k] && absent(name)) missing.push_back(name);
            }
        }
        return true;
    };
    meet(record);
    ImportWalk::below(record, group, this,
                      [&](const DefineData& r) { return meet(r) ? ImportWalk::Step::Enter : ImportWalk::Step::Skip; });
    std::size_t highest = 0;
    bool numbered = true;
    for (const DefineData* met : *closure) {
        numbered = numbered && met->getOrdinal() != DefineData::kNoOrdinal;
        if (numbered) highest = std::max(highest, met->getOrdinal());
    }
    if (numbered && !closure->empty()) {
        closure->placeByOrdinal.assign(highest + 1, 0);
        for (std::size_t i = 0; i < closure->size(); ++i)
            closure->placeByOrdinal[(*closure)[i]->getOrdinal()] = static_cast<std::uint32_t>(i + 1);
    }
    auto listed = group.find(record.getHName());
    if (!(readWhole || fixed) || listed == group.end() || listed->second.get() != &record) return closure;
    std::lock_guard lock(cache->mutex);
    // One worked out while the list stands still is not looked at further: it holds for the list.
    Closures::Kept kept{listed->second, std::move(closure), std::move(missing), fixed || !readWhole};
    return cache->kept.insert_or_assign(&record, std::move(kept)).first->second.closure;
}

}  // namespace kestrel
