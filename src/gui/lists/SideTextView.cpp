#include "gui/lists/SideTextView.h"

namespace kestrel::gui {

SideTextView::SideTextView(QWidget* parent) : TextArrayView(parent) {}

void SideTextView::setRows(std::vector<std::string> rows, std::vector<std::string> sideTexts) {
    sideTexts_ = std::move(sideTexts);
    setTextArray(std::move(rows));
}

std::optional<std::string> SideTextView::getSideText(int index) const {
    if (index < 0 || index >= static_cast<int>(sideTexts_.size()) || sideTexts_[static_cast<std::size_t>(index)].empty())
        return std::nullopt;
    return sideTexts_[static_cast<std::size_t>(index)];
}

}  // namespace kestrel::gui
