#include <gtest/gtest.h>

#include <filesystem>

#include "core/model/AnnotationFiles.h"
#include "core/platform/FileTypeCode.h"
#include "support/Plists.h"
#include "support/TempHome.h"

using namespace kestrel;
using namespace kestrel::test;
namespace fs = std::filesystem;

namespace {

// Whether the folder's file system keeps user extended attributes.
bool takesTypeCodes(const TempHome& home) {
    return FileTypeCode::setHFSTypeCode(home.dir().write("probe", ""), "TEST");
}

// A stored dictionary with one entry that is no string; the reader leaves it out.
const PlistDict kMixed = dict({{"-(id)init", "makes it\nready"}, {"count", 3}, {"NSView", ""}});
const StringDic kMixedRead{{"-(id)init", "makes it\nready"}, {"NSView", ""}};

}  // namespace

TEST(CommentFile, ReadsWritesAtomicallyAndMarksTheStore) {
    TempHome home;
    EXPECT_EQ(AnnotationFiles::getCommentFilePath(), home.dataFile("comments.plist"));
    EXPECT_EQ(AnnotationFiles::getCommentDic(), StringDic{});  // no file: an empty store

    StringDic dic{{"-(void)display", "draws\nnow"}, {"NSView", ""}, {"NSRect NSZeroRect", "x"}};
    ASSERT_TRUE(AnnotationFiles::writeCommentDic(dic));  // makes the data folder as well
    EXPECT_EQ(AnnotationFiles::getCommentDic(), dic);
    EXPECT_EQ(std::distance(fs::directory_iterator(home.data()), {}), 1);  // no temporary file left
    if (takesTypeCodes(home)) {
        EXPECT_EQ(FileTypeCode::getHFSTypeCode(home.dataFile("comments.plist")), "KSAC");
    }

    std::string path = home.writeData("comments.plist", xml(kMixed));
    EXPECT_EQ(AnnotationFiles::getCommentDic(), kMixedRead);
    EXPECT_EQ(TempHome::contents(path), xml(kMixed));
}

TEST(CommentFile, AStoreThatCannotBeReadIsNeverOverwritten) {
    TempHome home;
    for (std::string bad : {std::string("<plist><dict><key>a</key>"), xml(PlistArray{})}) {
        std::string path = home.writeData("comments.plist", bad);
        EXPECT_FALSE(AnnotationFiles::getCommentDic());
        EXPECT_FALSE(AnnotationFiles::writeCommentDic(StringDic{{"NSView", "mine"}}));
        EXPECT_EQ(TempHome::contents(path), bad);
    }
    fs::remove(home.dataFile("comments.plist"));
    fs::create_directories(home.dataFile("comments.plist/inside"));
    EXPECT_FALSE(AnnotationFiles::getCommentDic());
    EXPECT_FALSE(AnnotationFiles::writeCommentDic(StringDic{}));
    EXPECT_TRUE(fs::is_directory(home.dataFile("comments.plist/inside")));
}

TEST(URLFile, AnswersNoneWithoutAReadableFileAndLooksUpOneClass) {
    TempHome home;
    EXPECT_EQ(AnnotationFiles::getURLFilePath(), home.dataFile("urls.plist"));
    EXPECT_FALSE(AnnotationFiles::getURLDic() || AnnotationFiles::getClassURL("NSView"));
    EXPECT_FALSE(AnnotationFiles::writeURLDic(std::nullopt));
    EXPECT_FALSE(fs::exists(home.dataFile("urls.plist")));

    home.writeData("urls.plist", xml(kMixed));
    EXPECT_EQ(AnnotationFiles::getURLDic(), kMixedRead);
    EXPECT_EQ(AnnotationFiles::getClassURL("NSView"), "");  // an empty entry still counts
    EXPECT_FALSE(AnnotationFiles::getClassURL("count"));

    ASSERT_TRUE(AnnotationFiles::writeURLDic(StringDic{{"NSView", "https://example.org/NSView"}}));
    EXPECT_EQ(AnnotationFiles::getClassURL("NSView"), "https://example.org/NSView");

    fs::remove(home.dataFile("urls.plist"));  // a folder in its place; a damaged file reads as comments do
    fs::create_directories(home.dataFile("urls.plist"));
    EXPECT_FALSE(AnnotationFiles::getURLDic());
}

// The editors tell "no file yet" (start empty) from "a file that cannot be read" (refuse to
// replace it): the URLs or paths in it would be lost.
TEST(URLAndPrivateHedderFiles, AFileThatCannotBeReadIsNeverOverwritten) {
    TempHome home;
    EXPECT_EQ(AnnotationFiles::getURLStore(), StringDic{});
    EXPECT_EQ(AnnotationFiles::getPrivateHedderStore(), std::vector<std::string>{});

    const std::string damaged = "<plist><dict><key>a</key>";
    for (const auto& [urls, headers] : {std::pair{damaged, damaged}, std::pair{xml(PlistArray{}), xml(kMixed)}}) {
        const std::string urlPath = home.writeData("urls.plist", urls);
        const std::string headerPath = home.writeData("privateHeaders.plist", headers);
        EXPECT_FALSE(AnnotationFiles::getURLStore());
        EXPECT_FALSE(AnnotationFiles::getPrivateHedderStore());
        EXPECT_FALSE(AnnotationFiles::writeURLDic(StringDic{{"NSView", "https://example.org"}}));
        EXPECT_FALSE(AnnotationFiles::writePrivateHedders({"/x.h"}));
        EXPECT_EQ(TempHome::contents(urlPath), urls);
        EXPECT_EQ(TempHome::contents(headerPath), headers);
    }
    for (const char* name : {"urls.plist", "privateHeaders.plist"}) {
        fs::remove(home.dataFile(name));
        fs::create_directories(home.dataFile(name) + "/inside");
    }
    EXPECT_FALSE(AnnotationFiles::getURLStore());
    EXPECT_FALSE(AnnotationFiles::getPrivateHedderStore());
    EXPECT_FALSE(AnnotationFiles::writeURLDic(StringDic{}));
    EXPECT_FALSE(AnnotationFiles::writePrivateHedders({}));
    EXPECT_TRUE(fs::is_directory(home.dataFile("urls.plist/inside")));
    EXPECT_TRUE(fs::is_directory(home.dataFile("privateHeaders.plist/inside")));
}

// The tree builder's tests write the list and read it back.
TEST(PrivateHedderFile, SkipsWhatIsNoPath) {
    TempHome home;
    EXPECT_EQ(AnnotationFiles::getPrivateHeddersPath(), home.dataFile("privateHeaders.plist"));
    EXPECT_FALSE(AnnotationFiles::getPrivateHedders());
    home.writeData("privateHeaders.plist", xml(PlistArray{"/x.h", 7, PlistDict{}, "/y"}));
    EXPECT_EQ(AnnotationFiles::getPrivateHedders(), (std::vector<std::string>{"/x.h", "/y"}));
    home.writeData("privateHeaders.plist", xml(kMixed));
    EXPECT_FALSE(AnnotationFiles::getPrivateHedders());
}
