// Comment bodies as the "doc" key keeps them, and what the notes pass makes of text that is
// not clean: bytes that are not UTF-8, control characters, comments and brackets never closed.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "core/app/AppAction2.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/parse/CommentBody.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

TEST(CommentBody, DelimitersGoAndTheMarkupStays) {
    struct Case {
        const char* comment;
        const char* body;
    };
    const Case cases[] = {
        {"/** Returns the frame. */", "Returns the frame."},
        {"/**\n * Returns the frame.\n *\n * @param x  the x\n */", "Returns the frame.\n\n@param x  the x"},
        {"/*! @abstract A view.\n    @discussion Draws. */", "@abstract A view.\n@discussion Draws."},
        {"/* <p>GNUstep's <code>markup</code></p>\n   <list><item>one</item></list> */",
         "<p>GNUstep's <code>markup</code></p>\n<list><item>one</item></list>"},
        {"///< The first.", "The first."},
        {"//!< The second.", "The second."},
        {"/**< Trailing block. */", "Trailing block."},
        {"/*****\n * boxed\n *****/", "boxed"},
        {"/**/", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CommentBody::strip(c.comment), c.body) << c.comment;
    EXPECT_EQ(CommentBody::stripRun({"/// First line,", "///   indented,", "/// last."}),
              "First line,\n  indented,\nlast.");
    EXPECT_EQ(CommentBody::stripRun({"// plain", "// run"}), "plain\nrun");

    EXPECT_EQ(CommentBody::styleOf("/** x */"), CommentBody::Style::Doc);
    EXPECT_EQ(CommentBody::styleOf("/*! x */"), CommentBody::Style::Doc);
    EXPECT_EQ(CommentBody::styleOf("/// x"), CommentBody::Style::Doc);
    EXPECT_EQ(CommentBody::styleOf("//! x"), CommentBody::Style::Doc);
    EXPECT_EQ(CommentBody::styleOf("///< x"), CommentBody::Style::Trailing);
    EXPECT_EQ(CommentBody::styleOf("/* x */"), CommentBody::Style::Plain);
    EXPECT_EQ(CommentBody::styleOf("//// ruler"), CommentBody::Style::Plain);
    EXPECT_EQ(CommentBody::styleOf("/*******/"), CommentBody::Style::Plain);
}

TEST(CommentBody, ABodyIsTextAPropertyListCanHold) {
    // Mac OS Roman dashes of an old header, a form feed, a bell.
    const std::string body = CommentBody::strip("/** Old \xD1\xD1 text\f with\a controls. */");
    EXPECT_EQ(body, "Old \xEF\xBF\xBD\xEF\xBF\xBD text  with  controls.");
}

TEST(DeclarationNotesPass, TextThatNeverClosesItsCommentsOrBracketsGivesWhatItCan) {
    ProcessState::reset();
    const char* texts[] = {
        "/** Open comment\n@interface A : B\n- (void)a;\n@end\n",
        "@interface A : B\n- (void)a:(int;\n@end\n/** never closed",
        "enum { X = (1, Y }; /// doc",
        "@interface A (\n- (void)a;\n",
        "typedef void (^Block)(int; typedef int I\n",
        "#if 1\n@interface A : B\n#else\n@end\n",
    };
    // Brackets by the hundred thousand that never pair, and constants each with a comment:
    // one pass over them, not one per pair.
    std::string damaged = "@interface A : B\n- (void)a;\n@end\n" + std::string(100000, '(') + std::string(100000, '}');
    std::string comments = "enum {\n";
    for (int i = 0; i < 20000; ++i) comments += "  C" + std::to_string(i) + ", // note\n";
    comments += "};\n";
    std::vector<std::string> all(std::begin(texts), std::end(texts));
    all.push_back(damaged);
    all.push_back(comments);
    for (const std::string& text : all) {
        AppAction2 app;
        TextBuffer buffer{text};
        app.doAnalyseHedderFile(buffer, "input.h", "------", false);
        for (const auto& record : app.classList) EXPECT_GE(record->getNotes().line.value_or(1), 1) << text.substr(0, 60);
    }
    ProcessState::reset();
}

TEST(DeclarationNotesPass, AMethodInARejectedBranchTakesNoNotesFromIt) {
    ProcessState::reset();
    AppAction2 app;
    TextBuffer buffer(std::string(
        "@interface A : B\n#if 0\n/** Not this one. */\n- (void)a;\n#else\n/** This one. */\n- (void)a;\n#endif\n@end\n"
        "enum {\n#ifdef NOT_DEFINED\n  C = 1,\n#endif\n  D ///< d\n};\n"));
    app.doAnalyseHedderFile(buffer, "input.h", "------", false);
    ASSERT_EQ(app.classList.size(), 1u);
    const DeclarationNotes* a = app.classList[0]->notesOfMethod("-(void)a");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->line, 7);
    EXPECT_EQ(a->doc, "This one.");
    ASSERT_EQ(app.enumList.size(), 1u);
    const DeclarationNotes* d = app.enumList[0]->notesOfConstant("D");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->line, 14);
    EXPECT_EQ(d->doc, "d");
    ProcessState::reset();
}

// Attributes that say nothing of availability are left out of a declaration's reading, unless
// one of them may join the next into one attribute.
TEST(DeclarationNotesPass, AttributesBesideTheAvailabilityChangeNothingOfIt) {
    ProcessState::reset();
    AppAction2 app;
    TextBuffer buffer(std::string(
        "#define NAMED(x) __attribute__((swift_name(#x)))\n"
        "#define SINCE(v) __attribute__((availability(macos,introduced=v)))\n"
        "#define BARE __attribute__\n"
        "#define INNER ((availability(macos,introduced=10.9)))\n"
        "@interface A : B\n"
        "- (void)a NAMED(one) SINCE(10.7);\n"
        "- (void)b NAMED(two) SINCE(10.8) NAMED(three);\n"
        "- (void)c NAMED(four);\n"
        "- (void)d NAMED(five) BARE INNER;\n"
        "@end\n"));
    app.doAnalyseHedderFile(buffer, "input.h", "------", false);
    ASSERT_EQ(app.classList.size(), 1u);
    auto said = [&](const char* method) {
        const DeclarationNotes* notes = app.classList[0]->notesOfMethod(method);
        return notes ? notes->availability.shortText().value_or("") : std::string("no notes");
    };
    EXPECT_EQ(said("-(void)a"), "macos 10.7");
    EXPECT_EQ(said("-(void)b"), "macos 10.8");
    EXPECT_EQ(said("-(void)c"), "");
    EXPECT_EQ(said("-(void)d"), "macos 10.9");
    ProcessState::reset();
}
