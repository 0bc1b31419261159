#include "core/parse/FunctionRecord.h"

#include "core/model/FunctionMacrosData.h"
#include "core/model/RecordLists.h"

namespace kestrel {

std::shared_ptr<FunctionMacrosData> FunctionRecord::make(RecordLists& records, std::int32_t kind,
                                                         std::optional<std::string> text) {
    if (!text) return nullptr;
    auto record = std::make_shared<FunctionMacrosData>(kind);
    record->setName(std::move(text));
    records.functionsWasChanged = true;
    return record;
}

}  // namespace kestrel
