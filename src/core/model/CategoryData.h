#pragma once
// A category: name is the category's name, superName the class it extends.
#include <optional>
#include <string>

#include "core/model/HasMethodsData.h"

namespace kestrel {

class CategoryData : public HasMethodsData {
public:
    CategoryData();
    explicit CategoryData(BlankRecord);
    explicit CategoryData(const PlistDict& dic);
    // initWithName:targetClass:
    CategoryData(std::optional<std::string> name, std::optional<std::string> targetClassName);

    void initInstance() override;
    void initFromDic(const PlistDict& dic) override;

    const std::optional<std::string>& getTargetClassName() const { return superName(); }
};

}  // namespace kestrel
