#include "core/text/DeprecatedEntries.h"

#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/MethodMenu.h"

namespace kestrel {

bool DeprecatedEntries::isDeprecated(const NotesLookup& lookup, const HasMethodsData& shown, const std::string& method) {
    const HasMethodsData* owner = NotesLookup::declaringOwner(shown, method);
    return owner && lookup.isMethodDeprecated(*owner, method);
}

bool DeprecatedEntries::isDeprecated(const NotesLookup& lookup, const TreeSearch::Result& result) {
    if (result.method) return result.classRecord && isDeprecated(lookup, *result.classRecord, *result.method);
    if (result.function) return lookup.isDeprecated(*result.function);
    if (result.constant)
        return result.enumRecord && (lookup.ofConstant(*result.enumRecord, result.constant->name).isDeprecated() ||
                                     lookup.isDeprecated(*result.enumRecord));
    return result.classRecord && lookup.isDeprecated(*result.classRecord);
}

void DeprecatedEntries::markMenu(MenuModel& menu, const std::shared_ptr<const NotesLookup>& lookup, bool hide) {
    if (!lookup) return;
    std::vector<MenuItemModel> kept;
    kept.reserve(menu.items.size());
    bool removed = false;
    for (MenuItemModel& item : menu.items) {
        if (item.kind == MenuItemModel::Kind::Method) {
            std::shared_ptr<const HasMethodsData> owner = item.owner.lock();
            std::optional<std::string> method = owner ? owner->getMethodString(item.index) : std::nullopt;
            item.struck = method && lookup->isMethodDeprecated(*owner, *method);
            if (item.struck && hide) {
                removed = true;
                continue;
            }
        }
        if (item.kind == MenuItemModel::Kind::Submenu) {
            if (item.madeSubmenu) {
                auto copy = std::make_shared<MenuModel>(*item.madeSubmenu);
                markMenu(*copy, lookup, hide);
                item.madeSubmenu = std::move(copy);
            } else if (item.makeSubmenu) {
                item.makeSubmenu = [make = std::move(item.makeSubmenu), lookup, hide] {
                    MenuModel made = make();
                    markMenu(made, lookup, hide);
                    return made;
                };
            }
        }
        // Where items went: no separator first, none after another.
        if (removed && item.kind == MenuItemModel::Kind::Separator &&
            (kept.empty() || kept.back().kind == MenuItemModel::Kind::Separator))
            continue;
        kept.push_back(std::move(item));
    }
    while (removed && !kept.empty() && kept.back().kind == MenuItemModel::Kind::Separator) kept.pop_back();
    menu.items = std::move(kept);
}

}  // namespace kestrel
