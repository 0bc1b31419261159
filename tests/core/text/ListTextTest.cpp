#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "core/text/ListMetrics.h"
#include "core/text/ListText.h"

using namespace kestrel;
using Rows = std::vector<std::string>;

TEST(ListText, ARowShowsTheCommentsFirstLineOnlyWhenCommentsAreShown) {
    const std::map<std::string, std::string> comments{
        {"NSView", "A view.\nMore about it."}, {"NSWindow", "One line"}, {"NSButton", "\nAfter a blank line"},
        {"NSCell", ""},                        {"NSText", "CR only\rstill the first line\nsecond"}};
    EXPECT_EQ(ListText::classListRow("NSView", &comments, true), "A view.");
    EXPECT_EQ(ListText::classListRow("NSWindow", &comments, true), "One line");
    EXPECT_EQ(ListText::classListRow("NSButton", &comments, true), "NSButton");
    EXPECT_EQ(ListText::classListRow("NSText", &comments, true), "CR only\rstill the first line");
    // An empty comment would leave a blank row: the name shows instead.
    EXPECT_EQ(ListText::classListRow("NSCell", &comments, true), "NSCell");
    EXPECT_EQ(ListText::classListRow("NSMenu", &comments, true), "NSMenu");
    EXPECT_EQ(ListText::classListRow("NSView", &comments, false), "NSView");
    EXPECT_EQ(ListText::classListRow("NSView", nullptr, true), "NSView");
}

TEST(ListText, RowsKeepTheirOwnLineBreaks) {
    EXPECT_EQ(ListText::multiLineStrings("a\nb"), (Rows{"a\n", "b"}));
    EXPECT_EQ(ListText::multiLineStrings("a\r\nb\rc\n"), (Rows{"a\r\n", "b\r", "c\n"}));
    EXPECT_EQ(ListText::multiLineStrings("\n\n"), (Rows{"\n", "\n"}));
    EXPECT_EQ(ListText::multiLineStrings("a\xC2\x85" "b\xE2\x80\xA8" "c\xE2\x80\xA9" "d"),
              (Rows{"a\xC2\x85", "b\xE2\x80\xA8", "c\xE2\x80\xA9", "d"}));
    // Other characters of those leading bytes are no line breaks; a cut-off one neither.
    EXPECT_EQ(ListText::multiLineStrings("\xC2\xA9 \xE2\x80\x94 \xE2\x80"), Rows{"\xC2\xA9 \xE2\x80\x94 \xE2\x80"});
    EXPECT_TRUE(ListText::multiLineStrings("").empty());
}

// Rows are a line of the list font high, and never lower than the classic 15 points.
TEST(ListMetrics, RowsAreALineHighAndNeverLowerThanTheClassicPitch) {
    EXPECT_EQ(ListMetrics::rowHeight(13.97), 15);  // the 9-point system font
    EXPECT_EQ(ListMetrics::rowHeight(22.125), 23);  // a 14-point one
    EXPECT_EQ(ListMetrics::rowHeight(std::nan("")), 15);
    EXPECT_EQ(ListMetrics::rowHeight(-4), 15);
    EXPECT_LE(ListMetrics::rowHeight(1e12), 300);
}
