#include <gtest/gtest.h>

#include <thread>

#include "core/platform/TextMeasure.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

TEST(TextMeasure, DefaultCountsCharactersNotBytes) {
    EXPECT_EQ(TextMeasure::width("NSObject"), 8 * TextMeasure::kDefaultAdvance);
    EXPECT_EQ(TextMeasure::characterCount("Zo\xc3\xab \xe6\x97\xa5"), 5u);
    // Bytes that are not UTF-8 count one each; a cut-off sequence too.
    EXPECT_EQ(TextMeasure::characterCount("caf\xe9"), 4u);
    EXPECT_EQ(TextMeasure::characterCount("\xe6\x97"), 2u);
    EXPECT_EQ(TextMeasure::characterSizeAt("\xe6\x97\xa5!", 0), 3u);
    EXPECT_EQ(TextMeasure::characterSizeAt("ab", 2), 0u);
}

// The installed hooks measure with the window program's fonts, which belong to the thread that
// installed them; a build's other threads get the defaults (and are measured again after).
TEST(TextMeasure, InstalledHooksMeasureOnlyOnTheirOwnThread) {
    TextMeasure::setFunction([](std::string_view) { return 1.0; });
    TextMeasure::setLineHeightFunction([] { return 30.0; });
    double width = 0, height = 0;
    std::thread([&] {
        width = TextMeasure::width("ab");
        height = TextMeasure::lineHeight();
    }).join();
    EXPECT_EQ(TextMeasure::width("ab"), 1.0);
    EXPECT_EQ(TextMeasure::lineHeight(), 30.0);
    EXPECT_EQ(width, 2 * TextMeasure::kDefaultAdvance);
    EXPECT_EQ(height, TextMeasure::kDefaultLineHeight);
    TextMeasure::setFunction(nullptr);
    TextMeasure::setLineHeightFunction(nullptr);
}
