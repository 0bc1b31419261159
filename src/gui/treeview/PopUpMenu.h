#pragma once
// A method menu (MethodMenu's data) as a QMenu: each action carries its tag in its data, each
// submenu is filled when it first opens, and choosing a method item hands that item (with its
// owner and index) to the callback.
#include <QMenu>
#include <functional>

#include "core/model/MethodMenu.h"

namespace kestrel::gui {

class PopUpMenu {
public:
    using Chosen = std::function<void(const MenuItemModel&)>;

    // A new menu (owned by the caller) for model; parent is the widget it belongs to.
    static QMenu* make(const MenuModel& model, const Chosen& chosen, QWidget* parent);
    // The text a title shows: mnemonic marks doubled, line breaks dropped, tabs as spaces.
    static QString displayTitle(const std::string& title);

private:
    static void fill(QMenu* menu, const MenuModel& model, const Chosen& chosen);
};

}  // namespace kestrel::gui
