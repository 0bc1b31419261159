#include "core/model/HasMethodsData.h"

#include "core/model/ProtocolData.h"

namespace kestrel {

namespace {
// The strings of a stored array; elements of other types (a damaged file) are skipped.
std::optional<std::vector<std::string>> stringsOf(const PlistDict& dic, const std::string& key) {
    const PlistArray* array = dic.getArray(key);
    if (!array) return std::nullopt;
    std::vector<std::string> strings;
    strings.reserve(array->size());
    for (const PlistValue& element : *array)
        if (const std::string* s = element.getString()) strings.push_back(*s);
    return strings;
}
}  // namespace

HasMethodsData::HasMethodsData() { ownDefaults(); }
HasMethodsData::HasMethodsData(BlankRecord) : TreeData(kBlankRecord) {}
HasMethodsData::HasMethodsData(const PlistDict& dic) : TreeData(kBlankRecord) {
    HasMethodsData::initFromDic(dic);
}

HasMethodsData::HasMethodsData(std::optional<std::string> newName, std::optional<std::string> newSuperName) {
    ownDefaults();
    setName(std::move(newName));
    setSuperName(std::move(newSuperName));
    customFlag = false;
}

// The links below a record are dropped one by one from a work list, never by recursion: a chain
// of subclasses or adopted protocols may be as deep as the input makes it. A record still held
// elsewhere keeps its own links.
HasMethodsData::~HasMethodsData() {
    std::vector<std::shared_ptr<HasMethodsData>> pending;
    auto takeLinks = [&pending](HasMethodsData& record) {
        for (auto& sub : record.subClass) pending.push_back(std::move(sub));
        record.subClass.clear();
        for (auto& protocol : record.protocolObjects) pending.push_back(std::move(protocol));
        record.protocolObjects.clear();
    };
    takeLinks(*this);
    while (!pending.empty()) {
        std::shared_ptr<HasMethodsData> next = std::move(pending.back());
        pending.pop_back();
        if (next && next.use_count() == 1) takeLinks(*next);
    }
}

void HasMethodsData::ownDefaults() {
    methodList.reset();
    methodNotes.clear();
    dataKind = kHasMethodsDataKind;
}

void HasMethodsData::initInstance() {
    TreeData::initInstance();
    ownDefaults();
}

void HasMethodsData::initFromDic(const PlistDict& dic) {
    TreeData::initFromDic(dic);
    dataKind = kHasMethodsDataKind;
    if (const std::string* s = dic.getString("superName")) superName_ = *s;
    if (auto names = stringsOf(dic, "protocolNames")) protocolNames = std::move(names);
    if (auto methods = stringsOf(dic, "methodList")) methodList = std::move(methods);
    if (const PlistDict* notes = dic.getDict("methodNotes")) methodNotes = NotesDictionary::fromDict(*notes);
    customFlag = dic.boolValue("customFlag").value_or(false);
}

void HasMethodsData::makeDictionary(PlistDict& dic, bool withNotes) const {
    TreeData::makeDictionary(dic, withNotes);
    if (superName_) dic.set("superName", PlistValue(*superName_));
    if (protocolNames) dic.set("protocolNames", PlistValue::fromStrings(*protocolNames));
    if (methodList) dic.set("methodList", PlistValue::fromStrings(*methodList));
    if (withNotes && !methodNotes.empty()) dic.set("methodNotes", PlistValue(NotesDictionary::toDict(methodNotes)));
    dic.set("customFlag", PlistValue(customFlag));
}

std::optional<std::string> HasMethodsData::getMethodString(std::size_t index) const {
    if (!methodList || index >= methodList->size()) return std::nullopt;
    return (*methodList)[index];
}

void HasMethodsData::addSub(std::shared_ptr<HasMethodsData> record) {
    if (record) subClass.push_back(std::move(record));
}

void HasMethodsData::addProtocolName(std::optional<std::string> protocolName) {
    if (!protocolName) return;
    if (!protocolNames) protocolNames.emplace();
    protocolNames->push_back(std::move(*protocolName));
}

void HasMethodsData::addProtocolObject(std::shared_ptr<ProtocolData> record) {
    if (record) protocolObjects.push_back(std::move(record));
}

}  // namespace kestrel
