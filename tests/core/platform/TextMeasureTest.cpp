#include <gtest/gtest.h>

#include "core/platform/TextMeasure.h"

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
