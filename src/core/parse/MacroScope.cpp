#include "core/parse/MacroScope.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "core/parse/CompileTarget.h"
#include "core/parse/DefineData.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/ImportWalk.h"

namespace kestrel {

MacroScope::MacroScope(std::shared_ptr<const CompileTarget> target, const DefineList& group,
                       const DefinedNames* index)
    : target(std::move(target)), group(&group), index(index) {}

void MacroScope::setOwnRecord(std::shared_ptr<DefineData> record) { own = std::move(record); }

void MacroScope::addImport(const std::string& key) { pendingImports.push_back(key); }

void MacroScope::define(const std::string& name, MacroDefinition definition) {
    if (own) own->addDefine(std::move(definition), name);
}

void MacroScope::undefine(const std::string& name) {
    if (own) own->addDefine(MacroDefinition::undefinedMark(), name);
}

void MacroScope::clear() {
    pendingImports.clear();
    walks.clear();
    visibleCount = 0;
    placeByOrdinal.clear();
    placeByAddress.clear();
    visibleOrder.clear();
}

std::size_t MacroScope::placeByAddressOf(const DefineData& record) const {
    auto found = placeByAddress.find(&record);
    return found == placeByAddress.end() ? 0 : found->second;
}

bool MacroScope::place(const DefineData& record) {
    const std::size_t ordinal = record.getOrdinal();
    if (ordinal != DefineData::kNoOrdinal) {
        if (ordinal >= placeByOrdinal.size()) placeByOrdinal.resize(std::max(ordinal + 1, group->size()), 0);
        placeByOrdinal[ordinal] = static_cast<std::uint32_t>(visibleCount + 1);
    } else {
        placeByAddress.emplace(&record, visibleCount + 1);
    }
    ++visibleCount;
    visibleOrder.push_back(&record);
    return true;
}

void MacroScope::makeImportsVisible() {
    // The order DefineLookup walks them in, each record once.
    auto enter = [&](const DefineData& record) {
        return makeVisible(record) ? ImportWalk::Step::Enter : ImportWalk::Step::Skip;
    };
    // A walk kept for the list as it stands is the one any header importing the same header
    // meets now, and the walk from a later import that skips what is visible already meets the
    // same records, in the same order, as that whole walk less those: what is visible holds
    // what it imports (but the header's own record, whose walks are not taken whole), and a
    // kept walk meets only records read whole, none of those the define pass is still reading.
    for (const std::string& key : pendingImports) {
        auto found = group->find(key);
        if (found == group->end() || !found->second) continue;
        const DefineData& imported = *found->second;
        std::shared_ptr<const DefinedNames::Closure> closure;
        if (index && visibleCount == 0) {
            closure = index->closureOf(imported, *group);
        } else if (index && &imported != own.get() && placeOf(imported) == 0) {
            closure = index->keptClosureOf(imported, *group);  // one some header began with
        }
        if (closure) {
            if (!own || !closure->holds(*own)) {
                if (closure->numbered()) {
                    walks.push_back({closure, visibleCount});
                    visibleCount += closure->size();
                    continue;
                }
                if (visibleCount == 0) {
                    for (const DefineData* record : *closure) makeVisible(*record);
                    continue;
                }
            }
        }
        if (enter(imported) == ImportWalk::Step::Skip) continue;
        ImportWalk::below(imported, *group, index, enter);
    }
    pendingImports.clear();
}

const MacroDefinition* MacroScope::find(std::string_view name) {
    const MacroDefinition* line = visibleLine(name);
    if (line) return line->isUndefined() ? nullptr : line;  // an "#undef" the header sees holds
    return elsewhere(name);
}

bool MacroScope::isDefined(std::string_view name) {
    const MacroDefinition* line = visibleLine(name);
    return line && !line->isUndefined();
}

const MacroDefinition* MacroScope::importedDefinition(std::string_view name) {
    const MacroDefinition* line = importedLine(name);
    return line && !line->isUndefined() ? line : nullptr;
}

const MacroDefinition* MacroScope::visibleLine(std::string_view name) {
    if (const MacroDefinition* line = importedLine(name)) return line;
    return target->predefined(name);
}

const MacroDefinition* MacroScope::importedLine(std::string_view name) {
    if (own) {
        if (const MacroDefinition* line = own->findOwn(name)) return line;
    }
    if (!pendingImports.empty()) makeImportsVisible();
    if (index) {
        const MacroDefinition* best = nullptr;
        if (const auto* holders = index->recordsDefining(name)) {
            std::size_t bestPlace = std::numeric_limits<std::size_t>::max();
            for (const DefineData* holder : *holders) {
                const std::size_t place = placeOf(*holder);
                if (place == 0 || place >= bestPlace) continue;
                if (const MacroDefinition* line = holder->findOwn(name)) {
                    bestPlace = place;
                    best = line;
                }
            }
        }
        return best;
    }
    for (const DefineData* record : visibleOrder) {
        if (const MacroDefinition* line = record->findOwn(name)) return line;
    }
    return nullptr;
}

const MacroDefinition* MacroScope::elsewhere(std::string_view name) const {
    if (!index) return nullptr;
    const auto* holders = index->recordsDefining(name);
    if (!holders) return nullptr;
    // The header of the first name (a choice that does not hang on the order headers were
    // read in), other than the header itself.
    const DefineData* chosen = nullptr;
    const MacroDefinition* line = nullptr;
    for (const DefineData* holder : *holders) {
        if (own && holder->getHName() == own->getHName()) continue;
        const MacroDefinition* candidate = holder->findOwn(name);
        if (!candidate || candidate->isUndefined()) continue;
        if (!chosen || holder->getHName() < chosen->getHName()) {
            chosen = holder;
            line = candidate;
        }
    }
    return line;
}

}  // namespace kestrel
