#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/platform/PlistFile.h"
#include "support/TempDir.h"

using namespace kestrel;
using kestrel::test::TempDir;
namespace fs = std::filesystem;

namespace {

const std::string kFixtures = std::string(KESTREL_TEST_DATA_DIR) + "/plist/";

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A binary property list from raw objects: object i is objects[i]; references and offsets are
// 4 bytes wide. Enough to build files that no well-behaved writer makes.
std::string binaryPlist(const std::vector<std::string>& objects, std::uint64_t top = 0) {
    auto be = [](std::uint64_t v, int size) {
        std::string out;
        for (int k = size - 1; k >= 0; --k) out.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
        return out;
    };
    std::string file = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const std::string& o : objects) {
        offsets.push_back(file.size());
        file += o;
    }
    const std::uint64_t table = file.size();
    for (std::uint64_t o : offsets) file += be(o, 4);
    file.append(6, '\0').append(1, '\x04').append(1, '\x04');
    file.append(be(objects.size(), 8)).append(be(top, 8)).append(be(table, 8));
    return file;
}
std::string ref(std::uint32_t i) {
    return {static_cast<char>(i >> 24), static_cast<char>(i >> 16), static_cast<char>(i >> 8), static_cast<char>(i)};
}
// An object: a marker byte, then references (appended, not added with "+": GCC 12 warns
// falsely on "literal" + std::string).
std::string object(char marker, const std::vector<std::uint32_t>& refs = {}, std::string_view contents = {}) {
    std::string o(1, marker);
    for (std::uint32_t r : refs) o.append(ref(r));
    o.append(contents);
    return o;
}

PlistValue everyType() {
    PlistDict inner;
    inner.set("zeta", PlistValue(1));
    inner.set("alpha", PlistValue(2));
    PlistDict d;
    d.set("string", PlistValue("<&> ]]> \"quoted\""));
    d.set("negative", PlistValue(-42));
    d.set("big", PlistValue(std::int64_t{1} << 40));
    d.set("real", PlistValue(12.7));
    d.set("yes", PlistValue(true));
    d.set("no", PlistValue(false));
    d.set("date", PlistValue(PlistDate{136468800.0}));
    d.set("data", PlistValue(PlistData{std::string("\0\x01\xfe\xff", 4)}));
    d.set("array", PlistValue(PlistArray{PlistValue("a"), PlistValue(1), PlistValue(PlistArray{})}));
    d.set("dict", PlistValue(inner));
    d.set("empty", PlistValue(""));
    return PlistValue(d);
}

}  // namespace

TEST(PlistFile, ReadsABinaryFileWrittenByAnotherTool) {
    std::optional<PlistDict> d = PlistFile::readDictionary(kFixtures + "types.bplist");
    ASSERT_TRUE(d);
    // The writer was told to keep its key order; so must we.
    std::vector<std::string> keys;
    for (const auto& [key, value] : *d) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"name", "unicode", "negative", "big", "real", "yes", "no", "date",
                                              "data", "array", "dict", "kind"}));
    EXPECT_EQ(*d->getString("name"), "NSWindow");
    EXPECT_EQ(*d->getString("unicode"), "Zo\xc3\xab \xe2\x80\x94 \xe6\x97\xa5\xe6\x9c\xac");  // from UTF-16
    EXPECT_EQ(d->getInteger("negative"), -42);
    EXPECT_EQ(d->getInteger("big"), (std::int64_t{1} << 40) + 5);
    EXPECT_EQ(d->realValue("real"), 12.7);
    EXPECT_EQ(d->getBoolean("yes"), true);
    EXPECT_EQ(d->getBoolean("no"), false);
    ASSERT_TRUE(d->find("date") && d->find("date")->getDate());
    EXPECT_EQ(d->find("date")->getDate()->seconds, 136468800.0);  // 2005-04-29 12:00 UTC
    EXPECT_EQ(d->find("data")->getData()->bytes, std::string("\0\x01\xfe\xff", 4));
    EXPECT_EQ(d->getArray("array")->size(), 3u);
    EXPECT_EQ(d->getDict("dict")->entries()[0].first, "zeta");
    EXPECT_EQ(d->integerValue("kind"), 2);  // stored as the string "2"
}

TEST(PlistFile, XmlRoundTripKeepsEveryTypeAndTheKeyOrder) {
    TempDir dir;
    const std::string path = dir.str() + "/all.plist";
    ASSERT_TRUE(PlistFile::writeXML(path, everyType()));
    EXPECT_EQ(slurp(path).rfind("<?xml", 0), 0u);
    std::optional<PlistValue> back = PlistFile::read(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, everyType());
}

TEST(PlistFile, XmlKeepsStringsThatAreNotUtf8) {
    TempDir dir;
    const std::string path = dir.str() + "/latin1.plist";
    PlistDict d;
    const std::string latin1 = "caf\xe9 \xff\xfe end";
    d.set(latin1, PlistValue(latin1));
    d.set("control", PlistValue(std::string("a\x01z")));
    ASSERT_TRUE(PlistFile::writeXML(path, PlistValue(d)));
    std::optional<PlistDict> back = PlistFile::readDictionary(path);
    ASSERT_TRUE(back);
    ASSERT_NE(back->getString(latin1), nullptr);
    EXPECT_EQ(*back->getString(latin1), latin1);
    EXPECT_EQ(*back->getString("control"), "a\x01z");
}

TEST(PlistFile, WhateverIsWrongWithAFileReadsAsNone) {
    TempDir dir;
    EXPECT_FALSE(PlistFile::read(dir.str() + "/missing.plist"));
    EXPECT_FALSE(PlistFile::read(dir.str()));  // a folder
    EXPECT_FALSE(PlistFile::read(dir.write("empty.plist", "")));
    EXPECT_FALSE(PlistFile::read(dir.write("text.plist", "just some words\n")));
    EXPECT_FALSE(PlistFile::read(dir.write("html.plist", "<html><body>no</body></html>")));
    EXPECT_FALSE(PlistFile::read(dir.write("header.plist", "bplist00")));
    EXPECT_FALSE(PlistFile::read(dir.write("nul.plist", std::string(64, '\0'))));
    EXPECT_FALSE(PlistFile::read(dir.write("bad.plist", "<plist><dict><key>a</key><string>x</dict></plist>")));
    EXPECT_FALSE(PlistFile::read(dir.write("open.plist", "<plist><array><string>x</string>")));
}

TEST(PlistFile, WrongRootTypeReadsAsNone) {
    TempDir dir;
    const std::string arrayFile = dir.str() + "/array.plist";
    ASSERT_TRUE(PlistFile::writeXML(arrayFile, PlistValue::fromStrings({"a"})));
    EXPECT_FALSE(PlistFile::readDictionary(arrayFile));
    EXPECT_TRUE(PlistFile::readArray(arrayFile));
    EXPECT_FALSE(PlistFile::readArray(kFixtures + "types.bplist"));
    const std::string stringFile = dir.str() + "/string.plist";
    ASSERT_TRUE(PlistFile::writeXML(stringFile, PlistValue("lonely")));
    EXPECT_FALSE(PlistFile::readDictionary(stringFile));
    EXPECT_EQ(*PlistFile::read(stringFile)->getString(), "lonely");
}

TEST(PlistFile, EveryTruncationOfAFileReadsWithoutCrashing) {
    for (const std::string& whole : {slurp(kFixtures + "records.bplist"), slurp(kFixtures + "types.bplist"),
                                     *PlistFile::toXML(everyType())}) {
        ASSERT_FALSE(whole.empty());
        std::optional<PlistValue> full = PlistFile::parse(whole);
        ASSERT_TRUE(full);
        for (std::size_t n = 0; n < whole.size(); ++n) {
            std::optional<PlistValue> cut = PlistFile::parse(std::string_view(whole).substr(0, n));
            // A cut binary file has lost its trailer, a cut XML file its closing tags; only a cut
            // after the root's own closing tag (before "</plist>") still reads, and then whole.
            if (cut) {
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

TEST(PlistFile, HostileBinaryFilesAreRefused) {
    // A dictionary key with a NUL inside: libplist would stop the program on it.
    EXPECT_FALSE(PlistFile::parse(
        binaryPlist({object('\xD1', {1, 2}), object('\x53', {}, std::string_view("a\0b", 3)), object('\x09')})));
    // The same dictionary with a clean key is fine.
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
    // 100,000 levels of nesting.
    std::vector<std::string> deep;
    for (std::uint32_t i = 0; i < 100000; ++i) deep.push_back(object('\xA1', {i + 1}));
    deep.push_back(object('\xA0'));
    EXPECT_FALSE(PlistFile::parse(binaryPlist(deep)));
    // Shallow nesting is fine.
    EXPECT_TRUE(PlistFile::parse(binaryPlist({object('\xA1', {1}), object('\xA1', {2}), object('\xA0')})));
}

TEST(PlistFile, DeeplyNestedXmlIsRefused) {
    std::string deep = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    for (int i = 0; i < 200000; ++i) deep += "<array>";
    EXPECT_FALSE(PlistFile::parse(deep));
    std::string shallow = "<plist version=\"1.0\"><array><!-- <array> --><array/><array></array></array></plist>";
    std::optional<PlistValue> ok = PlistFile::parse(shallow);
    ASSERT_TRUE(ok && ok->getArray());
    EXPECT_EQ(ok->getArray()->size(), 2u);
}

TEST(PlistFile, WriteReplacesTheFileAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.write("store.plist", "old");
    fs::permissions(path, fs::perms(0640));
    ASSERT_TRUE(PlistFile::writeXML(path, PlistValue::fromStrings({"new"})));
    EXPECT_EQ(*PlistFile::readArray(path), PlistArray{PlistValue("new")});
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(PlistFile, WriteThroughALinkReplacesTheFileItPointsAt) {
    TempDir dir;
    const std::string real = dir.write("real.plist", "old");
    fs::create_symlink(real, dir.path() / "link.plist");
    ASSERT_TRUE(PlistFile::writeXML((dir.path() / "link.plist").string(), PlistValue("via link")));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.plist"));
    EXPECT_EQ(*PlistFile::read(real)->getString(), "via link");
}

TEST(PlistFile, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    EXPECT_FALSE(PlistFile::writeXML(dir.str() + "/no/such/folder/x.plist", PlistValue("x")));
    EXPECT_FALSE(PlistFile::writeXML(dir.str(), PlistValue("x")));  // the target is a folder

    const std::string path = dir.write("keep.plist", "precious");
    // A date beyond what the file format holds cannot be written at all.
    EXPECT_FALSE(PlistFile::writeXML(path, PlistValue(PlistDate{1e300})));
    EXPECT_EQ(slurp(path), "precious");

    // The disk fills up half way: a file size limit makes every large write fail, even as root.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 64;
    auto* previous = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = PlistFile::writeXML(path, PlistValue(std::string(4096, 'x')));
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(slurp(path), "precious");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    if (geteuid() != 0) {  // root writes into read-only folders regardless
        fs::permissions(dir.path(), fs::perms(0555));
        EXPECT_FALSE(PlistFile::writeXML(path, PlistValue("new")));
        fs::permissions(dir.path(), fs::perms(0755));
        EXPECT_EQ(slurp(path), "precious");
    }
}
