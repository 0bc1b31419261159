#include "core/parse/DefineLookup.h"

#include <unordered_set>
#include <utility>
#include <vector>

#include "core/parse/DefineData.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/ImportOrder.h"
#include "core/parse/ImportWalk.h"

namespace kestrel {

std::optional<std::string> DefineLookup::findDefinition(const DefineData& header, const std::string& symbol,
                                                        const DefineList& group, const DefinedNames* names) {
    const MacroDefinition* macro = findMacro(header, symbol, group, names);
    if (!macro) return std::nullopt;
    return macro->recordText();
}

const MacroDefinition* DefineLookup::findMacro(const DefineData& header, const std::string& symbol,
                                               const DefineList& group, const DefinedNames* names) {
    auto answer = [](const MacroDefinition* line) { return line->isUndefined() ? nullptr : line; };
    if (const MacroDefinition* line = header.findOwn(symbol)) return answer(line);
    if (names && !names->contains(symbol)) return nullptr;  // no record has a line for it
    // A header name stands for one record, so each record is visited once: marked by its
    // ordinal where the define pass gave it one.
    std::vector<bool> seen(group.size() + 1, false);
    std::unordered_set<const DefineData*> checked{&header};
    auto firstVisit = [&](const DefineData& record) -> bool {
        const std::size_t ordinal = record.getOrdinal();
        if (ordinal == DefineData::kNoOrdinal || ordinal >= seen.size()) return checked.insert(&record).second;
        if (seen[ordinal] || &record == &header) return false;
        seen[ordinal] = true;
        return true;
    };
    const MacroDefinition* found = nullptr;
    ImportWalk::below(header, group, names, [&](const DefineData& record) {
        if (!firstVisit(record)) return ImportWalk::Step::Skip;
        found = record.findOwn(symbol);
        return found ? ImportWalk::Step::Stop : ImportWalk::Step::Enter;
    });
    return found ? answer(found) : nullptr;
}

const MacroDefinition* DefineLookup::findMacro(const DefineData& header, std::string_view symbol, const DefinedNames& names,
                                               const ImportOrder& order) {
    const MacroDefinition* best = header.findOwn(symbol);
    if (!best) {
        const auto* holders = names.recordsDefining(symbol);
        if (!holders) return nullptr;
        std::size_t bestPlace = 0;
        for (const DefineData* holder : *holders) {
            const std::size_t place = order.placeOf(*holder);
            if (place == 0 || (best && place >= bestPlace)) continue;
            if (const MacroDefinition* line = holder->findOwn(symbol)) {
                best = line;
                bestPlace = place;
            }
        }
    }
    return best && !best->isUndefined() ? best : nullptr;
}

}  // namespace kestrel
