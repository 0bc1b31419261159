#include "gui/lists/StructEnumView.h"

#include <QLabel>

#include "core/model/StructEnumData.h"
#include "core/text/StructEnumText.h"

namespace kestrel::gui {

StructEnumView::StructEnumView(QWidget* parent) : TextArrayView(parent) {}

void StructEnumView::setRecords(std::optional<Records> records) {
    records_ = records ? std::move(*records) : Records{};
    rowsReplaced(static_cast<int>(records_.size()));
    if (indexView) indexView->setTextArray(std::nullopt);
    if (countView) countView->setText(QString::number(records_.size()));
}

const StructEnumData* StructEnumView::recordAt(int index) const {
    if (index < 0 || index >= static_cast<int>(records_.size())) return nullptr;
    return records_[static_cast<std::size_t>(index)].get();
}

std::optional<std::string> StructEnumView::getTextFromArray(int index) const {
    const StructEnumData* record = recordAt(index);
    if (!record) return std::nullopt;
    return StructEnumText::rowText(*record);
}

std::optional<std::string> StructEnumView::getSideText(int index) const {
    const StructEnumData* record = recordAt(index);
    return record ? StructEnumText::sideText(*record) : std::nullopt;
}

void StructEnumView::doClickAction(int index) {
    TextArrayView::doClickAction(index);
    const StructEnumData* record = recordAt(selectLine);
    if (!record || !indexView) return;
    indexView->setMultiLineStrings(StructEnumText::detailText(*record));
}

std::string StructEnumView::createDragStrings() const {
    const StructEnumData* record = recordAt(selectLine);
    return record ? StructEnumText::copyText(*record) : std::string();
}

}  // namespace kestrel::gui
