#include "core/model/CategoryData.h"

namespace kestrel {

CategoryData::CategoryData() { dataKind = kCategoryDataKind; }
CategoryData::CategoryData(BlankRecord) : HasMethodsData(kBlankRecord) {}
CategoryData::CategoryData(const PlistDict& dic) : HasMethodsData(kBlankRecord) {
    CategoryData::initFromDic(dic);
}
CategoryData::CategoryData(std::optional<std::string> newName, std::optional<std::string> targetClassName)
    : HasMethodsData(std::move(newName), std::move(targetClassName)) {
    dataKind = kCategoryDataKind;
}

void CategoryData::initInstance() {
    HasMethodsData::initInstance();
    dataKind = kCategoryDataKind;
}

void CategoryData::initFromDic(const PlistDict& dic) {
    HasMethodsData::initFromDic(dic);
    dataKind = kCategoryDataKind;
}

}  // namespace kestrel
