#pragma once
// The user's private header paths; the remove button is enabled exactly while a row is
// selected (new rows disable it until one is clicked).
#include "gui/lists/TextArrayView.h"

class QAbstractButton;

namespace kestrel::gui {

class PrivateHedderView : public TextArrayView {
    Q_OBJECT
public:
    explicit PrivateHedderView(QWidget* parent = nullptr);

    void setRemoveButtonView(QAbstractButton* button) { removeButtonView = button; }
    void setPaths(std::optional<std::vector<std::string>> paths);
    void doClickAction(int index) override;

private:
    QAbstractButton* removeButtonView = nullptr;
};

}  // namespace kestrel::gui
