#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>

#include "core/platform/PlistFile.h"
#include "support/FileSizeLimit.h"
#include "support/Plists.h"
#include "support/TempDir.h"
#include "support/TempHome.h"

using namespace kestrel;
using kestrel::test::TempDir;
namespace fs = std::filesystem;

namespace {

const std::string kFixtures = std::string(KESTREL_TEST_DATA_DIR) + "/plist/";

std::string slurp(const std::string& path) { return test::TempHome::contents(path).value_or(""); }

// A binary property list from raw objects: object i is objects[i]; references and offsets are
// 4 bytes wide. Enough to build files that no well-behaved writer makes.
std::string be32(std::uint64_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}
std::string binaryPlist(const std::vector<std::string>& objects) {
    std::string file = "bplist00", table;
    for (const std::string& o : objects) {
        table.append(be32(file.size()));
        file.append(o);
    }
    const std::uint64_t tableAt = file.size();
    file.append(table).append(6, '\0').append("\x04\x04");
    return file.append(4, '\0').append(be32(objects.size())).append(8, '\0').append(4, '\0').append(be32(tableAt));
}
// An object: a marker byte, then references, then contents.
std::string object(char marker, const std::vector<std::uint32_t>& refs = {}, std::string_view contents = {}) {
    std::string o(1, marker);
    for (std::uint32_t r : refs) o.append(be32(r));
    return o.append(contents);
}

PlistValue everyType() {
    return PlistValue(test::dict(
        {{"string", "<&> ]]> \"quoted\""}, {"caf\xe9 \xff\xfe end", "not UTF-8: caf\xe9 \xff\xfe"},
         {"control", "a\x01z"}, {"negative", -42}, {"big", std::int64_t{1} << 40}, {"real", 12.7}, {"yes", true},
         {"no", false}, {"date", PlistDate{136468800.0}}, {"data", PlistData{std::string("\0\x01\xfe\xff", 4)}},
         {"array", PlistArray{"a", 1, PlistArray{}}}, {"dict", test::dict({{"zeta", 1}, {"alpha", 2}})},
         {"empty", ""}}));
}

}  // namespace

TEST(PlistFile, ReadsABinaryFileWrittenByAnotherTool) {
    // Its writer was told to keep the key order; so must we. Strings come from UTF-16; the date
    // is 2005-04-29 12:00 UTC; "kind" holds the text "2".
    PlistDict expected = test::dict(
        {{"name", "NSWindow"}, {"unicode", "Zo\xc3\xab \xe2\x80\x94 \xe6\x97\xa5\xe6\x9c\xac"}, {"negative", -42},
         {"big", (std::int64_t{1} << 40) + 5}, {"real", 12.7}, {"yes", true}, {"no", false},
         {"date", PlistDate{136468800.0}}, {"data", PlistData{std::string("\0\x01\xfe\xff", 4)}},
         {"array", PlistArray{"a", 1, PlistArray{true}}}, {"dict", test::dict({{"zeta", 1}, {"alpha", 2}})},
         {"kind", "2"}});
    EXPECT_EQ(PlistFile::readDictionary(kFixtures + "types.bplist"), expected);
    EXPECT_FALSE(PlistFile::readArray(kFixtures + "types.bplist"));  // the wrong root
}

TEST(PlistFile, XmlRoundTripKeepsEveryTypeTheKeyOrderAndBytesThatAreNotUtf8) {
    TempDir dir;
    const std::string path = dir.str() + "/all.plist";
    ASSERT_TRUE(PlistFile::writeXML(path, everyType()));
    EXPECT_EQ(slurp(path).rfind("<?xml", 0), 0u);
    EXPECT_EQ(PlistFile::read(path), everyType());
    ASSERT_TRUE(PlistFile::writeXML(path, PlistValue("lonely")));
    EXPECT_FALSE(PlistFile::readDictionary(path) || PlistFile::readArray(path));
    EXPECT_EQ(*PlistFile::read(path)->getString(), "lonely");
}

// Missing files, folders and FIFOs: the regular-file reader's tests.
TEST(PlistFile, WhateverIsWrongWithAFileReadsAsNone) {
    TempDir dir;
    for (const std::string& bad : {std::string(), std::string("just some words\n"), std::string("bplist00"),
                                   std::string("<html><body>no</body></html>"), std::string(64, '\0'),
                                   std::string("<plist><dict><key>a</key><string>x</dict></plist>"),
                                   std::string("<plist><array><string>x</string>")})
        EXPECT_FALSE(PlistFile::read(dir.write("bad.plist", bad))) << bad;
}

TEST(PlistFile, EveryTruncationOfAFileReadsWithoutCrashing) {
    for (const std::string& whole : {slurp(kFixtures + "records.bplist"), slurp(kFixtures + "types.bplist"),
                                     *PlistFile::toXML(everyType())}) {
        std::optional<PlistValue> full = PlistFile::parse(whole);
        ASSERT_TRUE(full);
        for (std::size_t n = 0; n < whole.size(); ++n) {
            // A cut binary file has lost its trailer, a cut XML file its closing tags; only a cut
            // after the root's own closing tag (before "</plist>") still reads, and then whole.
            if (std::optional<PlistValue> cut = PlistFile::parse(std::string_view(whole).substr(0, n))) {
                EXPECT_EQ(*cut, *full) << "cut at " << n;
            }
        }
    }
}

TEST(PlistFile, CorruptedBytesNeverCrash) {
    const std::string whole = slurp(kFixtures + "records.bplist");
    unsigned seed = 7;
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = whole;
        for (int k = 0; k < 3; ++k) {
            seed = seed * 1103515245u + 12345u;
            damaged[(seed >> 8) % damaged.size()] = static_cast<char>(seed >> 24);
        }
        (void)PlistFile::parse(damaged);  // any answer, but an answer
    }
}

TEST(PlistFile, HostileFilesAreRefused) {
    // A dictionary key with a NUL inside: libplist would stop the program on it. With a clean
    // key the same dictionary is fine.
    EXPECT_FALSE(PlistFile::parse(
        binaryPlist({object('\xD1', {1, 2}), object('\x53', {}, std::string_view("a\0b", 3)), object('\x09')})));
    std::optional<PlistValue> clean =
        PlistFile::parse(binaryPlist({object('\xD1', {1, 2}), object('\x53', {}, "abc"), object('\x09')}));
    ASSERT_TRUE(clean && clean->getDict());
    EXPECT_EQ(clean->getDict()->getBoolean("abc"), true);

    // An array that contains itself.
    EXPECT_FALSE(PlistFile::parse(binaryPlist({object('\xA1', {0})})));
    // 40 levels of arrays naming the next level twice: 2^40 nodes once expanded.
    std::vector<std::string> bomb;
    for (std::uint32_t i = 0; i < 39; ++i) bomb.push_back(object('\xA2', {i + 1, i + 1}));
    bomb.push_back(object('\x50'));
    EXPECT_FALSE(PlistFile::parse(binaryPlist(bomb)));
    // 100,000 levels of nesting, binary and XML; shallow nesting is fine.
    std::vector<std::string> deep;
    for (std::uint32_t i = 0; i < 100000; ++i) deep.push_back(object('\xA1', {i + 1}));
    deep.push_back(object('\xA0'));
    EXPECT_FALSE(PlistFile::parse(binaryPlist(deep)));
    EXPECT_TRUE(PlistFile::parse(binaryPlist({object('\xA1', {1}), object('\xA1', {2}), object('\xA0')})));
    std::string deepXml = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    for (int i = 0; i < 200000; ++i) deepXml += "<array>";
    EXPECT_FALSE(PlistFile::parse(deepXml));
    std::optional<PlistValue> ok =
        PlistFile::parse("<plist version=\"1.0\"><array><!-- <array> --><array/><array></array></array></plist>");
    ASSERT_TRUE(ok && ok->getArray());
    EXPECT_EQ(ok->getArray()->size(), 2u);
}

TEST(PlistFile, WriteReplacesTheFileOrTheFileALinkPointsAtAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.write("store.plist", "old");
    fs::permissions(path, fs::perms(0640));
    ASSERT_TRUE(PlistFile::writeXML(path, PlistValue::fromStrings({"new"})));
    EXPECT_EQ(*PlistFile::readArray(path), PlistArray{PlistValue("new")});
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    fs::create_symlink(path, dir.path() / "link.plist");
    ASSERT_TRUE(PlistFile::writeXML((dir.path() / "link.plist").string(), PlistValue("via link")));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.plist"));
    EXPECT_EQ(*PlistFile::read(path)->getString(), "via link");
}

// Temporary files carry a mark in their names, and only those of this file an hour old go: a
// younger one may be another writer's, and a user's file that merely looks like one
// (".Kestrel.plist.backup") is never touched.
// A link is followed only to a property list (a preferences file kept with the user's other
// settings); a link to anything else is replaced itself and its target never written into.
TEST(PlistFile, AWriteThroughALinkReachesOnlyAPropertyList) {
    TempDir dir;
    const std::string notes = dir.write("notes.txt", "my own notes");
    fs::create_symlink(notes, dir.path() / "Kestrel.plist");
    const std::string link = (dir.path() / "Kestrel.plist").string();
    ASSERT_TRUE(PlistFile::writeXML(link, PlistValue("prefs")));
    EXPECT_EQ(slurp(notes), "my own notes");
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_EQ(*PlistFile::read(link)->getString(), "prefs");
}

// A stored file larger than any stored tree can be is not read (nor held in memory).
TEST(PlistFile, AFileLargerThanAnyStoredTreeIsRefusedWithTheReason) {
    TempDir dir;
    const std::string path = dir.write("classData", "");
    ASSERT_EQ(::truncate(path.c_str(), (off_t{3} << 30)), 0);  // sparse: no room taken
    std::string problem;
    EXPECT_FALSE(PlistFile::readArray(path, &problem));
    EXPECT_EQ(problem, "3.0 GB, larger than the 128 MB such a file can be");
    EXPECT_FALSE(PlistFile::readArray(dir.write("typedefs", test::xml(PlistDict{})), &problem));
    EXPECT_EQ(problem, "not a list");
}

TEST(PlistFile, AWriteRemovesOnlyKestrelsOwnTemporaryFilesThatKilledWritersLeft) {
    TempDir dir;
    const std::string path = dir.write("Kestrel.plist", "old");
    const auto hoursAgo = fs::file_time_type::clock::now() - std::chrono::hours(2);
    for (const char* name : {".Kestrel.plist.kestrel-tmp-Ab12Cd", ".Kestrel.plist.kestrel-tmp-fresh1",
                             ".Kestrel.plist.kestrel-tmp-toolong", ".Kestrel.plist.backup", ".Kestrel.plist.Ab12Cd",
                             ".classData.kestrel-tmp-Ab12Cd"}) {
        dir.write(name, "left");
        if (std::string(name) != ".Kestrel.plist.kestrel-tmp-fresh1") fs::last_write_time(dir.path() / name, hoursAgo);
    }
    fs::create_directory(dir.path() / ".Kestrel.plist.kestrel-tmp-folder");
    fs::last_write_time(dir.path() / ".Kestrel.plist.kestrel-tmp-folder", hoursAgo);

    ASSERT_TRUE(PlistFile::writeXML(path, PlistValue("new")));
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.path())) left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"Kestrel.plist", ".Kestrel.plist.kestrel-tmp-fresh1",
                                           ".Kestrel.plist.kestrel-tmp-toolong", ".Kestrel.plist.backup",
                                           ".Kestrel.plist.Ab12Cd", ".classData.kestrel-tmp-Ab12Cd",
                                           ".Kestrel.plist.kestrel-tmp-folder"}));
}

TEST(PlistFile, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    EXPECT_FALSE(PlistFile::writeXML(dir.str() + "/no/such/folder/x.plist", PlistValue("x")));
    EXPECT_FALSE(PlistFile::writeXML(dir.str(), PlistValue("x")));  // the target is a folder

    const std::string path = dir.write("keep.plist", "precious");
    // A date beyond what the file format holds cannot be written at all.
    EXPECT_FALSE(PlistFile::writeXML(path, PlistValue(PlistDate{1e300})));
    EXPECT_EQ(slurp(path), "precious");

    {  // the disk fills up half way
        test::FileSizeLimit full;
        EXPECT_FALSE(PlistFile::writeXML(path, PlistValue(std::string(4096, 'x'))));
    }
    EXPECT_EQ(slurp(path), "precious");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    if (geteuid() != 0) {  // root writes into read-only folders regardless
        fs::permissions(dir.path(), fs::perms(0555));
        EXPECT_FALSE(PlistFile::writeXML(path, PlistValue("new")));
        fs::permissions(dir.path(), fs::perms(0755));
        EXPECT_EQ(slurp(path), "precious");
    }
}

// A key repeated in a file keeps one entry, holding the later value, in XML and binary files
// alike (libplist's binary reader gives both entries). A large dictionary exercises the index.
TEST(PlistFile, RepeatedKeysInAFileKeepOneEntryAndLargeDictionariesStayFindable) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                      "<key>a</key><string>1</string><key>b</key><integer>2</integer>"
                      "<key>a</key><string>3</string>";
    for (int i = 0; i < 40; ++i) xml += "<key>k" + std::to_string(i) + "</key><integer>" + std::to_string(i) + "</integer>";
    xml += "</dict></plist>\n";
    std::optional<PlistValue> value = PlistFile::parse(xml);
    ASSERT_TRUE(value && value->isDict());
    const PlistDict& dict = *value->getDict();
    EXPECT_EQ(dict.size(), 42u);  // "a" once
    ASSERT_NE(dict.getString("a"), nullptr);
    EXPECT_EQ(*dict.getString("a"), "3");
    EXPECT_EQ(dict.getInteger("k39"), 39);
    EXPECT_EQ(dict.getInteger("b"), 2);

    // {a: 1, b: 2, a: 3} in a binary file: the keys are objects 1, 2 and 1 again.
    std::optional<PlistValue> binary = PlistFile::parse(binaryPlist({object('\xD3', {1, 2, 1, 3, 4, 5}), object('\x51', {}, "a"),
                                                                     object('\x51', {}, "b"), object('\x10', {}, "\x01"),
                                                                     object('\x10', {}, "\x02"), object('\x10', {}, "\x03")}));
    ASSERT_TRUE(binary && binary->isDict());
    EXPECT_EQ(*binary->getDict(), test::dict({{"a", 3}, {"b", 2}}));
    EXPECT_EQ(PlistFile::parse(*PlistFile::toXML(*binary)), binary);
}

// A string holding a NUL byte, in a binary file or raw in an XML one, reads up to that byte:
// XML cannot carry it, and a store that writes back what it read (the comments when one is
// edited) must find the same text again.
TEST(PlistFile, AStringEndsAtItsFirstNulByteAsItIsWrittenBack) {
    const std::string_view withNul("/tmp/Ki\0ret.h", 13);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><array><string>";
    xml.append(withNul).append("</string></array></plist>\n");
    const std::string binary = binaryPlist({object('\xA1', {1}), object('\x5D', {}, withNul)});
    for (const std::string& file : {xml, binary}) {
        std::optional<PlistValue> read = PlistFile::parse(file);
        ASSERT_TRUE(read && read->getArray());
        EXPECT_EQ(*read, PlistValue(PlistArray{"/tmp/Ki"}));
        EXPECT_EQ(PlistFile::parse(*PlistFile::toXML(*read)), read);
    }
}
