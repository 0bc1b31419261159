#pragma once
// The definition of a macro as one header's define records see it: the header's own define,
// else the first one found through its imports, depth first in import order -- the headers
// that DefineData::checkDefine visits, in the same order, each at most once. An "#undef" found
// first answers none.
//
//   App.h imports Base.h; Base.h: #define GS_EXPORT extern
//   findDefinition(App.h's record, "GS_EXPORT", defineList) -> "extern\n"
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/ProcessState.h"

namespace kestrel {

class DefineData;
class DefinedNames;
class ImportOrder;
class MacroDefinition;

class DefineLookup {
public:
    // In the define records' text form (MacroDefinition::recordText). With names (up to date
    // with group), a symbol no record defines is answered at once, and the walk follows the
    // imports names has noted instead of looking each up.
    static std::optional<std::string> findDefinition(const DefineData& header, const std::string& symbol,
                                                     const DefineList& group, const DefinedNames* names = nullptr);
    static const MacroDefinition* findMacro(const DefineData& header, const std::string& symbol,
                                            const DefineList& group, const DefinedNames* names = nullptr);
    // The same answer without a walk: among the records names says define symbol, the one order
    // (made for header, up to date) places first. For a header that asks about many names.
    static const MacroDefinition* findMacro(const DefineData& header, std::string_view symbol, const DefinedNames& names,
                                            const ImportOrder& order);
};

}  // namespace kestrel
