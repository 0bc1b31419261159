#include "core/app/MenuCommands.h"

namespace kestrel {

const std::vector<MenuCommandEntry>& MenuCommands::entries() {
    using C = MenuCommand;
    using S = StandardShortcut;
    static const std::vector<MenuCommandEntry> kEntries{
        {C::ReBuildTree, "&File", "&Rebuild Class Tree\u2026", 200, S::None, "Ctrl+Shift+R"},
        {C::AddPrivateHedders, "&File", "&Private Headers\u2026", 201, S::None, "Ctrl+Shift+P"},
        {C::Separator, "&File", "", 0, S::None, ""},
        {C::Quit, "&File", "&Quit", 0, S::Quit, "Ctrl+Q"},
        {C::Cut, "&Edit", "Cu&t", 0, S::Cut, "Ctrl+X"},
        {C::Copy, "&Edit", "&Copy", 0, S::Copy, "Ctrl+C"},
        {C::Separator, "&Edit", "", 0, S::None, ""},
        {C::Find, "&Edit", "&Find\u2026", 0, S::Find, "Ctrl+F"},
        {C::Separator, "&Edit", "", 0, S::None, ""},
        {C::EditComment, "&Edit", "&Edit Comments\u2026", 202, S::None, "Ctrl+Shift+C"},
        {C::MargeComment, "&Edit", "&Import Comments\u2026", 204, S::None, ""},
        {C::Separator, "&Edit", "", 0, S::None, ""},
        {C::EditURL, "&Edit", "Class &URLs\u2026", 203, S::None, "Ctrl+Shift+U"},
        {C::OpenURL, "&Edit", "&Open Class URL", 300, S::None, "Ctrl+U"},
        {C::Separator, "&Edit", "", 0, S::None, ""},
        {C::Preferences, "&Edit", "Pr&eferences\u2026", 110, S::Preferences, "Ctrl+,"},
        {C::ShowTreeWindow, "&View", "Class &Tree", 401, S::None, "Ctrl+T"},
        {C::ShowStructEnumViewer, "&View", "&Structs and Enums", 400, S::None, "Ctrl+Shift+E"},
        {C::ShowHeader, "&View", "Show &Header", 301, S::None, "Ctrl+Shift+H"},
        {C::HideDeprecated, "&View", "Hide &Deprecated", 402, S::None, ""},
        {C::Separator, "&View", "", 0, S::None, ""},
        {C::ShowClassTab, "&View", "&Class", 0, S::None, "Ctrl+1"},
        {C::ShowFindTab, "&View", "&Find", 0, S::None, "Ctrl+2"},
        {C::ShowFunctionTab, "&View", "F&unctions", 0, S::None, "Ctrl+3"},
        {C::NextTab, "&View", "&Next Tab", 0, S::NextTab, "Ctrl+Tab"},
        {C::PreviousTab, "&View", "&Previous Tab", 0, S::PreviousTab, "Ctrl+Shift+Tab"},
        {C::QuickOpen, "&Go", "Open &Quickly\u2026", 0, S::None, "Ctrl+K", "Ctrl+Shift+O"},
        {C::Separator, "&Go", "", 0, S::None, ""},
        {C::Back, "&Go", "&Back", 0, S::Back, "Alt+Left"},
        {C::Forward, "&Go", "&Forward", 0, S::Forward, "Alt+Right"},
        {C::About, "&Help", "&About Kestrel", 100, S::None, ""},
    };
    return kEntries;
}

bool MenuCommands::validateMenuItem(std::int32_t tag, const MenuState& state) {
    if (tag >= 1000) return true;
    switch (tag) {
        case 100:
        case 110:
        case 200:
        case 203:
        case 401:
        case 402:
            return true;
        case 202:
            return !state.margeEditor;
        case 201:
            return !state.customClassEditor;
        case 204:
            return !state.margeEditor && !state.commentEditor;
        case 300:
            return state.selectedClass;
        case 301:
            return state.selectionHasHeader;
        case 400:
            return !state.seViewer;
        default:
            return false;
    }
}

bool MenuCommands::isTagged(MenuCommand command) {
    switch (command) {
        case MenuCommand::Separator:
        case MenuCommand::Quit:
        case MenuCommand::Cut:
        case MenuCommand::Copy:
        case MenuCommand::Find:
        case MenuCommand::ShowClassTab:
        case MenuCommand::ShowFindTab:
        case MenuCommand::ShowFunctionTab:
        case MenuCommand::NextTab:
        case MenuCommand::PreviousTab:
        case MenuCommand::QuickOpen:
        case MenuCommand::Back:
        case MenuCommand::Forward:
            return false;
        default:
            return true;
    }
}

bool MenuCommands::isCheckable(MenuCommand command) { return command == MenuCommand::HideDeprecated; }

bool MenuCommands::validateTreeViewItem(std::int32_t tag, bool selectedClass) {
    if (tag == 0 || tag > 999) return true;
    return tag == 300 && selectedClass;
}

}  // namespace kestrel
