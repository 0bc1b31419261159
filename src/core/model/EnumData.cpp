#include "core/model/EnumData.h"

namespace kestrel {

EnumData::EnumData() { dataKind = kEnumDataKind; }
EnumData::EnumData(BlankRecord) : StructEnumData(kBlankRecord) {}
EnumData::EnumData(const PlistDict& dic) : StructEnumData(kBlankRecord) { EnumData::initFromDic(dic); }

void EnumData::initInstance() {
    StructEnumData::initInstance();
    underlyingType.reset();
    constants.reset();
    dataKind = kEnumDataKind;
}

void EnumData::initFromDic(const PlistDict& dic) {
    StructEnumData::initFromDic(dic);
    dataKind = kEnumDataKind;
    if (const std::string* type = dic.getString("underlyingType")) underlyingType = *type;
    if (const PlistArray* list = dic.getArray("constants")) {
        // Elements that are no dictionary with a string name are passed over.
        constants.emplace();
        for (const PlistValue& element : *list) {
            const PlistDict* entry = element.getDict();
            const std::string* name = entry ? entry->getString("name") : nullptr;
            if (!name) continue;
            EnumConstant constant{*name, std::nullopt};
            if (const std::string* value = entry->getString("value")) constant.value = *value;
            constants->push_back(std::move(constant));
        }
    }
}

void EnumData::makeDictionary(PlistDict& dic) const {
    StructEnumData::makeDictionary(dic);
    if (underlyingType) dic.set("underlyingType", PlistValue(*underlyingType));
    if (constants) {
        PlistArray list;
        list.reserve(constants->size());
        for (const EnumConstant& constant : *constants) {
            PlistDict entry;
            entry.set("name", PlistValue(constant.name));
            if (constant.value) entry.set("value", PlistValue(*constant.value));
            list.emplace_back(std::move(entry));
        }
        dic.set("constants", PlistValue(std::move(list)));
    }
}

void EnumData::setConstants(std::vector<EnumConstant> list) {
    structIndex = bodyText(list);
    constants = std::move(list);
}

std::vector<EnumConstant> EnumData::getConstants() const {
    if (constants) return *constants;
    if (structIndex) return EnumConstant::fromBody(*structIndex);
    return {};
}

std::string EnumData::bodyText(const std::vector<EnumConstant>& list) {
    std::string body = "{\n";
    for (std::size_t i = 0; i < list.size(); ++i) {
        body += i == 0 ? "    " : ", ";
        body += list[i].text();
    }
    return body + "\n}";
}

}  // namespace kestrel
