#include <gtest/gtest.h>

#include <sstream>

#include "cli/JsonWriter.h"
#include "support/SmallStack.h"

using kestrel::cli::JsonWriter;

// The layout of every type is pinned by the golden dumps; these are the escapes that they lack.
TEST(JsonWriter, EscapesTextKeepsValidUtf8AndWritesStrayBytesAsLatin1) {
    EXPECT_EQ(JsonWriter::quote("a\"b\\c\n\t"), "\"a\\\"b\\\\c\\n\\t\"");
    EXPECT_EQ(JsonWriter::quote("caf\xC3\xA9"), "\"caf\xC3\xA9\"");
    EXPECT_EQ(JsonWriter::quote("caf\xE9"), "\"caf\\u00e9\"");         // Latin-1 e-acute
    EXPECT_EQ(JsonWriter::quote("\xC3"), "\"\\u00c3\"");               // cut-off sequence
    EXPECT_EQ(JsonWriter::quote("\xED\xA0\x80"), "\"\\u00ed\\u00a0\\u0080\"");  // surrogate
    EXPECT_EQ(JsonWriter::quote(std::string("\x01", 1)), "\"\\u0001\"");
}

// Nesting is written with a stack of positions, not by recursion: values nest as deep as
// whatever made them, and the layout stays the golden dumps' one.
TEST(JsonWriter, DeepNestingIsWrittenWithoutRecursion) {
    using kestrel::PlistArray;
    using kestrel::PlistDict;
    using kestrel::PlistValue;
    constexpr int kDepth = 2000;  // an array and a dictionary a level: 4,000 deep
    PlistValue value(PlistArray{PlistValue(1)});
    for (int i = 0; i < kDepth; ++i) {
        PlistDict level;
        level.set("inner", std::move(value));
        PlistArray array;
        array.emplace_back(std::move(level));
        array.emplace_back(PlistArray{});
        value = PlistValue(std::move(array));
    }
    std::ostringstream out;
    kestrel::test::onSmallStack([&] { JsonWriter(out).write(value); }, 256 * 1024);
    const std::string json = out.str();
    EXPECT_EQ(json.substr(0, 19), "[\n  {\n    \"inner\": ");
    EXPECT_NE(json.find("[\n" + std::string(4 * kDepth + 2, ' ') + "1\n"), std::string::npos);
    EXPECT_EQ(json.substr(json.size() - 12), "\n  },\n  []\n]");

    std::ostringstream flat;
    JsonWriter(flat).write(PlistValue(PlistDict{}));
    EXPECT_EQ(flat.str(), "{}");
}
