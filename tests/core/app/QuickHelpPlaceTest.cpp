// Where Quick Help's link leads: the stored line, else the scan's, in the declaring record's
// header; a header that is gone still gives the place looked for.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/app/QuickHelpPlace.h"
#include "support/Forest.h"
#include "support/NotesTable.h"
#include "support/TempDir.h"

using namespace kestrel;
using kestrel::test::Forest;
using kestrel::test::NotesTable;
using kestrel::test::TempDir;

TEST(QuickHelpPlace, TheStoredLineElseTheScannedOneInTheDeclaringHeader) {
    TempDir dir;
    const std::string root = dir.str() + "/Frameworks";
    dir.write("Frameworks/Kit.framework/Headers/KitView.h",
              "@interface KitView : NSObject\n- (void)display;\n- (void)lockFocus;\n@end\n");
    Forest f;
    auto view = f.cls("KitView", std::nullopt, "KitView.h");
    view->setFwName("Kit.framework");
    view->addMethodList(std::vector<std::string>{"-(void)display", "-(void)lockFocus"});
    auto button = f.cls("KitButton", "KitView", "KitButton.h");
    button->setFwName("Kit.framework");
    f.link();
    const std::string header = (std::filesystem::canonical(root) / "Kit.framework/Headers/KitView.h").string();

    NotesTable notes;
    notes.set(view.get(), "-(void)lockFocus", NotesTable::notes("Locks.", 7));
    // The stored line, trusted as it is; the header of the superclass that declares it.
    auto stored = QuickHelpPlace::of(QuickHelpText::forMethod(notes, button, "-(void)lockFocus"), root, {});
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->place, (HeaderLocation::Place{header, 7}));
    EXPECT_EQ(stored->declarationName, "-[KitView lockFocus]");
    // No stored line: the scan's.
    auto scanned = QuickHelpPlace::of(QuickHelpText::forMethod(notes, button, "-(void)display"), root, {});
    ASSERT_TRUE(scanned);
    EXPECT_EQ(scanned->place, (HeaderLocation::Place{header, 2}));
    EXPECT_EQ(QuickHelpPlace::of(QuickHelpText::forRecord(notes, view), root, {})->place.line, 1);

    // The button's header is not there: where it was looked for, line 0.
    auto missing = QuickHelpPlace::of(QuickHelpText::forRecord(notes, button), root, {});
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->place, (HeaderLocation::Place{root + "/Kit.framework/Headers/KitButton.h", 0}));
    EXPECT_FALSE(QuickHelpPlace::of(QuickHelpText::Content{}, root, {}));
}
