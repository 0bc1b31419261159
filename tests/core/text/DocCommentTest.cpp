// Documentation comments to plain text: one case per comment style and per markup, each a real
// snippet from GNUstep's or the macOS SDK's headers (stored form: delimiters and stars gone),
// read by DocCommentParser and written by DocCommentText.
#include <gtest/gtest.h>

#include <string>

#include "core/text/DocComment.h"
#include "core/text/DocCommentParser.h"
#include "core/text/DocCommentText.h"

using namespace kestrel;

namespace {

struct Case {
    const char* name;
    const char* body;
    const char* plain;
};

const Case cases[] = {
    {"HeaderDoc: abstract, discussion, params, result",
     "@method stringWithFormat:\n@abstract Makes a string.\n@discussion The format is\nprintf's.\n\n"
     "A second paragraph.\n@param format The format.\n@param ... The arguments.\n@result A new string.\n"
     "@see initWithFormat:",
     "Makes a string.\n\nThe format is printf's.\n\nA second paragraph.\n\nParameters\n  format \u2014 The format.\n"
     "  ... \u2014 The arguments.\n\nReturns: A new string.\n\nSee also: initWithFormat:"},
    {"HeaderDoc: constants of an enum, a link",
     "@enum NSFoo\n@abstract Kinds of foo.\n@constant NSFooA The first, see {@link NSBar the bar}.\n"
     "@constant NSFooB The second.",
     "Kinds of foo.\n\nConstants\n  NSFooA \u2014 The first, see the bar.\n  NSFooB \u2014 The second."},
    {"Doxygen from NSPopover.h: \\c, \\param, \\return",
     "Return \\c YES to allow the popover to detach. Return \\c NO if it should not.\n"
     "\\param popover The popover that may be detached\n\\return YES if the popover should detach.",
     "Return YES to allow the popover to detach. Return NO if it should not.\n\nParameters\n"
     "  popover \u2014 The popover that may be detached\n\nReturns: YES if the popover should detach."},
    {"Doxygen: brief, param direction, note, sa, @c",
     "\\brief Copies bytes.\n\nUse @c memmove when they overlap.\n\\param[in] src Where from.\n"
     "\\param[out] dst: Where to.\n\\note Not thread safe.\n\\sa memmove",
     "Copies bytes.\n\nUse memmove when they overlap.\n\nNote: Not thread safe.\n\nParameters\n"
     "  src \u2014 Where from.\n  dst \u2014 Where to.\n\nSee also: memmove"},
    {"HeaderDoc: code block kept as written, deprecated, warning",
     "Draws it.\n@code\n  if (x) {\n      draw();\n  }\n@endcode\n@deprecated Use -drawRect: instead.\n"
     "@warning Call on the main thread.",
     "Draws it.\n\n    if (x) {\n        draw();\n    }\n\nDeprecated: Use -drawRect: instead.\n\n"
     "Warning: Call on the main thread."},
    {"GNUstep: paragraphs, code, em, entities, br (NSString.h)",
     "<p>Returns a string with <code>aString</code> appended &amp; <em>no</em> copy.</p>\n"
     "<p>Raises an exception if aString is &lt;nil&gt;.<br />\nSee also [-stringByAppendingFormat:].</p>",
     "Returns a string with aString appended & no copy.\n\nRaises an exception if aString is <nil>.\n"
     "See also [-stringByAppendingFormat:]."},
    {"GNUstep: list of items (NSString.h)",
     "has three instance variables -</p>\n<list>\n<item>a pointer to the class</item>\n"
     "<item>a pointer to the 8-bit data</item>\n<item>the length of the string</item>\n</list>\n"
     "<p>In older versions</p>",
     "has three instance variables -\n\n\u2022 a pointer to the class\n\u2022 a pointer to the 8-bit data\n"
     "\u2022 the length of the string\n\nIn older versions"},
    {"GNUstep: deflist (NSDateFormatter.h) and enum",
     "as follows:</p>\n<deflist>\n<term>%%</term>\n<desc>a '%' character</desc>\n<term>%a</term>\n"
     "<desc>abbreviated weekday name</desc>\n</deflist><enum><item>one</item><item>two</item></enum>",
     "as follows:\n\n%%\n    a '%' character\n%a\n    abbreviated weekday name\n\n1. one\n2. two"},
    {"GNUstep: example with entities (NSPropertyList.h)",
     "In XML format:\n<example>\n  &lt;array&gt;&lt;string&gt;one&lt;/string&gt;&lt;/array&gt;\n</example>\n"
     "and whose content is the array content.",
     "In XML format:\n\n    <array><string>one</string></array>\n\nand whose content is the array content."},
    {"GNUstep: override and init notes, var, ref, strong (NSView.h, NSFormatter.h)",
     "<override-subclass/>\nThis is called to establish <var>cursor</var> rectangles; see "
     "<ref type=\"method\" id=\"-resetCursorRects\">-resetCursorRects</ref>.\n<init />\n<strong>Always</strong> "
     "<override-never />",
     "Note: Subclasses must override this method.\n\nThis is called to establish cursor rectangles; see "
     "-resetCursorRects.\n\nNote: This is a designated initialiser.\n\nAlways\n\nNote: Subclasses should not "
     "override this method."},
    {"Markdown-ish: backticks kept, bullets, fenced code",
     "Use `NSMakeRect` for this.\n\n- first\n- second\n\n```\nNSRect r = NSMakeRect(0, 0, 1, 1);\n```",
     "Use `NSMakeRect` for this.\n\n\u2022 first\n\u2022 second\n\n    NSRect r = NSMakeRect(0, 0, 1, 1);"},
    {"Unknown tags and protocols stay as written",
     "Takes an id <NSCoding> object; a < b > c.\n@availability Mac OS X 10.2\n@YES is a literal",
     "Takes an id <NSCoding> object; a < b > c.\n\nAvailability: Mac OS X 10.2 @YES is a literal"},
    {"Still delimited: /** */ with stars, and /// lines",
     "/**\n * Returns the view.\n *\n * @param tag The tag.\n */",
     "Returns the view.\n\nParameters\n  tag \u2014 The tag."},
    {"Line comments", "/// First line\n/// second line.", "First line second line."},
    {"Throws and returns together",
     "@param path A path.\n@throws NSInvalidArgumentException if path is nil.\n@return The data.",
     "Parameters\n  path \u2014 A path.\n\nReturns: The data.\n\nThrows\n  NSInvalidArgumentException \u2014 if path is nil."},
};

}  // namespace

TEST(DocCommentTest, CommentStylesAndMarkupToPlainText) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DocCommentText::plain(DocCommentParser::parse(c.body)), c.plain);
    }
}

TEST(DocCommentTest, PartsOfAHeaderDocComment) {
    DocComment doc = DocCommentParser::parse(
        "@function NSMakeRect\n@abstract Makes a rectangle.\n@param x The left edge.\n@field origin The origin.\n"
        "@result The rectangle.\n@textblock\n  NSRect r;\n@/textblock");
    EXPECT_EQ(doc.brief, "Makes a rectangle.");
    EXPECT_EQ(doc.parameters, (std::vector<DocComment::Item>{{"x", "The left edge."}}));
    EXPECT_EQ(doc.fields, (std::vector<DocComment::Item>{{"origin", "The origin."}}));
    EXPECT_EQ(doc.returns, "The rectangle.");
    ASSERT_EQ(doc.blocks.size(), 1u);
    EXPECT_EQ(doc.blocks[0].kind, DocComment::BlockKind::Code);
    EXPECT_EQ(doc.blocks[0].text, "NSRect r;");
    EXPECT_TRUE(DocCommentParser::parse("@class NSView\n   \n").empty());
}

TEST(DocCommentTest, WrappingAndSummary) {
    DocComment doc = DocCommentParser::parse(
        "Returns the receiver's frame, e.g. its size. The frame is in the superview's coordinates.\n"
        "@param aRect The new frame of the view, in its superview's coordinates.");
    EXPECT_EQ(DocCommentText::plain(doc, {30}),
              "Returns the receiver's frame,\ne.g. its size. The frame is in\nthe superview's coordinates.\n\n"
              "Parameters\n  aRect \u2014 The new frame of the\n    view, in its superview's\n    coordinates.");
    EXPECT_EQ(DocCommentText::summary(doc), "Returns the receiver's frame, e.g. its size.");
    EXPECT_EQ(DocCommentText::summary(doc, 20), "Returns the\u2026");
    EXPECT_EQ(DocCommentText::summary(std::string_view("@abstract Short one.\n@discussion Long.")), "Short one.");
    EXPECT_EQ(DocCommentText::summary(std::string_view("")), "");
    EXPECT_EQ(DocCommentText::wrap("a\nb ccc", 3, "> ", "  "), "> a\n  b\n  ccc");
}

TEST(DocCommentTest, AnyBytesAreSafe) {
    for (const char* body : {"@", "\\", "<", "&", "&#;", "&#xFFFFFFFFF;", "<example>", "@code", "```", "{@link",
                             "@link", "<ref id=\"", "<list><list><item>", "</list></item>", "@param", "@param\n\n",
                             "\\param[", "1. ", "- ", "/**", "*/", "///", "@/textblock"})
        EXPECT_NO_FATAL_FAILURE(DocCommentText::plain(std::string_view(body), {10})) << body;
    std::string bytes;
    for (int i = 0; i < 20000; ++i) bytes += "<list>@code\n&lt;\x01\xff<item>"[i % 24];
    EXPECT_NO_FATAL_FAILURE(DocCommentText::plain(std::string_view(bytes), {})) ;
    EXPECT_NO_FATAL_FAILURE(DocCommentText::summary(std::string_view(bytes)));
}
