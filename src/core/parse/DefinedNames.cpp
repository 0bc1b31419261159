#include "core/parse/DefinedNames.h"

#include "core/parse/DefineData.h"

namespace kestrel {

void DefinedNames::refresh(const DefineList& group) {
    std::shared_ptr<DefineData> first = group.empty() ? nullptr : group.begin()->second;
    std::shared_ptr<DefineData> last = group.empty() ? nullptr : group.rbegin()->second;
    if (group.size() == records && first == firstRecord.lock() && last == lastRecord.lock()) return;
    records = group.size();
    firstRecord = first;
    lastRecord = last;
    names.clear();
    for (const auto& [name, data] : group) {
        if (!data || !data->getDefineList()) continue;
        for (const auto& [macro, text] : *data->getDefineList()) names.insert(macro);
    }
}

}  // namespace kestrel
