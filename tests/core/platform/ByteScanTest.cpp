// The searches sixteen bytes at a time find what a byte-by-byte search finds, from any start,
// in texts of every length around the sixteen-byte steps, with high bytes and NULs anywhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "core/platform/ByteScan.h"

using namespace kestrel;

TEST(ByteScan, FindsWhatAByteByByteSearchFinds) {
    std::mt19937 random(7);
    const std::string alphabet = std::string("ab #/*<>&\t\n\r\x7f\x80\xff\x1f", 16) + std::string(1, '\0');
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 70, 'x');
        // Mostly plain, a few of the bytes searched for.
        for (char& c : text)
            if (random() % 6 == 0) c = alphabet[random() % alphabet.size()];
        const std::size_t from = text.empty() ? 0 : random() % (text.size() + 1);
        auto naive = [&](auto is) {
            std::size_t at = from;
            while (at < text.size() && !is(text[at])) ++at;
            return at;
        };
        EXPECT_EQ(ByteScan::firstOf(text, from, '#', '/', '*'),
                  naive([](char c) { return c == '#' || c == '/' || c == '*'; }));
        EXPECT_EQ(ByteScan::firstOf(text, from, '<', '>', '&', '\0'),
                  naive([](char c) { return c == '<' || c == '>' || c == '&' || c == '\0'; }));
        EXPECT_EQ(ByteScan::firstNotAscii(text, from),
                  naive([](char c) { return c == '\0' || static_cast<unsigned char>(c) >= 0x80; }));
        const std::size_t to = from + random() % 60;  // past the end too
        EXPECT_EQ(ByteScan::count(text, from, to, '\n'),
                  static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(from),
                                                      text.begin() + static_cast<std::ptrdiff_t>(std::min(to, text.size())), '\n')));
        EXPECT_EQ(ByteScan::firstControl(text, from), naive([](char c) {
                      const auto u = static_cast<unsigned char>(c);
                      return (u < 0x20 && c != '\t' && c != '\n') || u == 0x7f;
                  }));
    }
    // A lane counts at most 255 hits before the lanes are summed.
    const std::string lines(16 * 300 + 5, '\n');
    EXPECT_EQ(ByteScan::count(lines, 0, lines.size(), '\n'), lines.size());
    EXPECT_EQ(ByteScan::count(lines, 3, 16 * 256 + 1, '\n'), 16 * 256 - 2);
}

// A word's end, over every byte value standing after a run of word bytes of any length.
TEST(ByteScan, AWordEndsAtTheFirstByteNoWordHolds) {
    auto inWord = [](int b) {
        return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '_' || b == '$' ||
               b >= 0x80;
    };
    for (int b = 0; b < 256; ++b) {
        for (std::size_t length : {0, 5, 15, 16, 17, 31, 40}) {
            std::string text = std::string(length, 'a') + static_cast<char>(b) + "Zz9_$\xc3\xa9 tail";
            const std::size_t end = ByteScan::wordEnd(text, 0);
            EXPECT_EQ(end, inWord(b) ? length + 8 : length) << "byte " << b << " after " << length;
        }
    }
}
