#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "core/platform/PlistFile.h"
#include "core/platform/PlistXmlWriter.h"

using namespace kestrel;

namespace {

PlistDict dictOf(std::initializer_list<std::pair<std::string, PlistValue>> entries) {
    PlistDict dic;
    for (const auto& [key, value] : entries) dic.set(key, value);
    return dic;
}

// The writer's bytes are libplist's bytes for every value it writes: the stored files do not
// change with the writer, and libplist reads them back.
TEST(PlistXmlWriterTest, WritesWhatLibplistWrites) {
    PlistArray nested{PlistValue(PlistArray{}), PlistValue(PlistDict{}), PlistValue(""),
                      PlistValue(PlistArray{PlistValue(PlistArray{PlistValue(1)})})};
    const PlistValue values[] = {
        PlistValue(dictOf({{"name", PlistValue("NSView")},
                           {"doc", PlistValue("Returns <the> frame & more.\n\t@param x  the x\n")},
                           {"caf\xe9 \xff", PlistValue("not UTF-8: \xfe\x01 ]]> \"q\" 'a'")},
                           {"", PlistValue("empty key")},
                           {"emptyString", PlistValue("")},
                           {"min", PlistValue(std::numeric_limits<std::int64_t>::min())},
                           {"max", PlistValue(std::numeric_limits<std::int64_t>::max())},
                           {"zero", PlistValue(0)},
                           {"yes", PlistValue(true)},
                           {"no", PlistValue(false)},
                           {"nested", PlistValue(nested)},
                           {"emptyDict", PlistValue(PlistDict{})}})),
        PlistValue(PlistArray{}),
        PlistValue(PlistDict{}),
        PlistValue("a lone string"),
        PlistValue(-7),
        PlistValue(true),
        PlistValue(PlistArray{PlistValue(std::string("cut\0here", 8))}),  // cut at the NUL, as libplist cuts it
    };
    for (const PlistValue& value : values) {
        std::optional<std::string> ours = PlistXmlWriter::toXML(value);
        std::optional<std::string> theirs = PlistFile::toXMLThroughLibplist(value);
        ASSERT_TRUE(ours && theirs);
        EXPECT_EQ(*ours, *theirs);
        EXPECT_EQ(PlistFile::parse(*ours), PlistFile::parse(*theirs));
    }
    // Keys cut at a NUL to the same text read back as libplist's one key.
    const PlistValue clash(dictOf({{"a", PlistValue(1)}, {"b", PlistValue(2)}, {std::string("a\0x", 3), PlistValue(3)}}));
    EXPECT_EQ(PlistFile::parse(*PlistXmlWriter::toXML(clash)), PlistFile::parse(*PlistFile::toXMLThroughLibplist(clash)));
}

// Texts with the bytes that need entities or end them anywhere, in any of the eight places of
// a word the writer looks at together.
TEST(PlistXmlWriterTest, TextsWithEntitiesAndNulsAnywhereAreLibplists) {
    const char pieces[] = {'a', '<', '>', '&', '\0', '\xC3', '\xA9', ' ', '\n'};
    std::mt19937 random(5);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 40); i > 0; --i) text += pieces[random() % 9 < 5 ? 0 : random() % 9];
        const PlistValue value(PlistArray{PlistValue(text)});
        ASSERT_EQ(PlistXmlWriter::toXML(value), PlistFile::toXMLThroughLibplist(value)) << testing::PrintToString(text);
    }
}

// One byte to write as an entity (or a NUL) at each place of a short text, as a key and as a
// value: a clean text is told from two words of it at once, one that is not never passes.
TEST(PlistXmlWriterTest, EachPlaceOfAShortTextIsLookedAt) {
    for (std::size_t size = 1; size <= 20; ++size) {
        for (std::size_t at = 0; at < size; ++at) {
            for (char special : {'<', '>', '&', '\0'}) {
                std::string text(size, 'a');
                text[at] = special;
                const PlistValue value(dictOf({{text, PlistValue(text)}}));
                ASSERT_EQ(PlistXmlWriter::toXML(value), PlistFile::toXMLThroughLibplist(value))
                    << size << " " << at << " " << static_cast<int>(special);
            }
        }
    }
}

// Streaming a dictionary entry by entry gives the same bytes as writing it whole.
TEST(PlistXmlWriterTest, StreamedEqualsWhole) {
    PlistDict whole = dictOf({{"classes", PlistValue(dictOf({{"NSView", PlistValue(dictOf({{"line", PlistValue(3)}}))}}))},
                              {"none", PlistValue(PlistDict{})}});
    PlistXmlWriter writer;
    writer.beginDict();
    writer.key("classes");
    writer.beginDict();
    writer.key("NSView");
    writer.value(PlistValue(dictOf({{"line", PlistValue(3)}})));
    writer.endDict();
    writer.key("none");
    writer.beginDict();
    writer.endDict();
    writer.endDict();
    EXPECT_EQ(std::move(writer).finish(), PlistFile::toXMLThroughLibplist(PlistValue(whole)));
}

// Into a sink, a document leaves in pieces of about kPieceSize as it is written, the same bytes.
TEST(PlistXmlWriterTest, SinkGetsThePiecesAsTheyAreWritten) {
    PlistDict big;
    for (int i = 0; i < 40000; ++i) big.set("key " + std::to_string(i), PlistValue(std::string(40, 'x')));
    std::vector<std::size_t> sizes;
    std::string received;
    PlistXmlWriter writer([&](std::string_view piece) {
        sizes.push_back(piece.size());
        received.append(piece);
        return true;
    });
    writer.value(PlistValue(big));
    EXPECT_TRUE(std::move(writer).finishToSink());
    EXPECT_EQ(received, PlistFile::toXMLThroughLibplist(PlistValue(big)));
    ASSERT_GT(sizes.size(), 2u);
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_LT(sizes[i], PlistXmlWriter::kPieceSize + 4096);

    PlistXmlWriter refusing([](std::string_view) { return false; });  // a full disk
    refusing.value(PlistValue(big));
    EXPECT_FALSE(std::move(refusing).finishToSink());
}

// What it does not write as libplist would, it refuses, and PlistFile::toXML goes through
// libplist: the file is the same either way.
TEST(PlistXmlWriterTest, RefusesWhatOnlyLibplistWrites) {
    const PlistValue refused[] = {
        PlistValue(dictOf({{"real", PlistValue(1.5)}})),
        PlistValue(PlistArray{PlistValue(PlistDate{100.0})}),
        PlistValue(PlistData{"\x01\x02"}),
    };
    for (const PlistValue& value : refused) {
        EXPECT_FALSE(PlistXmlWriter::toXML(value));
        EXPECT_EQ(PlistFile::toXML(value), PlistFile::toXMLThroughLibplist(value));
    }
    PlistValue deep(PlistArray{});
    for (int i = 0; i < PlistXmlWriter::kMaxDepth + 1; ++i) deep = PlistValue(PlistArray{deep});
    EXPECT_FALSE(PlistXmlWriter::toXML(deep));
    EXPECT_FALSE(PlistFile::toXML(deep));
}

// A misused writer answers none rather than a document libplist would not read.
TEST(PlistXmlWriterTest, MisuseAnswersNone) {
    {
        PlistXmlWriter writer;  // nothing written
        EXPECT_FALSE(std::move(writer).finish());
    }
    {
        PlistXmlWriter writer;  // a value without its key
        writer.beginDict();
        writer.value(PlistValue(1));
        writer.endDict();
        EXPECT_FALSE(std::move(writer).finish());
    }
    {
        PlistXmlWriter writer;  // a key without its value
        writer.beginDict();
        writer.key("k");
        writer.endDict();
        EXPECT_FALSE(std::move(writer).finish());
    }
    {
        PlistXmlWriter writer;  // left open, closed with the wrong tag, two roots
        writer.beginArray();
        EXPECT_FALSE(PlistXmlWriter(writer).finish());
        writer.endDict();
        EXPECT_FALSE(std::move(writer).finish());
        PlistXmlWriter twice;
        twice.value(PlistValue(1));
        twice.value(PlistValue(2));
        EXPECT_FALSE(std::move(twice).finish());
    }
}

}  // namespace
