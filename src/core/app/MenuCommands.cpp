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

bool MenuCommands::validateTreeViewItem(std::int32_t tag, bool selectedClass) {
    if (tag == 0 || tag > 999) return true;
    return tag == 300 && selectedClass;
}

}  // namespace kestrel
