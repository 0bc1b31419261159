#include "gui/treeview/PopUpMenu.h"

#include <QApplication>
#include <QProxyStyle>
#include <memory>

namespace kestrel::gui {

namespace {

// Long menus scroll instead of spreading over the screen in columns: NSView alone has some
// 220 methods.
class ScrollingMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_Menu_Scrollable) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* menuStyle() {
    static QStyle* style = [] {
        auto* made = new ScrollingMenuStyle;
        made->setParent(qApp);  // goes with the application
        return made;
    }();
    return style;
}

}  // namespace

QString PopUpMenu::displayTitle(const std::string& title) {
    QString text = QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    text.remove(QChar(0x2028));
    text.remove(QChar(0x2029));
    text.remove(QChar(0x0085));
    return text;
}

QMenu* PopUpMenu::make(const MenuModel& model, const Chosen& chosen, QWidget* parent) {
    auto* menu = new QMenu(displayTitle(model.title), parent);
    menu->setStyle(menuStyle());
    fill(menu, model, chosen);
    return menu;
}

void PopUpMenu::fill(QMenu* menu, const MenuModel& model, const Chosen& chosen) {
    for (const MenuItemModel& item : model.items) {
        switch (item.kind) {
            case MenuItemModel::Kind::Separator:
                menu->addSeparator();
                break;
            case MenuItemModel::Kind::Submenu: {
                QMenu* sub = menu->addMenu(displayTitle(item.title));
                sub->setStyle(menuStyle());
                sub->menuAction()->setData(item.tag);
                sub->setEnabled(item.enabled);
                // The item (and with it its submenu's data) lives as long as the QMenu.
                auto held = std::make_shared<MenuItemModel>(item);
                QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, held, chosen] {
                    if (!sub->isEmpty()) return;
                    if (const MenuModel* inner = held->submenu()) fill(sub, *inner, chosen);
                });
                break;
            }
            case MenuItemModel::Kind::Method:
            case MenuItemModel::Kind::Dummy: {
                QAction* action = menu->addAction(displayTitle(item.title));
                action->setData(item.tag);
                action->setEnabled(item.enabled);
                if (item.struck) {
                    // Only the strike is set: the rest comes from the menu's own font.
                    QFont struck;
                    struck.setStrikeOut(true);
                    action->setFont(struck);
                }
                if (item.kind == MenuItemModel::Kind::Dummy) break;  // menuDummyAction: nothing
                QObject::connect(action, &QAction::triggered, action, [item, chosen] { chosen(item); });
                break;
            }
        }
    }
}

}  // namespace kestrel::gui
