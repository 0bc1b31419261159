#include "core/parse/ImportOrder.h"

#include "core/parse/DefineData.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/ImportWalk.h"

namespace kestrel {

namespace {

std::size_t importCountOf(const DefineData& header) {
    const auto& imports = header.getImportList();
    return imports ? imports->size() : 0;
}

}  // namespace

ImportOrder::ImportOrder(const DefineData& header, const DefineList& group, const DefinedNames* names)
    : header(&header), importCount(importCountOf(header)), groupSize(group.size()) {
    std::size_t next = 0;
    auto place = [&](const DefineData& record) {
        if (&record == &header || placeOf(record) != 0) return ImportWalk::Step::Skip;
        const std::size_t ordinal = record.getOrdinal();
        if (ordinal <= groupSize) {
            if (byOrdinal.empty()) byOrdinal.assign(groupSize + 1, 0);  // only for a walk beyond the first import's
            byOrdinal[ordinal] = static_cast<std::uint32_t>(++next);
        } else {
            others[&record] = ++next;
        }
        return ImportWalk::Step::Enter;
    };
    // The first import's part of the walk, as the walk from it met it before (the header itself
    // not among it), its places taken over where it numbered them; the walk below then passes
    // over what is placed.
    const DefineData* first = nullptr;
    if (const std::vector<const DefineData*>* imports = names ? names->importsOf(header) : nullptr) {
        if (!imports->empty()) first = imports->front();
    } else if (names && header.getImportList() && !header.getImportList()->empty()) {
        auto found = group.find(header.getImportList()->front());
        if (found != group.end()) first = found->second.get();
    }
    if (first) {
        auto closure = names->closureOf(*first, group);
        if (!closure->holds(header)) {
            if (closure->numbered()) {
                next = closure->size();
                base = std::move(closure);
            } else {
                for (const DefineData* record : *closure) place(*record);
            }
        }
    }
    ImportWalk::below(header, group, names, place);
}

std::size_t ImportOrder::placeOf(const DefineData& record) const {
    if (&record == header) return 0;
    const std::size_t ordinal = record.getOrdinal();
    if (ordinal == DefineData::kNoOrdinal || ordinal > groupSize) {
        auto found = others.find(&record);
        return found == others.end() ? 0 : found->second;
    }
    if (base)
        if (const std::size_t at = base->placeOf(ordinal)) return at;
    return ordinal < byOrdinal.size() ? byOrdinal[ordinal] : 0;
}

bool ImportOrder::current(const DefineData& of, const DefineList& group) const {
    return &of == header && importCountOf(of) == importCount && group.size() == groupSize;
}

const ImportOrder& ImportOrder::kept(std::optional<ImportOrder>& slot, const DefineData& header, const DefineList& group,
                                     const DefinedNames* names) {
    if (!slot || !slot->current(header, group)) slot.emplace(header, group, names);
    return *slot;
}

}  // namespace kestrel
