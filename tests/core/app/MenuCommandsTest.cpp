#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/app/AboutText.h"
#include "core/app/MenuCommands.h"
#include "core/app/WindowLayout.h"
#include "core/platform/InfoPlist.h"

using namespace kestrel;

TEST(MenuCommands, ValidationByTag) {
    const MenuState closed;
    for (std::int32_t tag : {1000, 5000, 100, 110, 200, 202, 203, 201, 204, 400, 401, 402})
        EXPECT_TRUE(MenuCommands::validateMenuItem(tag, closed)) << tag;
    for (std::int32_t tag : {999, 150, 0, 300, 301, -1}) EXPECT_FALSE(MenuCommands::validateMenuItem(tag, closed)) << tag;
    MenuState withHeader;
    withHeader.selectionHasHeader = true;
    EXPECT_TRUE(MenuCommands::validateMenuItem(301, withHeader));
    MenuState open;
    open.customClassEditor = open.margeEditor = open.seViewer = open.selectedClass = true;
    for (std::int32_t tag : {201, 202, 204, 400}) EXPECT_FALSE(MenuCommands::validateMenuItem(tag, open)) << tag;
    EXPECT_TRUE(MenuCommands::validateMenuItem(300, open));
    EXPECT_TRUE(MenuCommands::validateMenuItem(401, open));  // brings the open tree window forward
    // The comment editor and a merge exclude each other.
    MenuState editing;
    editing.commentEditor = true;
    EXPECT_TRUE(MenuCommands::validateMenuItem(202, editing));  // brings the open editor forward
    EXPECT_FALSE(MenuCommands::validateMenuItem(204, editing));

    EXPECT_TRUE(MenuCommands::validateTreeViewItem(0, false));
    EXPECT_TRUE(MenuCommands::validateTreeViewItem(1000, false));
    EXPECT_FALSE(MenuCommands::validateTreeViewItem(300, false));
    EXPECT_TRUE(MenuCommands::validateTreeViewItem(300, true));
    EXPECT_FALSE(MenuCommands::validateTreeViewItem(999, true));
}

TEST(MenuCommands, EveryCommandOnceWithItsTag) {
    std::set<MenuCommand> seen;
    std::set<std::int32_t> tags;
    for (const MenuCommandEntry& e : MenuCommands::entries()) {
        if (e.command == MenuCommand::Separator) continue;
        EXPECT_TRUE(seen.insert(e.command).second) << e.title;
        // The untagged commands have rules of their own; the others one tag each.
        const bool untagged = !MenuCommands::isTagged(e.command);
        EXPECT_EQ(e.tag == 0, untagged) << e.title;
        if (!untagged) {
            EXPECT_TRUE(tags.insert(e.tag).second) << e.title;
        }
    }
}

TEST(AboutText, CountRightAlignedInThreeCharacters) {
    const std::string front = InfoPlist::localizedString("aboutMessageFront");
    const std::string rear = InfoPlist::localizedString("aboutMessageRear");
    EXPECT_EQ(AboutText::statusText(7), front + "  7" + rear);
    EXPECT_EQ(AboutText::statusText(1234), front + "1234" + rear);
}

TEST(WindowLayout, SideBySideOnLargeAndSmallScreens) {
    WindowFrames wide = WindowLayout::sideBySide({0, 40, 1920, 1040});
    EXPECT_EQ(wide.main, (TreeRect{24, 64, 711, 880}));
    EXPECT_EQ(wide.tree, (TreeRect{751, 64, 1145, 880}));
    // A small screen: both stay on it, overlapping.
    WindowFrames small = WindowLayout::sideBySide({0, 0, 800, 600});
    for (const TreeRect& r : {small.main, small.tree}) {
        EXPECT_GE(r.x, 0);
        EXPECT_LE(r.maxX(), 800);
        EXPECT_LE(r.maxY(), 600);
    }
    EXPECT_EQ(WindowLayout::centred({0, 0, 1000, 900}, 400, 300), (TreeRect{300, 200, 400, 300}));
}
