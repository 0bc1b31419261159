#include "core/model/ProtocolData.h"

namespace kestrel {

ProtocolData::ProtocolData() { dataKind = kProtocolDataKind; }
ProtocolData::ProtocolData(BlankRecord) : HasMethodsData(kBlankRecord) {}
ProtocolData::ProtocolData(const PlistDict& dic) : HasMethodsData(kBlankRecord) {
    ProtocolData::initFromDic(dic);
}
ProtocolData::ProtocolData(std::optional<std::string> newName, std::optional<std::string> newSuperName)
    : HasMethodsData(std::move(newName), std::move(newSuperName)) {
    dataKind = kProtocolDataKind;
}

void ProtocolData::initInstance() {
    HasMethodsData::initInstance();
    dataKind = kProtocolDataKind;
}

void ProtocolData::initFromDic(const PlistDict& dic) {
    HasMethodsData::initFromDic(dic);
    dataKind = kProtocolDataKind;
}

}  // namespace kestrel
