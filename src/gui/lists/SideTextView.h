#pragma once
// A list of plain rows, each with a dimmed side text at the right (who a row belongs to), the
// side texts given with the rows and shortened in the middle, so that both ends show
// ("NSTabVi…roller  +2"). Drags and copies take the row alone.
#include <string>
#include <vector>

#include "gui/lists/TextArrayView.h"

namespace kestrel::gui {

class SideTextView : public TextArrayView {
    Q_OBJECT
public:
    explicit SideTextView(QWidget* parent = nullptr);

    // sideTexts[i] goes with rows[i]; missing or empty ones show nothing.
    void setRows(std::vector<std::string> rows, std::vector<std::string> sideTexts);
    std::optional<std::string> getSideText(int index) const override;
    Qt::TextElideMode sideTextElision() const override { return Qt::ElideMiddle; }

private:
    std::vector<std::string> sideTexts_;
};

}  // namespace kestrel::gui
