#pragma once
#include "core/model/StructEnumData.h"

namespace kestrel {

class StructData : public StructEnumData {
public:
    StructData();
    explicit StructData(BlankRecord);
    explicit StructData(const PlistDict& dic);

    void initInstance() override;
    void initFromDic(const PlistDict& dic) override;
};

}  // namespace kestrel
