#pragma once
// The records a header sees through its imports, numbered in the order DefineLookup walks them
// (depth first in import order, each record once). With it, the definition a header sees of a
// macro is found among the few records that define the name (DefinedNames) -- the one met first
// -- instead of by a walk through every record below the header for each name asked.
//
//   App.h imports A.h, B.h; A.h imports Deep.h   ->  placeOf: A.h 1, Deep.h 2, B.h 3, Other.h 0
//
// Made for one header and kept while its record's imports and the define list stay as they
// were (current() tells); a header's own lines are not counted in (its record is place 0).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/parse/DefinedNames.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

class DefineData;

class ImportOrder {
public:
    ImportOrder(const DefineData& header, const DefineList& group, const DefinedNames* names);

    // 1-based place in the walk; 0 for a record the walk does not meet (and the header itself).
    std::size_t placeOf(const DefineData& record) const;
    // Whether it still stands for header's imports within group.
    bool current(const DefineData& header, const DefineList& group) const;
    // The order in slot, made again there when it is none or no longer current.
    static const ImportOrder& kept(std::optional<ImportOrder>& slot, const DefineData& header, const DefineList& group,
                                   const DefinedNames* names);

private:
    const DefineData* header;
    std::size_t importCount;
    std::size_t groupSize;
    // The first import's walk, shared: its records take their places from it.
    std::shared_ptr<const DefinedNames::Closure> base;
    std::vector<std::uint32_t> byOrdinal;  // the other records numbered by the define pass
    std::unordered_map<const DefineData*, std::size_t> others;
};

}  // namespace kestrel
