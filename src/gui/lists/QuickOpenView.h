#pragma once
// Quick open's results: one row an entry of the index -- a badge for its kind (its name in the
// tool tip), its name, what owns it, dimmed, and at the right its availability where the
// record knows it. The keys stay in quick open's field: the list never takes the focus, and its
// selected row is drawn as the active selection, whatever has the focus. A double click goes to the row's entry.
#include <QPointer>
#include <cstdint>
#include <functional>
#include <vector>

#include "gui/lists/TextArrayView.h"

namespace kestrel {
class QuickOpenIndex;
}

namespace kestrel::gui {

class QuickOpenView : public TextArrayView {
    Q_OBJECT
public:
    explicit QuickOpenView(QWidget* parent = nullptr);

    // The entries of index to show, best first (none: no rows).
    void setEntries(const QuickOpenIndex* index, std::vector<std::uint32_t> entries);
    const std::vector<std::uint32_t>& entries() const { return entries_; }
    // The entry of the selected row, or none.
    std::optional<std::uint32_t> selectedEntry() const;
    // What a double click does (quick open goes to the entry).
    void setOpener(std::function<void()> open) { open_ = std::move(open); }

    std::optional<std::string> getTextFromArray(int index) const override;
    void doDoubleClick() override;
    bool opensRows() const override { return true; }
    // Moves the selection as Up, Down, Page Up, Page Down would in the list (keys typed into
    // quick open's field): true when the key is one of them.
    bool moveSelection(int key);

protected:
    void drawRow(QPainter& painter, int index, const QRect& rect, const RowStyle& style) const override;
    double rowWidth(int index) const override;
    bool event(QEvent* event) override;

private:
    const QuickOpenIndex* index_ = nullptr;
    std::vector<std::uint32_t> entries_;
    std::function<void()> open_;
};

}  // namespace kestrel::gui
