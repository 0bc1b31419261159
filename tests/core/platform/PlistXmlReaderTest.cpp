#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/platform/PlistFile.h"
#include "core/platform/PlistXmlReader.h"
#include "core/platform/PlistXmlWriter.h"

using namespace kestrel;

namespace {

const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";

std::string document(const std::string& body) { return kHead + body + "\n</plist>\n"; }

PlistDict dictOf(std::initializer_list<std::pair<std::string, PlistValue>> entries) {
    PlistDict dic;
    for (const auto& [key, value] : entries) dic.set(key, value);
    return dic;
}

// What the writer writes, tabs or none, reads back here as libplist reads it: the stored files.
TEST(PlistXmlReaderTest, ReadsTheWritersFormAsLibplistDoes) {
    PlistArray nested{PlistValue(PlistArray{}), PlistValue(PlistDict{}), PlistValue(""),
                      PlistValue(PlistArray{PlistValue(PlistArray{PlistValue(1)})})};
    const PlistValue value(PlistArray{
        PlistValue(1),
        PlistValue(dictOf({{"name", PlistValue("NSView")},
                           {"doc", PlistValue("Returns <the> frame & more.\n\t@param x  \"q\" 'a'\r\n")},
                           {"caf\xc3\xa9 \xff", PlistValue("not UTF-8: \xfe\x01 ]]>")},
                           {"", PlistValue("empty key")},
                           {"least", PlistValue(std::int64_t{-999999999999999999})},
                           {"big", PlistValue(std::int64_t{999999999999999999})},
                           {"negative", PlistValue(-42)},
                           {"zero", PlistValue(0)},
                           {"yes", PlistValue(true)},
                           {"no", PlistValue(false)},
                           {"nested", PlistValue(nested)},
                           {"emptyDict", PlistValue(PlistDict{})}}))});
    for (bool indented : {true, false}) {
        PlistXmlWriter writer;
        writer.setIndented(indented);
        writer.value(value);
        const std::optional<std::string> xml = std::move(writer).finish();
        ASSERT_TRUE(xml);
        const std::optional<PlistValue> ours = PlistXmlReader::read(*xml);
        ASSERT_TRUE(ours) << *xml;
        EXPECT_EQ(*ours, value);
        EXPECT_EQ(PlistFile::parseThroughLibplist(*xml), ours);
    }
    // libplist's own writing of the same value (tabs, its empty tags).
    const std::optional<std::string> theirs = PlistFile::toXMLThroughLibplist(value);
    ASSERT_TRUE(theirs);
    EXPECT_EQ(PlistXmlReader::read(*theirs), PlistFile::parseThroughLibplist(*theirs));
}

TEST(PlistXmlReaderTest, DecodesTheNamedEntitiesAndKeepsOtherBytes) {
    const std::string xml = document("<dict><key>a&amp;b</key><string>&lt;&gt;&quot;&apos; \t\n x</string></dict>");
    const std::optional<PlistValue> ours = PlistXmlReader::read(xml);
    ASSERT_TRUE(ours);
    EXPECT_EQ(*ours->getDict()->getString("a&b"), "<>\"' \t\n x");
    EXPECT_EQ(ours, PlistFile::parseThroughLibplist(xml));
}

// What the reader leaves is libplist's to decide: parse answers what libplist answers, also
// where libplist reads it otherwise than it looks ("010" is octal to it, a repeated key keeps
// one value, {"CF$UID": 3} is a reference).
TEST(PlistXmlReaderTest, LeavesAllElseToLibplist) {
    const char* const bodies[] = {
        "<array><!-- a comment --><string>x</string></array>",
        "<array><string><![CDATA[<raw>]]></string></array>",
        "<array><real>1.5</real></array>",
        "<array><date>2001-01-01T00:00:00Z</date></array>",
        "<array><data>AAEC</data></array>",
        "<array><string>&#65;</string></array>",
        "<array><string>&amp</string></array>",
        "<array><integer>010</integer></array>",
        "<array><integer>+5</integer></array>",
        "<array><integer> 5</integer></array>",
        "<array><integer>9223372036854775807</integer></array>",
        "<array><integer>0x1F</integer></array>",
        "<dict><key>a</key><string>1</string><key>a</key><string>2</string></dict>",
        "<dict><key>CF$UID</key><integer>3</integer></dict>",
        "<array><dict><key>CF$UID</key><integer>3</integer></dict></array>",
        "<array><string>x</string ></array>",
        "<array><key>k</key></array>",
        "<dict><key>k</key><key>v</key></dict>",
        "<dict a=\"1\"><key>k</key><true/></dict>",
        "<array><string/></array>",
        "<array><true></true></array>",
        "<string>a scalar root</string>",
        "<array></array> trailing",
    };
    for (const char* body : bodies) {
        const std::string xml = document(body);
        EXPECT_FALSE(PlistXmlReader::read(xml)) << body;
        EXPECT_EQ(PlistFile::parse(xml), PlistFile::parseThroughLibplist(xml)) << body;
    }
    for (const std::string& xml : {std::string("<array/>"),
                                   kHead + "<array>", kHead + "<array></dict></plist>", std::string(),
                                   kHead + "<array><string>a" + std::string(1, '\0') + "b</string></array></plist>",
                                   "<!DOCTYPE plist \"a" + std::string(1, '\0') + "\"><plist><array/></plist>"}) {
        EXPECT_FALSE(PlistXmlReader::read(xml)) << xml;
        EXPECT_EQ(PlistFile::parse(xml), PlistFile::parseThroughLibplist(xml)) << xml;
    }
    // libplist takes what stands between double quotes whole, in the prologue as in a tag.
    for (const std::string& xml :
         {std::string("<?xml a=\"?>\" ?><!DOCTYPE plist \"x>\"><plist b=\">\"><array><true/></array></plist>"),
          std::string("<?xml a=\"b ?>\n<plist><array/></plist> \"?><plist><array><false/></array></plist>"),
          std::string("<?xml a=\"b ?>\n<plist><array/></plist>")}) {
        EXPECT_EQ(PlistFile::parse(xml), PlistFile::parseThroughLibplist(xml)) << xml;
        if (std::optional<PlistValue> ours = PlistXmlReader::read(xml)) {
            EXPECT_EQ(ours, PlistFile::parseThroughLibplist(xml));
        }
    }
    // Nesting beyond the conversions' limit is libplist's to refuse, not the stack's; the check
    // before libplist counts tags wherever they stand, in the prologue too.
    std::string deep;
    for (int i = 0; i < 300; ++i) deep += "<array>";
    for (int i = 0; i < 300; ++i) deep += "</array>";
    EXPECT_FALSE(PlistXmlReader::read(document(deep)));
    EXPECT_FALSE(PlistFile::parse(document(deep)));
    for (const std::string& xml : {"<?" + deep + "?><plist><array/></plist>", "<plist a=\"" + deep + "\"><array/></plist>"}) {
        EXPECT_FALSE(PlistXmlReader::read(xml));
        EXPECT_EQ(PlistFile::parse(xml), PlistFile::parseThroughLibplist(xml));
    }
}

}  // namespace
