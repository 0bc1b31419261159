#include "gui/lists/StructEnumView.h"

#include <QLabel>

#include "core/model/StructEnumData.h"

namespace kestrel::gui {

StructEnumView::StructEnumView(QWidget* parent) : TextArrayView(parent) {}

void StructEnumView::setRecords(std::optional<Records> records) {
    records_ = records ? std::move(*records) : Records{};
    rowsReplaced(static_cast<int>(records_.size()));
    if (indexView) indexView->setTextArray(std::nullopt);
    if (countView) countView->setText(QString::number(records_.size()));
}

std::optional<std::string> StructEnumView::getTextFromArray(int index) const {
    if (index < 0 || index >= static_cast<int>(records_.size()) || !records_[static_cast<std::size_t>(index)])
        return std::nullopt;
    return records_[static_cast<std::size_t>(index)]->getName();
}

void StructEnumView::doClickAction(int index) {
    TextArrayView::doClickAction(index);
    if (selectLine < 0 || selectLine >= static_cast<int>(records_.size()) || !indexView) return;
    const auto& record = records_[static_cast<std::size_t>(selectLine)];
    indexView->setMultiLineStrings(record && record->getStructIndex() ? *record->getStructIndex() : std::string());
}

std::string StructEnumView::createDragStrings() const {
    if (selectLine < 0 || selectLine >= static_cast<int>(records_.size())) return {};
    const auto& record = records_[static_cast<std::size_t>(selectLine)];
    if (!record) return {};
    const std::string name = record->getName().value_or("");
    const std::string kind = record->whoAreYou() == kEnumDataKind ? "enum" : "struct";
    return kind + " " + name + " " + record->getStructIndex().value_or("{}") + ";";
}

}  // namespace kestrel::gui
