#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/model/AnnotationFiles.h"
#include "core/platform/FileTypeCode.h"
#include "support/Plists.h"
#include "support/TempHome.h"

using namespace kestrel;
using namespace kestrel::test;
namespace fs = std::filesystem;

namespace {

// A stored dictionary with one entry that is no string; the reader leaves it out.
const PlistDict kMixed = dict({{"-(id)init", "makes it\nready"}, {"count", 3}, {"NSView", ""}});
const StringDic kMixedRead{{"-(id)init", "makes it\nready"}, {"NSView", ""}};

}  // namespace

TEST(CommentFile, ReadsWritesAtomicallyAndMarksTheStore) {
    TempHome home;
    EXPECT_EQ(AnnotationFiles::getCommentFilePath(), home.dataFile("comments.plist"));
    StringDic dic{{"-(void)display", "draws\nnow"}, {"NSView", ""}, {"NSRect NSZeroRect", "x"}};
    ASSERT_TRUE(AnnotationFiles::writeCommentDic(dic));  // makes the data folder as well
    EXPECT_EQ(AnnotationFiles::getCommentDic(), dic);
    EXPECT_EQ(std::distance(fs::directory_iterator(home.data()), {}), 1);  // no temporary file left
    if (FileTypeCode::setHFSTypeCode(home.dir().write("probe", ""), "TEST")) {  // the file system keeps them
        EXPECT_EQ(FileTypeCode::getHFSTypeCode(home.dataFile("comments.plist")), "KSAC");
    }

    std::string path = home.writeData("comments.plist", xml(kMixed));
    EXPECT_EQ(AnnotationFiles::getCommentDic(), kMixedRead);
    EXPECT_EQ(TempHome::contents(path), xml(kMixed));
}

TEST(URLAndPrivateHedderFiles, AnswerNoneWithoutAReadableFileAndSkipWhatIsNoText) {
    TempHome home;
    EXPECT_EQ(AnnotationFiles::getURLFilePath(), home.dataFile("urls.plist"));
    EXPECT_EQ(AnnotationFiles::getPrivateHeddersPath(), home.dataFile("privateHeaders.plist"));
    EXPECT_FALSE(AnnotationFiles::getURLDic() || AnnotationFiles::getClassURL("NSView"));
    EXPECT_FALSE(AnnotationFiles::getPrivateHedders());
    EXPECT_FALSE(AnnotationFiles::writeURLDic(std::nullopt));
    EXPECT_FALSE(fs::exists(home.dataFile("urls.plist")));

    home.writeData("urls.plist", xml(kMixed));
    EXPECT_EQ(AnnotationFiles::getURLDic(), kMixedRead);
    EXPECT_EQ(AnnotationFiles::getClassURL("NSView"), "");  // an empty entry still counts
    EXPECT_FALSE(AnnotationFiles::getClassURL("count"));
    ASSERT_TRUE(AnnotationFiles::writeURLDic(StringDic{{"NSView", "https://example.org/NSView"}}));
    EXPECT_EQ(AnnotationFiles::getClassURL("NSView"), "https://example.org/NSView");

    home.writeData("privateHeaders.plist", xml(PlistArray{"/x.h", 7, PlistDict{}, "/y"}));
    EXPECT_EQ(AnnotationFiles::getPrivateHedders(), (std::vector<std::string>{"/x.h", "/y"}));
}

// The editors tell "no file yet" (start empty) from "a file that cannot be read" (refuse to
// replace it): the comments, URLs or paths in it would be lost.
TEST(AnnotationFiles, AFileThatCannotBeReadIsNeverOverwritten) {
    TempHome home;
    struct Store {
        const char* name;
        std::string wrongRoot;
        std::function<bool()> read, write;
    };
    const Store stores[] = {
        {"comments.plist", xml(PlistArray{}), [] { return AnnotationFiles::getCommentDic() == StringDic{}; },
         [] { return AnnotationFiles::writeCommentDic(StringDic{{"NSView", "mine"}}); }},
        {"urls.plist", xml(PlistArray{}), [] { return AnnotationFiles::getURLStore() == StringDic{}; },
         [] { return AnnotationFiles::writeURLDic(StringDic{{"NSView", "https://example.org"}}); }},
        {"privateHeaders.plist", xml(kMixed),
         [] { return AnnotationFiles::getPrivateHedderStore() == std::vector<std::string>{}; },
         [] { return AnnotationFiles::writePrivateHedders({"/x.h"}); }},
    };
    for (const Store& store : stores) {
        SCOPED_TRACE(store.name);
        EXPECT_TRUE(store.read());  // no file yet: an empty store
        for (const std::string& bad : {std::string("<plist><dict><key>a</key>"), store.wrongRoot}) {
            const std::string path = home.writeData(store.name, bad);
            EXPECT_FALSE(store.read() || store.write());
            EXPECT_EQ(TempHome::contents(path), bad);
        }
        fs::remove(home.dataFile(store.name));  // a folder in its place
        fs::create_directories(home.dataFile(store.name) + "/inside");
        EXPECT_FALSE(store.read() || store.write());
        EXPECT_TRUE(fs::is_directory(home.dataFile(store.name) + "/inside"));
    }
    EXPECT_FALSE(AnnotationFiles::getURLDic());
}

// Two windows, in two processes, each with an editor opened on the same file: each OK applies
// only what its editor changed to the file as it is then, so neither loses the other's work.
TEST(AnnotationFiles, EditorsMergeTheirChangesIntoTheFileAsItIsWhenTheyConfirm) {
    TempHome home;
    ASSERT_TRUE(AnnotationFiles::writeCommentDic({{"NSView", "a view"}, {"-(id)init", "makes it"}}));
    const StringDic opened = *AnnotationFiles::getCommentDic();  // both editors open on this

    StringDic first = opened;
    first["-(void)display"] = "draws";
    first["NSView"] = "a view, redrawn";
    ASSERT_TRUE(AnnotationFiles::mergeCommentDic(opened, first));
    StringDic second = opened;
    second["NSWindow"] = "a window";
    second["NSView"] = "the second word";  // the later OK stands where both changed one entry
    const std::optional<StringDic> merged = AnnotationFiles::mergeCommentDic(opened, second);
    const StringDic expected{{"NSView", "the second word"}, {"-(id)init", "makes it"}, {"-(void)display", "draws"},
                             {"NSWindow", "a window"}};
    EXPECT_EQ(merged, expected);
    EXPECT_EQ(AnnotationFiles::getCommentDic(), expected);

    // A URL cleared in one editor goes; one added in the other meanwhile stays.
    ASSERT_TRUE(AnnotationFiles::writeURLDic(StringDic{{"NSView", "https://a"}, {"NSText", "https://t"}}));
    const StringDic urls = *AnnotationFiles::getURLStore();
    ASSERT_TRUE(AnnotationFiles::mergeURLDic(urls, {{"NSView", "https://a"}, {"NSText", "https://t"}, {"NSCell", "https://c"}}));
    ASSERT_TRUE(AnnotationFiles::mergeURLDic(urls, {{"NSView", "https://a"}}));
    EXPECT_EQ(AnnotationFiles::getURLDic(), (StringDic{{"NSView", "https://a"}, {"NSCell", "https://c"}}));

    // Paths: one removed and one added here, another added there; the rest keep their places.
    ASSERT_TRUE(AnnotationFiles::writePrivateHedders({"/a.h", "/b.h"}));
    ASSERT_TRUE(AnnotationFiles::mergePrivateHedders({"/a.h", "/b.h"}, {"/a.h", "/b.h", "/there.h"}));
    EXPECT_EQ(AnnotationFiles::mergePrivateHedders({"/a.h", "/b.h"}, {"/b.h", "/here.h", "/there.h"}),
              (std::vector<std::string>{"/b.h", "/there.h", "/here.h"}));

    // A file that cannot be read is never replaced: the reason is said instead.
    const std::string path = home.writeData("comments.plist", "damaged");
    std::string problem;
    EXPECT_FALSE(AnnotationFiles::mergeCommentDic(opened, first, &problem));
    EXPECT_NE(problem.find("could not be read: the file is left as it is"), std::string::npos) << problem;
    EXPECT_EQ(TempHome::contents(path), "damaged");
}
