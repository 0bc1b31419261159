#pragma once
// An exported function, variable, constant or macro: name is the whole declaration text.
// Its kind (8 to 13, see DataKind) says which keyword declared it and is given at creation;
// a record read back from a dictionary keeps the stored kind and gets no display name.
#include <cstdint>

#include "core/model/TreeData.h"

namespace kestrel {

class FunctionMacrosData : public TreeData {
public:
    // initbyWith: -- init, then the given kind.
    explicit FunctionMacrosData(std::int32_t kind);
    explicit FunctionMacrosData(BlankRecord);
    explicit FunctionMacrosData(const PlistDict& dic);

    void initInstance() override;  // keeps the kind given at creation
    // A functions file holds thousands: written straight (this kind adds no keys to TreeData's).
    void writeDictionary(PlistXmlWriter& writer) const override;
};

}  // namespace kestrel
