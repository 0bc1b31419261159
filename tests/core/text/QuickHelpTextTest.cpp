// Quick Help's content and rich text, the owner a method is declared by, and the deprecated
// entries of lists and menus.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/model/DeclarationNotes.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/MethodMenu.h"
#include "core/model/RecordLists.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "core/text/DeprecatedEntries.h"
#include "core/text/QuickHelpText.h"
#include "core/text/QuickHelpHtml.h"
#include "support/Forest.h"
#include "support/NotesTable.h"
#include "support/Plists.h"

using namespace kestrel;
using kestrel::test::Forest;
using kestrel::test::NotesTable;
using Methods = std::vector<std::string>;

namespace {

// NSObject <NSCoding> <- NSView (+ category Drawing in NSView+Drawing.h) <- NSButton.
class QuickHelpTextTest : public testing::Test {
protected:
    void SetUp() override {
        object = f.cls("NSObject");
        object->addMethodList(Methods{"-(id)init"});
        object->addProtocolName("NSCoding");
        view = f.cls("NSView", "NSObject");
        view->addMethodList(Methods{"-(void)display", "-(void)lockFocus", "-(id)initWithFrame:(NSRect)frame"});
        drawing = f.category("Drawing", "NSView", "NSView+Drawing.h");
        drawing->addMethodList(Methods{"-(void)drawRect:(NSRect)rect"});
        button = f.cls("NSButton", "NSView");
        button->addMethodList(Methods{"-(void)setTitle:(NSString*)title"});
        coding = f.protocol("NSCoding");
        coding->addMethodList(Methods{"-(void)encodeWithCoder:(NSCoder*)coder"});
        f.link();

        notes.set(view.get(), NotesTable::notes("The view class.", 9));
        notes.set(view.get(), "-(void)lockFocus",
                  NotesTable::notes("@abstract Locks the focus.\n@param none Nothing.", 120,
                                    NotesTable::deprecatedIn("10.14")));
        notes.set(view.get(), "-(void)display", NotesTable::notes("", 118));
    }

    Forest f;
    NotesTable notes;
    std::shared_ptr<ClassData> object, view, button;
    std::shared_ptr<CategoryData> drawing;
    std::shared_ptr<ProtocolData> coding;
};

}  // namespace

TEST_F(QuickHelpTextTest, AMethodIsDeclaredWhereTheClassGetsIt) {
    EXPECT_EQ(NotesLookup::declaringOwner(*button, "-(void)setTitle:(NSString*)title"), button.get());
    EXPECT_EQ(NotesLookup::declaringOwner(*button, "-(void)lockFocus"), view.get());
    EXPECT_EQ(NotesLookup::declaringOwner(*button, "-(void)drawRect:(NSRect)rect"), drawing.get());
    EXPECT_EQ(NotesLookup::declaringOwner(*button, "-(void)encodeWithCoder:(NSCoder*)coder"), coding.get());
    EXPECT_EQ(NotesLookup::declaringOwner(*button, "-(void)nothing"), nullptr);
    EXPECT_EQ(NotesLookup::declaringOwner(*view, "-(void)setTitle:(NSString*)title"), nullptr);  // not upwards
    // A superclass loop in a damaged tree ends.
    object->setSuperClass(button.get());
    EXPECT_EQ(NotesLookup::declaringOwner(*button, "-(void)nothing"), nullptr);
    object->setSuperClass(nullptr);
}

TEST_F(QuickHelpTextTest, AMethodShowsItsOwnNotesElseItsClasssDocumentation) {
    QuickHelpText::Content locked = QuickHelpText::forMethod(notes, button, "-(void)lockFocus");
    EXPECT_EQ(locked.doc.brief, "Locks the focus.");
    ASSERT_EQ(locked.doc.parameters.size(), 1u);
    EXPECT_EQ(locked.docFrom, "");
    EXPECT_EQ(locked.availability, (std::vector<QuickHelpText::Line>{{"macOS 10.0+", false},
                                                                  {"Deprecated in macOS 10.14", true}}));
    EXPECT_TRUE(locked.deprecated);
    EXPECT_EQ(locked.placeText(), "NSView.h, line 120");  // the header of the class that declares it
    EXPECT_EQ(locked.record, button);

    // No word of its own: the class's documentation, said to be the class's; its own line.
    QuickHelpText::Content display = QuickHelpText::forMethod(notes, view, "-(void)display");
    EXPECT_EQ(display.doc.blocks.size() + display.doc.brief.size() > 0, true);
    EXPECT_EQ(display.docFrom, "NSView");
    EXPECT_FALSE(display.deprecated);
    EXPECT_EQ(display.placeText(), "NSView.h, line 118");

    // A store without notes: nothing but the header's name.
    QuickHelpText::Content drawn = QuickHelpText::forMethod(NotesLookup{}, button, "-(void)drawRect:(NSRect)rect");
    EXPECT_TRUE(drawn.doc.empty());
    EXPECT_TRUE(drawn.availability.empty());
    EXPECT_EQ(drawn.placeText(), "NSView+Drawing.h");
    EXPECT_EQ(QuickHelpText::forMethod(notes, button, "-(void)gone").placeText(), "NSButton.h");
}

TEST_F(QuickHelpTextTest, AConstantTakesWhatItsEnumsCommentSaysOfIt) {
    auto style = f.enumRecord("NSWindowStyleMask", "{ NSWindowStyleMaskTitled = 1, NSWindowStyleMaskClosable = 2 }");
    style->setHedderName("NSWindow.h");
    notes.set(style.get(), NotesTable::notes("Window styles.\n@constant NSWindowStyleMaskTitled A title bar.", 40,
                                             NotesTable::deprecatedIn("10.12")));
    QuickHelpText::Content titled = QuickHelpText::forConstant(notes, style, "NSWindowStyleMaskTitled");
    EXPECT_EQ(titled.doc.brief, "A title bar.");
    EXPECT_EQ(titled.docFrom, "");
    EXPECT_TRUE(titled.deprecated);  // as its enum is
    QuickHelpText::Content closable = QuickHelpText::forConstant(notes, style, "NSWindowStyleMaskClosable");
    EXPECT_EQ(closable.docFrom, "NSWindowStyleMask");
    EXPECT_EQ(closable.placeText(), "NSWindow.h, line 40");
}

TEST(QuickHelpHtml, TheTextIsEscapedDeprecationsWarnAndThePlaceLinks) {
    QuickHelpText::Content content;
    content.doc.brief = "Returns <NSCopying> & \"more\".";
    content.doc.blocks = {{DocComment::BlockKind::Code, "if (a < b)\n  x();", "", 0},
                          {DocComment::BlockKind::Bullet, "one", "", 0},
                          {DocComment::BlockKind::Bullet, "two", "", 0},
                          {DocComment::BlockKind::Labelled, "Subclasses override it.", "Note", 0}};
    content.doc.parameters = {{"w", "The width."}};
    content.doc.returns = "A rectangle.";
    content.docFrom = "NSView";
    content.availability = {{"macOS 10.7+", false}, {"Deprecated in macOS 10.14", true}};
    content.hedderName = "NSView.h";
    content.line = 120;
    const QuickHelpHtml::Style style{"#111111", "#ee0000"};
    const std::string html = QuickHelpHtml::render(content, style);
    for (const char* part : {"<p style=\"color:#111111\">From NSView:</p>",
                             "<p>Returns &lt;NSCopying&gt; &amp; &quot;more&quot;.</p>",
                             "<pre>if (a &lt; b)\n  x();</pre>", "<ul><li>one</li><li>two</li></ul>",
                             "<b>Note:</b> Subclasses override it.", "<i>w</i></td><td>The width.",
                             "<b>Returns:</b> A rectangle.",
                             "macOS 10.7+<br/><span style=\"color:#ee0000\">Deprecated in macOS 10.14</span>",
                             "Declared in <a href=\"kestrel-place:\">NSView.h, line 120</a>"})
        EXPECT_NE(html.find(part), std::string::npos) << part << "\n" << html;

    // Nothing known but the header: a short dimmed line, then the place.
    QuickHelpText::Content bare;
    bare.hedderName = "NSView.h";
    EXPECT_EQ(QuickHelpHtml::render(bare, style),
              "<p style=\"color:#111111\">No documentation comment in the header.</p>"
              "<p>Declared in <a href=\"kestrel-place:\">NSView.h</a></p>");
}

TEST_F(QuickHelpTextTest, ListsStrikeDeprecatedRowsOrLeaveThemOut) {
    auto deprecated = [this](const std::string& m) { return DeprecatedEntries::isDeprecated(notes, *button, m); };
    const Methods rows{"-(void)display", "-(void)lockFocus", "-(void)setTitle:(NSString*)title"};
    auto shown = DeprecatedEntries::filter(rows, deprecated, false);
    EXPECT_EQ(shown.rows, rows);
    EXPECT_EQ(shown.struck, (std::vector<bool>{false, true, false}));
    shown = DeprecatedEntries::filter(rows, deprecated, true);
    EXPECT_EQ(shown.rows, (Methods{"-(void)display", "-(void)setTitle:(NSString*)title"}));
    EXPECT_EQ(shown.struck, (std::vector<bool>{false, false}));

    // Find results of every kind.
    auto make = std::make_shared<FunctionMacrosData>(kAppkitExternKind);
    make->setName("NSRect NSMakeRect(CGFloat x)");
    notes.set(make.get(), NotesTable::notes("", std::nullopt, NotesTable::deprecatedIn("11.0")));
    TreeSearch::Result method{button, "-(void)lockFocus", nullptr};
    TreeSearch::Result function{nullptr, std::nullopt, make};
    TreeSearch::Result cls{button, std::nullopt, nullptr};
    EXPECT_TRUE(DeprecatedEntries::isDeprecated(notes, method));
    EXPECT_TRUE(DeprecatedEntries::isDeprecated(notes, function));
    EXPECT_FALSE(DeprecatedEntries::isDeprecated(notes, cls));
    EXPECT_FALSE(DeprecatedEntries::isDeprecated(NotesLookup{}, method));  // a store without notes

    // Deprecated only for a later version (API_TO_BE_DEPRECATED), only on iOS, or an iOS
    // declaration unavailable on macOS: not struck. Deprecated everywhere: struck.
    Availability later;
    later.deprecate("macos", "100000");
    Availability ios;
    ios.deprecate("ios", "9.0");
    Availability iosOnly;
    iosOnly.introduce("ios", "6.0");
    iosOnly.makeUnavailable("macos");
    for (const Availability& a : {later, ios, iosOnly}) EXPECT_FALSE(NotesTable::notes("", 1, a).isDeprecated());
    Availability bare;
    bare.deprecate("*");
    EXPECT_TRUE(NotesTable::notes("", 1, bare).isDeprecated());
}

TEST_F(QuickHelpTextTest, MenusStrikeOrDropDeprecatedMethodsTheirSubmenusToo) {
    ProcessState::reset();
    ProcessState::prefData() = std::make_shared<PrefData>();
    auto lookup = std::make_shared<NotesTable>(notes);
    lookup->set(drawing.get(), "-(void)drawRect:(NSRect)rect",
                NotesTable::notes("", std::nullopt, NotesTable::deprecatedIn("10.10")));
    auto titles = [](const MenuModel& menu) {
        std::vector<std::string> out;
        for (const MenuItemModel& item : menu.items)
            out.push_back(item.kind == MenuItemModel::Kind::Separator ? "---" : (item.struck ? "~" : "") + item.title);
        return out;
    };

    MenuModel marked = MethodMenu::buildPopUpMenu(view, 0, nullptr);
    DeprecatedEntries::markMenu(marked, lookup, false);
    EXPECT_EQ(titles(marked), (std::vector<std::string>{"Categories", "---", "-(void)display", "~-(void)lockFocus",
                                                        "-(id)initWithFrame:(NSRect)frame"}));
    const MenuModel* categories = marked.items[0].submenu();
    ASSERT_TRUE(categories && !categories->items.empty());
    EXPECT_EQ(titles(*categories->items[0].submenu()), (std::vector<std::string>{"~-(void)drawRect:(NSRect)rect"}));

    MenuModel hidden = MethodMenu::buildPopUpMenu(view, 0, nullptr);
    DeprecatedEntries::markMenu(hidden, lookup, true);
    EXPECT_EQ(titles(hidden),
              (std::vector<std::string>{"Categories", "---", "-(void)display", "-(id)initWithFrame:(NSRect)frame"}));
    EXPECT_TRUE(hidden.items[0].submenu()->items[0].submenu()->items.empty());
    // Method items keep their owner and index for the choice.
    EXPECT_EQ(hidden.items[3].index, 2u);
    ProcessState::reset();
}

// The lookup the program uses reads the notes the build stored on the records.
TEST(NotesLookup, TheStoredNotesOfRecordsMethodsAndConstants) {
    const PlistDict stored = test::dict({{"line", 12},
                                         {"doc", "Draws it."},
                                         {"availability", test::dict({{"macos", test::dict({{"introduced", "10.0"},
                                                                                           {"deprecated", "10.9"}})}})}});
    ClassData view("NSView", std::nullopt);
    view.setNotes(DeclarationNotes::readFrom(stored));
    view.addMethodList(Methods{"-(void)display", "-(void)lockFocus"});
    view.setMethodNotes({{"-(void)lockFocus", DeclarationNotes::readFrom(stored)}});
    EnumData style;
    style.setConstantNotes({{"NSTitled", DeclarationNotes::readFrom(stored)}});

    const NotesLookup lookup;
    for (const NotesLookup::Notes& notes :
         {lookup.ofRecord(view), lookup.ofMethod(view, "-(void)lockFocus"), lookup.ofConstant(style, "NSTitled")}) {
        EXPECT_EQ(notes.line, 12);
        EXPECT_EQ(notes.doc, "Draws it.");
        EXPECT_TRUE(notes.isDeprecated());
    }
    EXPECT_TRUE(lookup.ofMethod(view, "-(void)display").empty());
    EXPECT_TRUE(lookup.ofConstant(style, "NSClosable").empty());
    EXPECT_TRUE(lookup.ofRecord(style).empty());
}

TEST(NotesLookup, NotesStoredApartAreReadTheFirstTimeTheyAreAskedFor) {
    // A loaded tree leaves the notes in their own files until something asks (the loader).
    ClassData view("NSView", std::nullopt);
    view.addMethodList(Methods{"-(void)lockFocus"});
    RecordLists lists;
    int reads = 0;
    lists.notesLoader = [&] {
        ++reads;
        view.setMethodNotes({{"-(void)lockFocus", DeclarationNotes::readFrom(test::dict(
                                                      {{"availability", test::dict({{"macos", test::dict({{"deprecated", "10.14"}})}})}}))}});
    };
    const NotesLookup lookup([&] { lists.ensureNotes(); });
    EXPECT_EQ(reads, 0);
    EXPECT_TRUE(lookup.isMethodDeprecated(view, "-(void)lockFocus"));
    EXPECT_TRUE(lookup.isMethodDeprecated(view, "-(void)lockFocus"));
    EXPECT_EQ(reads, 1);
}
