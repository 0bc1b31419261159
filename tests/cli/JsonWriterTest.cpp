#include <gtest/gtest.h>

#include <sstream>

#include "cli/JsonWriter.h"

using kestrel::PlistArray;
using kestrel::PlistDict;
using kestrel::PlistValue;
using kestrel::cli::JsonWriter;

TEST(JsonWriter, WritesTypesInKeyOrderAndEscapesText) {
    PlistDict d;
    d.set("kind", PlistValue(2));
    d.set("name", PlistValue("a\"b\\c\n\t"));
    d.set("flag", PlistValue(false));
    d.set("list", PlistValue(PlistArray{PlistValue("x")}));
    d.set("empty", PlistValue(PlistDict()));
    std::ostringstream out;
    JsonWriter(out).write(PlistValue(d));
    EXPECT_EQ(out.str(),
              "{\n  \"kind\": 2,\n  \"name\": \"a\\\"b\\\\c\\n\\t\",\n  \"flag\": false,\n"
              "  \"list\": [\n    \"x\"\n  ],\n  \"empty\": {}\n}");
}

TEST(JsonWriter, KeepsValidUtf8AndWritesStrayBytesAsLatin1) {
    EXPECT_EQ(JsonWriter::quote("caf\xC3\xA9"), "\"caf\xC3\xA9\"");
    EXPECT_EQ(JsonWriter::quote("caf\xE9"), "\"caf\\u00e9\"");         // Latin-1 e-acute
    EXPECT_EQ(JsonWriter::quote("\xC3"), "\"\\u00c3\"");               // cut-off sequence
    EXPECT_EQ(JsonWriter::quote("\xED\xA0\x80"), "\"\\u00ed\\u00a0\\u0080\"");  // surrogate
    EXPECT_EQ(JsonWriter::quote(std::string("\x01", 1)), "\"\\u0001\"");
}
