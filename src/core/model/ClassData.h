#pragma once
// A class (an @interface with a superclass name or none).
//
// Stored keys after HasMethodsData's: "showSubTree", "selectFlag". The layout geometry and
// the attached categories are never stored.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/HasMethodsData.h"
#include "core/model/TreeGeometry.h"
#include "core/model/TreeMetrics.h"

namespace kestrel {

class CategoryData;

class ClassData : public HasMethodsData {
public:
    ClassData();
    explicit ClassData(BlankRecord);
    explicit ClassData(const PlistDict& dic);
    // initWithName:superClass: -- protocol lists none, subtree shown, not selected.
    ClassData(std::optional<std::string> name, std::optional<std::string> superName);

    void initInstance() override;
    void initFromDic(const PlistDict& dic) override;
    void makeDictionary(PlistDict& dic, bool withNotes = true) const override;

    void addCategory(std::shared_ptr<CategoryData> category);
    const std::vector<std::shared_ptr<CategoryData>>& getCategoryList() const { return categoryList; }
    std::vector<std::shared_ptr<CategoryData>>& getCategoryList() { return categoryList; }

    void setSelectFlag(bool value) { selectFlag = value; }
    bool getSelectFlag() const { return selectFlag; }
    void setShowSubTree(bool value) { showSubTree = value; }
    bool getShowSubTree() const { return showSubTree; }

    // The box geometry (see TreeLayout): lays out this class's subtree with its box at p and
    // answers the rectangle of the subtree shown.
    TreeRect calcPosition(TreePoint p);
    // 1 when q's x lies within 11 points (scaled with the font) either side of the box's right
    // edge (the fold button's zone; y is not looked at), else 0.
    int getClickIndex(TreePoint q, const TreeMetrics& m = TreeMetrics::current()) const;
    bool clickOnMe(TreePoint q) const { return Bounds.contains(q); }
    void changeButton() { showSubTree = !showSubTree; }

    TreePoint getPosition() const { return position; }
    void setPosition(TreePoint value) { position = value; }
    TreeRect getBounds() const { return Bounds; }
    void setBounds(TreeRect value) { Bounds = value; }

protected:
    TreePoint position;
    TreeRect Bounds;
    bool showSubTree = false;
    bool selectFlag = false;
    std::vector<std::shared_ptr<CategoryData>> categoryList;

private:
    void ownDefaults();
};

}  // namespace kestrel
