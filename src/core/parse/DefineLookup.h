#pragma once
// The definition of a macro as one header's define records see it: the header's own define,
// else the first one found through its imports, depth first in import order -- the headers
// that DefineData::checkDefine visits, in the same order, each at most once.
//
//   App.h imports Base.h; Base.h: #define GS_EXPORT extern
//   findDefinition(App.h's record, "GS_EXPORT", defineList) -> "extern\n"
#include <optional>
#include <string>

#include "core/platform/ProcessState.h"

namespace kestrel {

class DefineData;

class DefineLookup {
public:
    static std::optional<std::string> findDefinition(const DefineData& header, const std::string& symbol,
                                                     const DefineList& group);
};

}  // namespace kestrel
