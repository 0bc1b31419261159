#include "core/model/StructEnumData.h"

namespace kestrel {

StructEnumData::StructEnumData() { ownDefaults(); }
StructEnumData::StructEnumData(BlankRecord) : TreeData(kBlankRecord) {}
StructEnumData::StructEnumData(const PlistDict& dic) : TreeData(kBlankRecord) {
    StructEnumData::initFromDic(dic);
}

void StructEnumData::ownDefaults() {
    structIndex.reset();
    dataKind = kStructEnumDataKind;
}

void StructEnumData::initInstance() {
    TreeData::initInstance();
    ownDefaults();
}

void StructEnumData::initFromDic(const PlistDict& dic) {
    TreeData::initFromDic(dic);
    dataKind = kStructEnumDataKind;
    if (const std::string* s = dic.getString("structIndex")) structIndex = *s;
}

void StructEnumData::makeDictionary(PlistDict& dic, bool withNotes) const {
    TreeData::makeDictionary(dic, withNotes);
    dic.remove("idNum");  // structs and enums are not numbered
    if (structIndex) dic.set("structIndex", PlistValue(*structIndex));
}

}  // namespace kestrel
