#pragma once
// The find panel's results: classes, methods (with their class) or functions, by drawMode
// (0, 1, 2). Selecting a result selects its class in the tree, unfolding what hides it;
// double-clicking a method result (or Return on it) shows it in the class panel as choosing it
// from its class's menu does. A method result
// is dragged and copied as a declaration or a call on its class; the others as their text.
#include <functional>
#include <vector>

#include "core/model/TreeSearch.h"
#include "gui/lists/TextArrayView.h"

namespace kestrel::gui {

class TreeView;

class FindResultView : public TextArrayView {
    Q_OBJECT
public:
    explicit FindResultView(QWidget* parent = nullptr);

    // Another mode empties the list and changes the tool tip; the same mode changes nothing.
    void setDrawMode(int mode);
    int getDrawMode() const { return drawMode; }
    void setResults(std::optional<std::vector<TreeSearch::Result>> results);
    const std::vector<TreeSearch::Result>& results() const { return results_; }

    // Where a selection goes: the tree view (none while the tree window is closed), and what
    // shows a method result in the class panel (a double click, Return).
    void setTreeView(std::function<TreeView*()> tree) { treeView_ = std::move(tree); }
    using MethodShower = std::function<void(const TreeSearch::Result&)>;
    void setMethodShower(MethodShower show) { showMethod_ = std::move(show); }

    std::optional<std::string> getTextFromArray(int index) const override;
    // A method result names its class at the right.
    std::optional<std::string> getSideText(int index) const override;
    void doClickAction(int index) override;
    void doDoubleClick() override;
    bool opensRows() const override { return drawMode == TreeSearch::kFindMethods; }
    std::string createDragStrings() const override;

private:
    int drawMode = 0;
    std::vector<TreeSearch::Result> results_;
    std::function<TreeView*()> treeView_;
    MethodShower showMethod_;
};

}  // namespace kestrel::gui
