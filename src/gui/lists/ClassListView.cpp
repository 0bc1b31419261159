#include "gui/lists/ClassListView.h"

#include "core/model/TreeData.h"
#include "core/platform/Host.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "core/text/DeclarationText.h"
#include "core/text/ListText.h"

namespace kestrel::gui {

ClassListView::ClassListView(QWidget* parent) : TextArrayView(parent) { setAnnouncesDrags(true); }

void ClassListView::setRecords(std::optional<Records> records) {
    records_ = records ? std::move(*records) : Records{};
    rowsReplaced(static_cast<int>(records_.size()));
}

std::shared_ptr<TreeData> ClassListView::selectedRecord() const {
    if (selectLine < 0 || selectLine >= static_cast<int>(records_.size())) return nullptr;
    return records_[static_cast<std::size_t>(selectLine)];
}

void ClassListView::setCommentDic(std::shared_ptr<const CommentDic> comments) {
    dic = std::move(comments);
    rowsRestyled();  // rows may read differently now
}

std::optional<std::string> ClassListView::getTextFromArray(int index) const {
    if (index < 0 || index >= static_cast<int>(records_.size()) || !records_[static_cast<std::size_t>(index)])
        return std::nullopt;
    const std::string name = records_[static_cast<std::size_t>(index)]->getName().value_or("");
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    return ListText::classListRow(name, dic.get(), pref && pref->useCommentInMenu);
}

std::optional<std::string> ClassListView::getSideText(int index) const {
    if (index < 0 || index >= static_cast<int>(records_.size()) || !records_[static_cast<std::size_t>(index)])
        return std::nullopt;
    return records_[static_cast<std::size_t>(index)]->hedderName();
}

void ClassListView::doClickAction(int index) {
    TextArrayView::doClickAction(index);
    if (index >= 0 && index < static_cast<int>(records_.size()) && controller_)
        controller_->classSelected(records_[static_cast<std::size_t>(index)]);
}

std::string ClassListView::createDragStrings() const {
    std::shared_ptr<TreeData> record = selectedRecord();
    if (!record || !record->getName()) return {};
    return DeclarationText::functionText(*record->getName(), Host::current().getDragStyleMode());
}

}  // namespace kestrel::gui
