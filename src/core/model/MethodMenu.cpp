#include "core/model/MethodMenu.h"

#include <algorithm>
#include <limits>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/ProtocolData.h"
#include "core/platform/InfoPlist.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "core/platform/TextMeasure.h"

namespace kestrel {

namespace {

// Bytes of the line break at offset: LF, CR, CR LF, NEL, LS, PS; 0 when none is there.
std::size_t lineBreakAt(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0; };
    if (byte(i) == '\n') return 1;
    if (byte(i) == '\r') return byte(i + 1) == '\n' ? 2 : 1;
    if (byte(i) == 0xC2 && byte(i + 1) == 0x85) return 2;
    if (byte(i) == 0xE2 && byte(i + 1) == 0x80 && (byte(i + 2) == 0xA8 || byte(i + 2) == 0xA9)) return 3;
    return 0;
}

// The first line of text with its line break, as far as there is one.
std::string firstLine(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); i += TextMeasure::characterSizeAt(text, i))
        if (std::size_t length = lineBreakAt(text, i)) return text.substr(0, i + length);
    return text;
}

std::int32_t methodTag(std::int32_t owner, std::size_t index) {
    const std::int64_t tag = static_cast<std::int64_t>(owner) + static_cast<std::int64_t>(index);
    return static_cast<std::int32_t>(std::min<std::int64_t>(tag, std::numeric_limits<std::int32_t>::max()));
}

MenuItemModel submenuItem(std::string title, std::shared_ptr<MenuModel> submenu) {
    MenuItemModel item;
    item.kind = MenuItemModel::Kind::Submenu;
    item.title = std::move(title);
    item.madeSubmenu = std::move(submenu);
    return item;
}

MenuItemModel separator() {
    MenuItemModel item;
    item.kind = MenuItemModel::Kind::Separator;
    return item;
}

}  // namespace

const MenuModel* MenuItemModel::submenu() const {
    if (!madeSubmenu && makeSubmenu) madeSubmenu = std::make_shared<MenuModel>(makeSubmenu());
    return madeSubmenu.get();
}

std::optional<std::int32_t> MethodMenu::titleLimit() {
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    if (!pref || !pref->menuWidthHasLimit) return std::nullopt;
    return std::max(pref->numLimitCharactors, kMinimumLimit);
}

std::string MethodMenu::cut(const std::string& title) {
    std::optional<std::int32_t> limit = titleLimit();
    return limit ? checkMenuLength(title, *limit) : title;
}

std::string MethodMenu::checkMenuLength(const std::string& s, std::int32_t n) {
    if (static_cast<std::int64_t>(TextMeasure::characterCount(s)) <= n) return s;
    std::size_t keep = n > 3 ? static_cast<std::size_t>(n - 3) : 0;
    std::size_t bytes = 0;
    for (; keep > 0 && bytes < s.size(); --keep) bytes += TextMeasure::characterSizeAt(s, bytes);
    return s.substr(0, bytes) + "...";
}

std::string MethodMenu::methodTitle(const std::string& method, const CommentDic* comments) {
    if (!comments || method.empty()) return method;
    auto found = comments->find(method);
    if (found == comments->end()) return method;
    std::string line = firstLine(found->second);
    if (TextMeasure::characterCount(line) <= 1) return method;
    return method.substr(0, TextMeasure::characterSizeAt(method, 0)) + line;
}

MenuModel MethodMenu::buildPopUpMenu(const std::shared_ptr<const HasMethodsData>& record, std::int32_t,
                                     const Comments& comments) {
    if (!record) return {};
    return build(record, comments, Path{record.get()});
}

MenuModel MethodMenu::build(const std::shared_ptr<const HasMethodsData>& record, const Comments& comments,
                            const Path& path) {
    MenuModel menu;
    menu.title = record->getName().value_or("");
    bool listed = false;
    if (auto protocols = protocolMenu(*record, comments, path)) {
        menu.items.push_back(submenuItem("Protocols", std::move(protocols)));
        listed = true;
    }
    if (auto categories = buildCategoryMenuItem(*record, 0, comments)) {
        menu.items.push_back(submenuItem("Categories", std::move(categories)));
        listed = true;
    }
    const auto& methods = record->getMethodList();
    if (!methods || methods->empty()) return menu;
    if (listed) menu.items.push_back(separator());
    apendMethodMenuItem(menu, record, 0, comments);
    return menu;
}

std::shared_ptr<MenuModel> MethodMenu::buildProtocolMenuItem(const HasMethodsData& record, std::int32_t,
                                                             const Comments& comments) {
    return protocolMenu(record, comments, Path{&record});
}

std::shared_ptr<MenuModel> MethodMenu::protocolMenu(const HasMethodsData& record, const Comments& comments,
                                                    const Path& path) {
    const auto& protocols = record.getProtocolObjects();
    if (protocols.empty()) return nullptr;
    auto menu = std::make_shared<MenuModel>();
    for (const auto& protocol : protocols) {
        if (!protocol) continue;
        MenuItemModel item = submenuItem(cut(std::string("<").append(protocol->getName().value_or("")).append(">")), nullptr);
        if (path.count(protocol.get())) {
            item.enabled = false;  // its menu would hold itself again
        } else {
            Path below = path;
            below.insert(protocol.get());
            item.makeSubmenu = [protocol, comments, below] { return build(protocol, comments, below); };
        }
        menu->items.push_back(std::move(item));
    }
    return menu;
}

std::shared_ptr<MenuModel> MethodMenu::buildCategoryMenuItem(const HasMethodsData& record, std::int32_t,
                                                             const Comments& comments) {
    const auto* cls = dynamic_cast<const ClassData*>(&record);
    if (!cls || cls->getCategoryList().empty()) return nullptr;
    auto menu = std::make_shared<MenuModel>();
    for (const auto& category : cls->getCategoryList()) {
        if (!category) continue;
        MenuItemModel item = submenuItem(
            cut(category->hedderName().value_or("") + " : (" + category->getName().value_or("") + ")"), nullptr);
        item.makeSubmenu = [category, comments] { return build(category, comments, Path{category.get()}); };
        menu->items.push_back(std::move(item));
    }
    return menu;
}

void MethodMenu::apendMethodMenuItem(MenuModel& menu, const std::shared_ptr<const HasMethodsData>& record,
                                     std::int32_t, const Comments& comments) {
    const auto& methods = record->getMethodList();
    if (!methods) return;
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    const CommentDic* useComments = pref && pref->useCommentInMenu ? comments.get() : nullptr;
    const bool separators = pref && pref->addMenuSeparetor;
    int count = 0;
    for (std::size_t i = 0; i < methods->size(); ++i) {
        MenuItemModel item;
        item.title = cut(methodTitle((*methods)[i], useComments));
        item.tag = methodTag(record->getID(), i);
        item.owner = record;
        item.index = i;
        menu.items.push_back(std::move(item));
        if (separators && ++count > 9) {
            menu.items.push_back(separator());
            count = 0;
        }
    }
}

MenuModel MethodMenu::hasNoMthodMenu(const std::string& className) {
    MenuModel menu;
    menu.title = "Dummy";
    MenuItemModel item;
    item.kind = MenuItemModel::Kind::Dummy;
    item.title = className + " " + InfoPlist::localizedString("NoMethodMessge");
    menu.items.push_back(std::move(item));
    return menu;
}

}  // namespace kestrel
