#include "core/model/FunctionMacrosData.h"

namespace kestrel {

FunctionMacrosData::FunctionMacrosData(std::int32_t kind) { dataKind = kind; }
FunctionMacrosData::FunctionMacrosData(BlankRecord) : TreeData(kBlankRecord) {}
FunctionMacrosData::FunctionMacrosData(const PlistDict& dic) : TreeData(kBlankRecord) {
    TreeData::initFromDic(dic);
}

void FunctionMacrosData::initInstance() {
    const std::int32_t kind = dataKind;
    TreeData::initInstance();
    dataKind = kind;
}

void FunctionMacrosData::writeDictionary(PlistXmlWriter& writer) const {
    writer.beginDict();
    writeOwnKeys(writer);
    writer.endDict();
}

}  // namespace kestrel
