#include <gtest/gtest.h>

#include <filesystem>

#include "core/model/AnnotationFiles.h"
#include "core/platform/FileTypeCode.h"
#include "core/platform/PlistFile.h"
#include "support/TempHome.h"

using namespace kestrel;
using kestrel::test::TempHome;

namespace {

// Whether the folder's file system keeps user extended attributes.
bool takesTypeCodes(const TempHome& home) {
    std::string probe = home.dir().write("probe", "");
    return FileTypeCode::setHFSTypeCode(probe, "TEST");
}

std::string xml(const PlistValue& value) { return *PlistFile::toXML(value); }

PlistDict mixedDic() {
    PlistDict dic;
    dic.set("-(id)init", PlistValue("makes it\nready"));
    dic.set("count", PlistValue(3));
    dic.set("NSView", PlistValue(""));
    return dic;
}

}  // namespace

TEST(CommentFile, ReadsWritesAndMarksTheStore) {
    TempHome home;
    EXPECT_EQ(AnnotationFiles::getCommentFilePath(), home.dataFile("comments.plist"));
    EXPECT_EQ(AnnotationFiles::getCommentDic(), StringDic{});  // no file: an empty store

    StringDic dic{{"-(void)display", "draws\nnow"}, {"NSView", ""}, {"NSRect NSZeroRect", "x"}};
    ASSERT_TRUE(AnnotationFiles::writeCommentDic(dic));  // makes the data folder as well
    EXPECT_EQ(AnnotationFiles::getCommentDic(), dic);
    if (takesTypeCodes(home)) {
        EXPECT_EQ(FileTypeCode::getHFSTypeCode(home.dataFile("comments.plist")), "KSAC");
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(home.dataFile("comments.plist")));
    // The write goes through a temporary file: nothing else is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.data()), {}), 1);
}

TEST(CommentFile, AStoreThatCannotBeReadIsNeverOverwritten) {
    TempHome home;
    for (std::string bad : {std::string("<plist><dict><key>a</key>"), xml(PlistValue(PlistArray{}))}) {
        std::string path = home.writeData("comments.plist", bad);
        EXPECT_FALSE(AnnotationFiles::getCommentDic());
        EXPECT_FALSE(AnnotationFiles::writeCommentDic(StringDic{{"NSView", "mine"}}));
        EXPECT_EQ(TempHome::contents(path), bad);
    }
    std::filesystem::remove(home.dataFile("comments.plist"));
    std::filesystem::create_directories(home.dataFile("comments.plist/inside"));
    EXPECT_FALSE(AnnotationFiles::getCommentDic());
    EXPECT_FALSE(AnnotationFiles::writeCommentDic(StringDic{}));
    EXPECT_TRUE(std::filesystem::is_directory(home.dataFile("comments.plist/inside")));
}

TEST(CommentFile, EntriesOfTheWrongTypeAreLeftOutAndTheFileKept) {
    TempHome home;
    std::string path = home.writeData("comments.plist", xml(PlistValue(mixedDic())));
    EXPECT_EQ(AnnotationFiles::getCommentDic(),
              (StringDic{{"-(id)init", "makes it\nready"}, {"NSView", ""}}));
    EXPECT_EQ(TempHome::contents(path), xml(PlistValue(mixedDic())));
}

TEST(URLFile, AnswersNoneWithoutAReadableFileAndLooksUpOneClass) {
    TempHome home;
    EXPECT_EQ(AnnotationFiles::getURLFilePath(), home.dataFile("urls.plist"));
    EXPECT_FALSE(AnnotationFiles::getURLDic());
    EXPECT_FALSE(AnnotationFiles::getClassURL("NSView"));
    EXPECT_FALSE(AnnotationFiles::writeURLDic(std::nullopt));
    EXPECT_FALSE(std::filesystem::exists(home.dataFile("urls.plist")));

    home.writeData("urls.plist", xml(PlistValue(mixedDic())));
    EXPECT_EQ(AnnotationFiles::getURLDic(), (StringDic{{"-(id)init", "makes it\nready"}, {"NSView", ""}}));
    EXPECT_EQ(AnnotationFiles::getClassURL("NSView"), "");  // an empty entry still counts
    EXPECT_FALSE(AnnotationFiles::getClassURL("count"));

    ASSERT_TRUE(AnnotationFiles::writeURLDic(StringDic{{"NSView", "https://example.org/NSView"}}));
    EXPECT_EQ(AnnotationFiles::getClassURL("NSView"), "https://example.org/NSView");
    if (takesTypeCodes(home)) {
        EXPECT_EQ(FileTypeCode::getHFSTypeCode(home.dataFile("urls.plist")), "KSTU");
    }

    home.writeData("urls.plist", "garbage");
    EXPECT_FALSE(AnnotationFiles::getURLDic());
    std::filesystem::remove(home.dataFile("urls.plist"));
    std::filesystem::create_directories(home.dataFile("urls.plist"));
    EXPECT_FALSE(AnnotationFiles::getURLDic());
}

TEST(PrivateHedderFile, KeepsThePathsInOrderAndSkipsWhatIsNoPath) {
    TempHome home;
    EXPECT_EQ(AnnotationFiles::getPrivateHeddersPath(), home.dataFile("privateHeaders.plist"));
    EXPECT_FALSE(AnnotationFiles::getPrivateHedders());

    std::vector<std::string> paths{"/opt/b/Zeta.h", "/opt/a", "/opt/b/Alpha.h"};
    ASSERT_TRUE(AnnotationFiles::writePrivateHedders(paths));
    EXPECT_EQ(AnnotationFiles::getPrivateHedders(), paths);

    home.writeData("privateHeaders.plist",
                   xml(PlistValue(PlistArray{PlistValue("/x.h"), PlistValue(7), PlistValue(PlistDict{}),
                                             PlistValue("/y")})));
    EXPECT_EQ(AnnotationFiles::getPrivateHedders(), (std::vector<std::string>{"/x.h", "/y"}));
    home.writeData("privateHeaders.plist", xml(PlistValue(mixedDic())));
    EXPECT_FALSE(AnnotationFiles::getPrivateHedders());
}
