#pragma once
// Struct or enum records by name (an anonymous enum by its first constants), each with its
// header beside it; a click shows the record's definition, one line a row, in the index list
// beside it (the texts are StructEnumText's). The count field says how many records there are.
#include <memory>
#include <vector>

#include "gui/lists/TextArrayView.h"

class QLabel;

namespace kestrel {
class StructEnumData;
}

namespace kestrel::gui {

class StructEnumView : public TextArrayView {
    Q_OBJECT
public:
    using Records = std::vector<std::shared_ptr<StructEnumData>>;

    explicit StructEnumView(QWidget* parent = nullptr);

    void setIndexView(TextArrayView* view) { indexView = view; }
    void setCountView(QLabel* view) { countView = view; }
    // New records: the body list emptied, the count shown.
    void setRecords(std::optional<Records> records);
    const Records& records() const { return records_; }

    std::optional<std::string> getTextFromArray(int index) const override;
    // The header a record comes from, where known.
    std::optional<std::string> getSideText(int index) const override;
    void doClickAction(int index) override;
    // A record is copied and dragged as its definition.
    std::string createDragStrings() const override;

private:
    const StructEnumData* recordAt(int index) const;

    Records records_;
    TextArrayView* indexView = nullptr;
    QLabel* countView = nullptr;
};

}  // namespace kestrel::gui
