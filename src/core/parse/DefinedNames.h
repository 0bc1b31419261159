#pragma once
// Every macro name that any header's define record defines: a quick "no" for the words of a
// header that no header defines, before the slower walk through one header's imports.
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_set>

#include "core/platform/ProcessState.h"

namespace kestrel {

class DefineData;

class DefinedNames {
public:
    // Brings the names up to date with group; they are gathered again only when group has
    // gained or lost records since the last call. A record is complete once the define pass
    // has made it (a header is read whole before anything else looks at its record, and
    // never again), so a list of the same records defines the same names: the check per
    // header costs no walk over the records.
    void refresh(const DefineList& group);
    bool contains(const std::string& name) const { return names.count(name) > 0; }

private:
    std::unordered_set<std::string> names;
    std::size_t records = 0;
    // Tell a list emptied and filled again apart: the records of the old list are gone.
    std::weak_ptr<DefineData> firstRecord;
    std::weak_ptr<DefineData> lastRecord;
};

}  // namespace kestrel
