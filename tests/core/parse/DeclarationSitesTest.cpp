// The cut of a header that the notes pass reads: brackets paired as a compiler pairs them, also
// in damaged text, the depth of braces at every token, and lines counted through comments and
// continued directive lines.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/parse/DeclarationSites.h"

using namespace kestrel;

namespace {

std::size_t indexOf(const DeclarationSites& sites, std::string_view text, std::size_t nth = 0) {
    for (std::size_t i = 0; i < sites.getTokens().size(); ++i)
        if (sites.textOf(i) == text && nth-- == 0) return i;
    ADD_FAILURE() << "no token " << text;
    return 0;
}

}  // namespace

TEST(DeclarationSites, PairsBracketsAndCountsBraceDepth) {
    const std::string text = "struct S { int a[2]; void (*f)(int); };\nint g(";
    DeclarationSites sites(text);
    sites.scan();
    const auto& tokens = sites.getTokens();
    const std::size_t open = indexOf(sites, "{"), close = indexOf(sites, "}");
    EXPECT_EQ(tokens[open].partner, close);
    EXPECT_EQ(tokens[close].partner, open);
    EXPECT_EQ(tokens[indexOf(sites, "[")].partner, indexOf(sites, "]"));
    EXPECT_EQ(tokens[indexOf(sites, "(", 0)].partner, indexOf(sites, ")", 0));
    EXPECT_EQ(tokens[indexOf(sites, "(", 1)].partner, indexOf(sites, ")", 1));
    // A "{" counts from itself on, a "}" no longer.
    EXPECT_EQ(tokens[indexOf(sites, "struct")].braceDepth, 0);
    EXPECT_EQ(tokens[open].braceDepth, 1);
    EXPECT_EQ(tokens[indexOf(sites, "f")].braceDepth, 1);
    EXPECT_EQ(tokens[close].braceDepth, 0);
    // An opener never closed is its own partner.
    const std::size_t lone = indexOf(sites, "(", 2);
    EXPECT_EQ(tokens[lone].partner, lone);
    EXPECT_EQ(tokens[lone].line, 2u);
}

TEST(DeclarationSites, ACloserDropsTheOpenersOfOtherKindsLeftInsideItsPair) {
    // The "(" and "[" left open inside the braces are not paired with what follows them.
    const std::string text = "{ a ( b [ c } ) ]";
    DeclarationSites sites(text);
    sites.scan();
    const auto& tokens = sites.getTokens();
    EXPECT_EQ(tokens[indexOf(sites, "{")].partner, indexOf(sites, "}"));
    const std::size_t paren = indexOf(sites, "("), bracket = indexOf(sites, "[");
    EXPECT_EQ(tokens[paren].partner, paren);
    EXPECT_EQ(tokens[bracket].partner, bracket);
    const std::size_t closeParen = indexOf(sites, ")"), closeBracket = indexOf(sites, "]");
    EXPECT_EQ(tokens[closeParen].partner, closeParen);
    EXPECT_EQ(tokens[closeBracket].partner, closeBracket);
}

TEST(DeclarationSites, CountsLinesThroughCommentsAndContinuedDirectives) {
    const std::string text =
        "/* one\n two\n three */ a\n"
        "#define X(y) \\\n  y /* in\n it */ // more\n"
        "{ b\n"
        "#if 0\n c\n#endif\n"
        "d }";
    DeclarationSites sites(text);
    sites.decided(text.find("#if") + 1, false);
    sites.scan();
    const auto& tokens = sites.getTokens();
    EXPECT_EQ(tokens[indexOf(sites, "a")].line, 3u);
    EXPECT_EQ(tokens[indexOf(sites, "b")].line, 7u);
    EXPECT_EQ(tokens[indexOf(sites, "d")].line, 11u);
    EXPECT_TRUE(sites.occurrences("c").empty());  // the rejected branch
    // The directives stand as boundaries, inside the braces at their depth.
    std::size_t boundaries = 0;
    for (const auto& token : tokens) {
        if (token.kind != DeclarationSites::Token::Kind::Boundary) continue;
        ++boundaries;
        EXPECT_EQ(token.braceDepth, token.line >= 8 ? 1 : 0);
    }
    EXPECT_EQ(boundaries, 2u);  // "#if" and "#endif" with nothing taken between: one
    ASSERT_EQ(sites.getComments().size(), 1u);  // those inside a directive go with it
    EXPECT_EQ(sites.getComments()[0].endLine, 3u);
}
