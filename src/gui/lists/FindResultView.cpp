#include "gui/lists/FindResultView.h"

#include <QLineEdit>

#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/platform/Host.h"
#include "core/platform/InfoPlist.h"
#include "core/text/DeclarationText.h"
#include "core/text/EnumText.h"
#include "gui/lists/MethodView.h"
#include "gui/treeview/TreeView.h"

namespace kestrel::gui {

namespace {
QString tip(const char* key) { return QString::fromStdString(InfoPlist::localizedString(key)); }
}  // namespace

FindResultView::FindResultView(QWidget* parent) : TextArrayView(parent) {
    setAnnouncesDrags(true);
    setToolTip(tip("findResultViewClassTip"));
}

void FindResultView::setDrawMode(int mode) {
    if (mode == drawMode) return;
    drawMode = mode;
    setResults(std::nullopt);
    if (mode == TreeSearch::kFindMethods) setToolTip(tip("findResultViewMethodTip"));
    if (mode == TreeSearch::kFindFunctions) setToolTip(tip("findResultViewFunctionTip"));
    if (mode == TreeSearch::kFindConstants) setToolTip(tip("findResultViewConstantTip"));
    if (mode == TreeSearch::kFindClasses) setToolTip(tip("findResultViewClassTip"));
}

void FindResultView::setResults(std::optional<std::vector<TreeSearch::Result>> results) {
    results_ = results ? std::move(*results) : std::vector<TreeSearch::Result>{};
    rowsReplaced(static_cast<int>(results_.size()));
}

std::optional<std::string> FindResultView::getTextFromArray(int index) const {
    if (index < 0 || index >= static_cast<int>(results_.size())) return std::nullopt;
    const TreeSearch::Result& r = results_[static_cast<std::size_t>(index)];
    switch (drawMode) {
        case TreeSearch::kFindMethods: return r.method;
        case TreeSearch::kFindFunctions: return r.function ? r.function->getName() : std::nullopt;
        case TreeSearch::kFindConstants: return r.constant ? std::optional(r.constant->text()) : std::nullopt;
        case TreeSearch::kFindClasses: return r.classRecord ? r.classRecord->getName() : std::nullopt;
        default: return std::nullopt;
    }
}

std::optional<std::string> FindResultView::getSideText(int index) const {
    if (index < 0 || index >= static_cast<int>(results_.size())) return std::nullopt;
    const TreeSearch::Result& r = results_[static_cast<std::size_t>(index)];
    if (drawMode == TreeSearch::kFindConstants) return r.enumRecord ? std::optional(EnumText::owner(*r.enumRecord)) : std::nullopt;
    if (drawMode != TreeSearch::kFindMethods) return std::nullopt;
    return r.classRecord ? r.classRecord->getName() : std::nullopt;
}

void FindResultView::doClickAction(int index) {
    const int before = selectLine;
    TextArrayView::doClickAction(index);
    const TreeSearch::Result* row =
        selectLine >= 0 && selectLine < static_cast<int>(results_.size()) ? &results_[static_cast<std::size_t>(selectLine)]
                                                                           : nullptr;
    // A call made from a method result is sent to the result's own class.
    if (row && row->classRecord) {
        if (QLineEdit* field = classNameField()) field->setText(QString::fromStdString(row->classRecord->getName().value_or("")));
    }
    if (selectLine == before) return;
    TreeView* tree = treeView_ ? treeView_() : nullptr;
    if (!tree) return;
    if (row && row->classRecord)
        tree->selectClass(row->classRecord);
    else
        tree->doObjSelectByPt({-1, -1});  // no box there: the tree's selection goes
}

void FindResultView::doDoubleClick() {
    if (drawMode != TreeSearch::kFindMethods || selectLine < 0 || selectLine >= static_cast<int>(results_.size()) ||
        !showMethod_)
        return;
    const TreeSearch::Result& row = results_[static_cast<std::size_t>(selectLine)];
    if (row.method) showMethod_(row);
}

std::string FindResultView::createDragStrings() const {
    std::optional<std::string> text = getTextFromArray(selectLine);
    if (!text) return {};
    if (drawMode == TreeSearch::kFindConstants) return results_[static_cast<std::size_t>(selectLine)].constant->name;
    if (drawMode != TreeSearch::kFindMethods) return *text;
    return DeclarationText::createExternalDragStrings(*text, Host::current().getDragStyleMode(), receiverName());
}

}  // namespace kestrel::gui
