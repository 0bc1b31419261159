#pragma once
// The method menu of a class, category or protocol, as data: the tree window turns it into a
// pop-up menu, tests read it as it is.
//
//   NSView (1400)                       menu "NSView"
//     Protocols       > <NSCoding> > ...   (each protocol's own menu, nested)
//     Categories      > GSTheme.h : (Theming) > ...
//     ---------
//     -(id)initWithFrame:(NSRect)frameRect     tag 1400
//     -(void)display                           tag 1401
//
// A method item keeps its owner and its index, and choosing it uses those: a tag (owner number
// plus index) would address the next record from the 201st method on. Titles are cut to the
// preference's limit ("...": n characters in all) when limits are on; with comments in menus
// a method with a comment shows its sign and the comment's first line.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrel {

class HasMethodsData;
class ClassData;
struct MenuModel;

struct MenuItemModel {
    enum class Kind : std::uint8_t {
        Method,     // chooses the method: owner and index
        Submenu,    // holds a protocol's or a category's menu, or one of the "Protocols" and
                    // "Categories" lists; disabled when it would repeat a protocol of its path
        Separator,
        Dummy,      // the item of the no-methods menu
    };
    Kind kind = Kind::Method;
    std::string title;
    std::int32_t tag = 0;
    bool enabled = true;
    bool struck = false;  // a deprecated method (DeprecatedEntries marks it)
    std::weak_ptr<const HasMethodsData> owner;
    std::size_t index = 0;
    // A submenu is made when it is first asked for: nested protocol menus made at once could
    // grow without bound (thirty protocols adopting each other's predecessors).
    std::function<MenuModel()> makeSubmenu;
    mutable std::shared_ptr<MenuModel> madeSubmenu;  // made once, or given at once
    const MenuModel* submenu() const;
};

struct MenuModel {
    std::string title;
    std::vector<MenuItemModel> items;
};

class MethodMenu {
public:
    using CommentDic = std::map<std::string, std::string>;
    using Comments = std::shared_ptr<const CommentDic>;

    // The smallest cut length the builders use: one character and "...". Smaller limits in
    // the preferences would cut to a negative length.
    static constexpr std::int32_t kMinimumLimit = 4;

    // The menu of record, read with the preferences as they are now (menuWidthHasLimit,
    // numLimitCharactors, useCommentInMenu, addMenuSeparetor). comments: method declaration ->
    // comment, or none. limit is passed down and not otherwise used, as the preferences decide.
    static MenuModel buildPopUpMenu(const std::shared_ptr<const HasMethodsData>& record, std::int32_t limit,
                                    const Comments& comments);
    // The "Protocols" submenu: one item "<Name>" per adopted protocol, each holding that
    // protocol's menu; none without protocols. A protocol already on the path from the menu's
    // top (a protocol adopting itself, directly or through others) is a disabled item.
    static std::shared_ptr<MenuModel> buildProtocolMenuItem(const HasMethodsData& record, std::int32_t limit,
                                                            const Comments& comments);
    // The "Categories" submenu of a class: "header : (name)" per category; none for other
    // records and for a class without categories.
    static std::shared_ptr<MenuModel> buildCategoryMenuItem(const HasMethodsData& record, std::int32_t limit,
                                                            const Comments& comments);
    static void apendMethodMenuItem(MenuModel& menu, const std::shared_ptr<const HasMethodsData>& record,
                                    std::int32_t limit, const Comments& comments);
    // S when it has n characters or fewer, else its first n - 3 characters and "...".
    static std::string checkMenuLength(const std::string& s, std::int32_t n);
    // The menu of a class without a method list: "Dummy" with one item "<className> <text>".
    static MenuModel hasNoMthodMenu(const std::string& className);

    // What a method item's title is: the method, or its sign and the first line of its
    // comment (line break included) when that line is longer than one character.
    static std::string methodTitle(const std::string& method, const CommentDic* comments);

private:
    // The protocols between the top of the menu and the submenu being made.
    using Path = std::set<const HasMethodsData*>;
    static MenuModel build(const std::shared_ptr<const HasMethodsData>& record, const Comments& comments,
                           const Path& path);
    static std::shared_ptr<MenuModel> protocolMenu(const HasMethodsData& record, const Comments& comments,
                                                   const Path& path);
    // The preference limit in force (none when limits are off).
    static std::optional<std::int32_t> titleLimit();
    static std::string cut(const std::string& title);
};

}  // namespace kestrel
