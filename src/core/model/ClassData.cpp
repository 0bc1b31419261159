#include "core/model/ClassData.h"

#include <cmath>

#include "core/model/CategoryData.h"
#include "core/model/TreeLayout.h"

namespace kestrel {

ClassData::ClassData() { ownDefaults(); }
ClassData::ClassData(BlankRecord) : HasMethodsData(kBlankRecord) {}
ClassData::ClassData(const PlistDict& dic) : HasMethodsData(kBlankRecord) { ClassData::initFromDic(dic); }

ClassData::ClassData(std::optional<std::string> newName, std::optional<std::string> newSuperName)
    : HasMethodsData(std::move(newName), std::move(newSuperName)) {
    ownDefaults();
    protocolNames.reset();
    protocolObjects.clear();
}

void ClassData::ownDefaults() {
    subClass.clear();
    categoryList.clear();
    showSubTree = true;
    selectFlag = false;
    dataKind = kClassDataKind;
}

void ClassData::initInstance() {
    HasMethodsData::initInstance();
    ownDefaults();
}

void ClassData::initFromDic(const PlistDict& dic) {
    HasMethodsData::initFromDic(dic);
    dataKind = kClassDataKind;
    showSubTree = dic.boolValue("showSubTree").value_or(false);
    selectFlag = dic.boolValue("selectFlag").value_or(false);
}

void ClassData::makeDictionary(PlistDict& dic, bool withNotes) const {
    HasMethodsData::makeDictionary(dic, withNotes);
    dic.set("showSubTree", PlistValue(showSubTree));
    dic.set("selectFlag", PlistValue(selectFlag));
}

TreeRect ClassData::calcPosition(TreePoint p) { return TreeLayout::calcPosition(*this, p); }

int ClassData::getClickIndex(TreePoint q, const TreeMetrics& m) const {
    const float d = q.x - position.x - m.boxWidth;
    return std::fabs(d) < m.buttonHitHalfWidth ? 1 : 0;
}

void ClassData::addCategory(std::shared_ptr<CategoryData> category) {
    if (category) categoryList.push_back(std::move(category));
}

}  // namespace kestrel
