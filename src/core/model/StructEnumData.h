#pragma once
// A struct or enum: name is its tag (or typedef name), structIndex its body text from the
// opening brace to the closing one.
//
// Stored keys: TreeData's without "idNum" (structs and enums are not numbered), then
// "structIndex"?.
#include <optional>
#include <string>

#include "core/model/TreeData.h"

namespace kestrel {

class StructEnumData : public TreeData {
public:
    StructEnumData();
    explicit StructEnumData(BlankRecord);
    explicit StructEnumData(const PlistDict& dic);

    void initInstance() override;
    void initFromDic(const PlistDict& dic) override;
    void makeDictionary(PlistDict& dic, bool withNotes = true) const override;

    void setStructIndex(std::optional<std::string> body) { structIndex = std::move(body); }
    const std::optional<std::string>& getStructIndex() const { return structIndex; }
    std::optional<std::string>& getStructIndex() { return structIndex; }

protected:
    std::optional<std::string> structIndex;

private:
    void ownDefaults();
};

}  // namespace kestrel
