// The hash reads every byte of a text of any length: a change to any one byte, or a byte more,
// gives another value (for the short words the tables hold), and a view hashes as its string.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <unordered_set>

#include "core/platform/ByteHash.h"

using namespace kestrel;

TEST(ByteHash, EveryByteAndTheLengthCount) {
    std::unordered_set<std::size_t> seen;
    std::size_t texts = 0;
    for (std::size_t length = 0; length <= 24; ++length) {
        const std::string plain(length, 'a');
        seen.insert(ByteHash::of(plain));
        ++texts;
        for (std::size_t at = 0; at < length; ++at) {
            std::string changed = plain;
            changed[at] = 'b';
            seen.insert(ByteHash::of(changed));
            ++texts;
        }
    }
    EXPECT_EQ(seen.size(), texts);
    EXPECT_NE(ByteHash::of(std::string_view("\0", 1)), ByteHash::of(""));
    const std::string word = "NSWindowStyleMaskTitled";
    EXPECT_EQ(ByteHash{}(word), ByteHash{}(std::string_view(word)));
    EXPECT_EQ(ByteHash::of(std::string_view(word).substr(2, 6)), ByteHash::of("Window"));
}
