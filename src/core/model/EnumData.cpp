#include "core/model/EnumData.h"

namespace kestrel {

EnumData::EnumData() { dataKind = kEnumDataKind; }
EnumData::EnumData(BlankRecord) : StructEnumData(kBlankRecord) {}
EnumData::EnumData(const PlistDict& dic) : StructEnumData(kBlankRecord) { EnumData::initFromDic(dic); }

void EnumData::initInstance() {
    StructEnumData::initInstance();
    underlyingType.reset();
    constants.reset();
    constantNotes.clear();
    dataKind = kEnumDataKind;
}

void EnumData::initFromDic(const PlistDict& dic) {
    StructEnumData::initFromDic(dic);
    dataKind = kEnumDataKind;
    if (const std::string* type = dic.getString("underlyingType")) underlyingType = *type;
    if (const PlistArray* list = dic.getArray("constants")) {
        // Elements that are no text starting with a name are passed over.
        constants.emplace();
        for (const PlistValue& element : *list) {
            const std::string* text = element.getString();
            if (auto constant = text ? EnumConstant::fromText(*text) : std::nullopt)
                constants->push_back(std::move(*constant));
        }
    }
    if (const PlistDict* notes = dic.getDict("constantNotes")) constantNotes = NotesDictionary::fromDict(*notes);
}

void EnumData::makeDictionary(PlistDict& dic, bool withNotes) const {
    StructEnumData::makeDictionary(dic, withNotes);
    if (underlyingType) dic.set("underlyingType", PlistValue(*underlyingType));
    if (constants) {
        PlistArray list;
        list.reserve(constants->size());
        for (const EnumConstant& constant : *constants) list.emplace_back(constant.text());
        dic.set("constants", PlistValue(std::move(list)));
    }
    if (withNotes && !constantNotes.empty()) dic.set("constantNotes", PlistValue(NotesDictionary::toDict(constantNotes)));
}

// Keep alike with makeDictionary above (and StructEnumData's and TreeData's under it).
void EnumData::writeDictionary(PlistXmlWriter& writer) const {
    writer.beginDict();
    writeOwnKeys(writer, false);
    writeText(writer, "structIndex", structIndex);
    writeText(writer, "underlyingType", underlyingType);
    if (constants) {
        writer.key("constants");
        writer.beginArray();
        std::string text;
        for (const EnumConstant& constant : *constants) {
            text.clear();
            constant.appendText(text);
            writer.string(text);
        }
        writer.endArray();
    }
    writer.endDict();
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
        list[i].appendText(body);
    }
    return body + "\n}";
}

}  // namespace kestrel
