#include "gui/lists/PrivateHedderView.h"

#include <QAbstractButton>

namespace kestrel::gui {

PrivateHedderView::PrivateHedderView(QWidget* parent) : TextArrayView(parent) {}

void PrivateHedderView::setPaths(std::optional<std::vector<std::string>> paths) {
    selectLine = -1;  // the old rows go without a lineUnSelected
    if (removeButtonView) removeButtonView->setEnabled(false);
    setTextArray(std::move(paths));
}

void PrivateHedderView::doClickAction(int index) {
    const int before = selectLine;
    TextArrayView::doClickAction(index);
    if (selectLine != before && removeButtonView) removeButtonView->setEnabled(selectLine >= 0);
}

}  // namespace kestrel::gui
