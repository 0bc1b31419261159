#include <gtest/gtest.h>

#include "cli/JsonWriter.h"

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
