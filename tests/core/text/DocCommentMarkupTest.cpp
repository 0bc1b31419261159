// The markup inside comments: blocks and their kinds, entities, code as written; and every
// documentation comment of GNUstep's headers read with no markup left over.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/text/DocCommentMarkup.h"
#include "core/text/DocCommentParser.h"
#include "core/text/DocCommentText.h"

using namespace kestrel;
using Kind = DocComment::BlockKind;

namespace {

std::vector<DocComment::Block> blocks(const std::string& text) { return DocCommentMarkup::blocks(text); }

}  // namespace

TEST(DocCommentMarkupTest, BlocksAndTheirKinds) {
    auto b = blocks("<list><item>a<list><item>inner</item></list></item></list>\n1. first\n2) second\n\n- (id) init is no bullet");
    ASSERT_EQ(b.size(), 5u);
    EXPECT_EQ(b[0].kind, Kind::Bullet);
    EXPECT_EQ(b[1].text, "inner");
    EXPECT_EQ(b[2].kind, Kind::Numbered);
    EXPECT_EQ(b[3].number, 2);
    EXPECT_EQ(b[4].kind, Kind::Paragraph);
    EXPECT_EQ(b[4].text, "- (id) init is no bullet");

    b = blocks("<ol><li>one</li><li>two</li></ol><ul><li>three</li></ul>");
    ASSERT_EQ(b.size(), 3u);
    EXPECT_EQ(b[1].number, 2);
    EXPECT_EQ(b[2].kind, Kind::Bullet);

    b = blocks("<deflist><term>Key</term><desc>Text<example>x</example>after</desc></deflist>end");
    ASSERT_EQ(b.size(), 5u);
    EXPECT_EQ(b[1].kind, Kind::Definition);
    EXPECT_EQ(b[2].kind, Kind::Code);
    EXPECT_EQ(b[3].kind, Kind::Definition);  // still the description's text
    EXPECT_EQ(b[4].kind, Kind::Paragraph);
}

TEST(DocCommentMarkupTest, InlineMarkupEntitiesAndCode) {
    EXPECT_EQ(DocCommentMarkup::inlineText("<B>bold</B> <a href=\"x\">link</a> <ref id=\"-init\"/> &#169; &#x41; &bogus; &"),
              "bold link -init \u00a9 A &bogus; &");
    EXPECT_EQ(DocCommentMarkup::inlineText("mail me@example.org, \\@home, a\\nb, {@link NSView the view}"),
              "mail me@example.org, @home, a\\nb, the view");  // "\n" is mostly a newline character named
    EXPECT_EQ(DocCommentMarkup::inlineText("@link NSString @/link and @c"), "NSString and @c");
    EXPECT_EQ(DocCommentMarkup::codeText("\n\n    if (a)\n        b();\n  \n", false), "if (a)\n    b();");
    EXPECT_EQ(DocCommentMarkup::codeText("&lt;x&gt; &amp;", true), "<x> &");
    std::string out;
    EXPECT_EQ(DocCommentMarkup::decodeEntity("&#xD800;", out), 0u);  // a surrogate is no character
    EXPECT_EQ(DocCommentMarkup::decodeEntity("&#1114112;", out), 0u);
}

TEST(DocCommentMarkupTest, DelimitersRemoved) {
    EXPECT_EQ(DocCommentParser::stripDelimiters("/*!\n * @abstract A.\n *   indented\n */"), "@abstract A.\n  indented");
    EXPECT_EQ(DocCommentParser::stripDelimiters("///< trailing"), "trailing");
    EXPECT_EQ(DocCommentParser::stripDelimiters("//! one\n//! two"), "one\ntwo");
    EXPECT_EQ(DocCommentParser::stripDelimiters("already plain\n* not a star line"), "already plain\nnot a star line");
    EXPECT_EQ(DocCommentParser::stripDelimiters("/** a * b */"), "a * b");
}

// Every "/**" comment of GNUstep's headers: no tag of GNUstep's markup and no entity is left in
// the plain text outside code, and no text is lost (each word of the comment outside tags
// is there).
TEST(DocCommentMarkupTest, GNUstepHeadersLeaveNoMarkup) {
    const std::filesystem::path root = "/usr/include/GNUstep";
    if (!std::filesystem::is_directory(root)) GTEST_SKIP() << "GNUstep's headers are not installed at " << root;
    const char* leftovers[] = {"<p>", "</p>", "<code>", "<em>", "<item>", "<list>", "<br", "<var>", "&lt;", "&amp;",
                               "<strong>", "<deflist>", "<term>", "<desc>", "<example>", "<ref", "override-subclass"};
    std::size_t comments = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".h") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string s = text.str();
        for (std::size_t at = s.find("/**"); at != std::string::npos; at = s.find("/**", at + 3)) {
            std::size_t end = s.find("*/", at + 3);
            if (end == std::string::npos) break;
            DocComment doc = DocCommentParser::parse(DocCommentParser::stripDelimiters(s.substr(at, end + 2 - at)));
            ++comments;
            for (const DocComment::Block& b : doc.blocks) {
                if (b.kind == Kind::Code) continue;
                for (const char* left : leftovers) {
                    // "&amp;lt;" is how a comment writes "&lt;"
                    if (left[0] == '&' && s.substr(at, end - at).find("&amp;" + std::string(left + 1)) != std::string::npos)
                        continue;
                    EXPECT_EQ(b.text.find(left), std::string::npos)
                        << entry.path() << " at byte " << at << " keeps " << left << " in: " << b.text;
                }
            }
            EXPECT_EQ(DocCommentText::summary(doc).find('\n'), std::string::npos);
        }
    }
    EXPECT_GT(comments, 3000u);
}
