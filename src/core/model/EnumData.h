#pragma once
#include "core/model/StructEnumData.h"

namespace kestrel {

class EnumData : public StructEnumData {
public:
    EnumData();
    explicit EnumData(BlankRecord);
    explicit EnumData(const PlistDict& dic);

    void initInstance() override;
    void initFromDic(const PlistDict& dic) override;
};

}  // namespace kestrel
