#pragma once
// The menu bar as data: every command with its menu, title, tag and shortcut, and the two
// validation tables (the application's and the tree view's), so that the window program only
// turns them into actions and tests can read them as they are.
//
// Tags decide validation:  1000 and above: method items, always;  100, 110, 200, 203: always;
// 401 (the tree window): always, opening it or bringing it to the front; 402 (Hide Deprecated,
// a switch that the preferences keep): always;
// 202 (the comment editor): while no comment merge is open;  201: while the private-header
// dialog is closed;  204 (comment merge): while neither a merge nor the comment editor is open;
// 300: with a selected class;  301 (Show Header): while what is selected has a header;  400:
// while the struct and enum viewer is closed;  any other tag: never. The comment editor and a merge are never open
// together: the editor's OK would write over what the merge imported meanwhile.
// Quit, Cut, Copy, Find, Open Quickly, Back, Forward and the tab commands carry tag 0, which that
// table would refuse: they are validated by their own rules (Cut and Copy by the focused view,
// Back and Forward by the history; the others always).
// Every command's shortcut works in every window of the program (a modal dialog aside).
#include <cstdint>
#include <vector>

namespace kestrel {

enum class MenuCommand : std::uint8_t {
    Separator,
    About,
    Preferences,
    ReBuildTree,
    AddPrivateHedders,
    Quit,
    Cut,
    Copy,
    EditComment,
    MargeComment,
    EditURL,
    OpenURL,
    ShowTreeWindow,
    ShowStructEnumViewer,
    ShowHeader,
    HideDeprecated,
    Find,
    ShowClassTab,
    ShowFindTab,
    ShowFunctionTab,
    NextTab,
    PreviousTab,
    QuickOpen,
    Back,
    Forward,
};

// The platform's standard shortcut of a command, where it has one.
enum class StandardShortcut : std::uint8_t { None, Quit, Cut, Copy, Preferences, Find, NextTab, PreviousTab, Back, Forward };

struct MenuCommandEntry {
    MenuCommand command;
    const char* menu;      // the title of the menu it is in
    const char* title;     // "" for a separator
    std::int32_t tag;
    StandardShortcut standard;
    const char* shortcut;  // a portable key sequence ("Ctrl+Shift+R"), "" for none
    const char* alternate = "";  // a second one, "" for none
};

// What the validation of the application's commands looks at.
struct MenuState {
    bool customClassEditor = false;  // the private-header dialog is open
    bool margeEditor = false;        // a comment merge is open
    bool commentEditor = false;      // the comment editor is open
    bool selectedClass = false;      // a class is selected in the tree
    bool seViewer = false;           // the struct and enum viewer is open
    bool selectionHasHeader = false; // the selected class (or function) names its header
};

class MenuCommands {
public:
    // The menus in order, each command in its menu's order.
    static const std::vector<MenuCommandEntry>& entries();
    // The application's validation by tag.
    static bool validateMenuItem(std::int32_t tag, const MenuState& state);
    // Whether a command's state follows the application's table by its tag; the others carry
    // tag 0 and rules of their own (see above).
    static bool isTagged(MenuCommand command);
    // Whether a command is a switch, shown checked while it is on.
    static bool isCheckable(MenuCommand command);
    // The tree view's validation by tag: 0 (submenu holders, the no-methods item, untagged
    // commands) and method items above 999 always; 300 with a selected class; nothing else.
    static bool validateTreeViewItem(std::int32_t tag, bool selectedClass);
};

}  // namespace kestrel
