#include "core/model/StructData.h"

namespace kestrel {

StructData::StructData() { dataKind = kStructDataKind; }
StructData::StructData(BlankRecord) : StructEnumData(kBlankRecord) {}
StructData::StructData(const PlistDict& dic) : StructEnumData(kBlankRecord) { StructData::initFromDic(dic); }

void StructData::initInstance() {
    StructEnumData::initInstance();
    dataKind = kStructDataKind;
}

void StructData::initFromDic(const PlistDict& dic) {
    StructEnumData::initFromDic(dic);
    dataKind = kStructDataKind;
}

}  // namespace kestrel
