#pragma once
// A record with methods: the common part of classes, categories and protocols.
//
// Stored keys after TreeData's: "superName"?, "protocolNames"?, "methodList"?, "methodNotes"?
// (method text -> its notes: DeclarationNotes), "customFlag".
// superClass, subClass and protocolObjects are links made after loading and never stored;
// superClass is a plain back-reference that does not keep its target alive.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/TreeData.h"

namespace kestrel {

class ProtocolData;

class HasMethodsData : public TreeData {
public:
    HasMethodsData();
    explicit HasMethodsData(BlankRecord);
    explicit HasMethodsData(const PlistDict& dic);
    // initWithName:superClass: -- superName may be none (a root class).
    HasMethodsData(std::optional<std::string> name, std::optional<std::string> superName);
    ~HasMethodsData() override;

    void initInstance() override;
    void initFromDic(const PlistDict& dic) override;
    void makeDictionary(PlistDict& dic, bool withNotes = true) const override;

    // Replaces the whole list (a setter, despite its name).
    void addMethodList(std::optional<std::vector<std::string>> list) { methodList = std::move(list); }
    const std::optional<std::vector<std::string>>& getMethodList() const { return methodList; }
    // The method at index; none without a list or when index is not below the count.
    std::optional<std::string> getMethodString(std::size_t index) const;

    // The notes of the methods, by their text in the method list; a method without notes has
    // no entry.
    void setMethodNotes(NotesByName value) { methodNotes = std::move(value); }
    const NotesByName& getMethodNotes() const { return methodNotes; }
    const DeclarationNotes* notesOfMethod(const std::string& method) const {
        auto found = methodNotes.find(method);
        return found == methodNotes.end() ? nullptr : &found->second;
    }

    void setSuperName(std::optional<std::string> value) { superName_ = std::move(value); }
    const std::optional<std::string>& superName() const { return superName_; }
    void setSuperClass(HasMethodsData* record) { superClass_ = record; }
    HasMethodsData* superClass() const { return superClass_; }

    void addSub(std::shared_ptr<HasMethodsData> record);
    const std::vector<std::shared_ptr<HasMethodsData>>& getSubClassList() const { return subClass; }
    std::vector<std::shared_ptr<HasMethodsData>>& getSubClassList() { return subClass; }

    void setProtocolNames(std::optional<std::vector<std::string>> names) { protocolNames = std::move(names); }
    const std::optional<std::vector<std::string>>& getProtocolNames() const { return protocolNames; }
    void addProtocolName(std::optional<std::string> protocolName);  // none is ignored

    void setProtocolObjects(std::vector<std::shared_ptr<ProtocolData>> objects) {
        protocolObjects = std::move(objects);
    }
    const std::vector<std::shared_ptr<ProtocolData>>& getProtocolObjects() const { return protocolObjects; }
    void addProtocolObject(std::shared_ptr<ProtocolData> record);  // none is ignored

    void setCustomFlag(bool value) { customFlag = value; }
    bool getCustomFlag() const { return customFlag; }

protected:
    std::optional<std::vector<std::string>> methodList;
    NotesByName methodNotes;
    std::optional<std::string> superName_;
    HasMethodsData* superClass_ = nullptr;
    // An absent array and an empty one are the same here: both are an empty vector.
    std::vector<std::shared_ptr<HasMethodsData>> subClass;
    std::optional<std::vector<std::string>> protocolNames;
    std::vector<std::shared_ptr<ProtocolData>> protocolObjects;
    bool customFlag = false;

private:
    void ownDefaults();
};

}  // namespace kestrel
