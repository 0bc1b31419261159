#include <gtest/gtest.h>

#include <string>

#include "core/platform/HeaderTexts.h"

using namespace kestrel;

// Only what is expected is kept, each text is handed out once, and clearing drops the rest
// and what was expected.
TEST(HeaderTexts, KeepsWhatIsExpectedAndHandsItOutOnce) {
    HeaderTexts texts;
    texts.expect({"/F/A.h", "/F/B.h"});
    texts.keep("/F/A.h", "a");
    texts.keep("/usr/include/x.h", "x");
    texts.keep("/F/A.h", "again");  // no longer expected: the first stays
    EXPECT_EQ(texts.take("/F/A.h"), "a");
    EXPECT_EQ(texts.take("/F/A.h"), std::nullopt);
    EXPECT_EQ(texts.take("/usr/include/x.h"), std::nullopt);
    texts.clear();
    texts.keep("/F/B.h", "b");
    EXPECT_EQ(texts.take("/F/B.h"), std::nullopt);
}
