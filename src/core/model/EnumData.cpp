#include "core/model/EnumData.h"

namespace kestrel {

EnumData::EnumData() { dataKind = kEnumDataKind; }
EnumData::EnumData(BlankRecord) : StructEnumData(kBlankRecord) {}
EnumData::EnumData(const PlistDict& dic) : StructEnumData(kBlankRecord) { EnumData::initFromDic(dic); }

void EnumData::initInstance() {
    StructEnumData::initInstance();
    dataKind = kEnumDataKind;
}

void EnumData::initFromDic(const PlistDict& dic) {
    StructEnumData::initFromDic(dic);
    dataKind = kEnumDataKind;
}

}  // namespace kestrel
