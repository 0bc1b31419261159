#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>

#include "core/platform/RegularFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

using namespace kestrel;
namespace fs = std::filesystem;

namespace {

// A file of the given size that takes no room on disk.
std::string sparse(const test::TempDir& dir, const std::string& name, off_t size) {
    const std::string path = dir.write(name, "");
    if (::truncate(path.c_str(), size) != 0) ADD_FAILURE() << "cannot size " << path;
    return path;
}

}  // namespace

TEST(RegularFile, ReadsEveryByteOfAFileUpToTheLimitAndNothingElse) {
    test::TempDir dir;
    const std::string bytes("a\0b\xff\r\n", 6);
    EXPECT_EQ(RegularFile::read(dir.write("f.h", bytes)), bytes);
    EXPECT_EQ(RegularFile::read(dir.write("empty.h", "")), std::string());
    EXPECT_FALSE(RegularFile::read(dir.write("f.h", bytes), 5));  // larger than allowed
    EXPECT_EQ(RegularFile::read(dir.write("f.h", bytes), 6), bytes);
    EXPECT_FALSE(RegularFile::read(dir.str() + "/missing.h"));
    EXPECT_FALSE(RegularFile::read(dir.str()));  // a folder
    const std::string fifo = dir.str() + "/pipe.h";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(RegularFile::read(fifo));  // returns at once: nothing writes to it
}

// A header larger than any real one is not read at all (nor held in memory), and the reason
// can be told without reading it.
TEST(RegularFile, AFileBeyondTheLimitIsRefusedWithTheReason) {
    test::TempDir dir;
    const std::string huge = sparse(dir, "Huge.h", (off_t{64} << 20) + 1);
    std::string problem;
    EXPECT_FALSE(RegularFile::read(huge, RegularFile::kLargestText, &problem));
    EXPECT_EQ(problem, "64 MB, larger than the 64 MB such a file can be");
    EXPECT_EQ(RegularFile::readProblem(huge), problem);
    EXPECT_EQ(RegularFile::readProblem(sparse(dir, "Big.h", off_t{3} << 30), std::size_t{128} << 20),
              "3.0 GB, larger than the 128 MB such a file can be");
    EXPECT_EQ(RegularFile::readProblem(dir.str() + "/missing.h"), "no such file or folder");
    EXPECT_EQ(RegularFile::readProblem(dir.str()), "a folder");
    EXPECT_FALSE(RegularFile::readProblem(dir.write("Fine.h", "int x;")));
}

// A picture or a stored file replaces a regular file whole or not at all, never anything else:
// a FIFO or a device at the path stays as it is (as root, "--svg /dev/null" must leave
// /dev/null be).
TEST(RegularFile, ReplaceTakesTheOldFileOrTheNewAndRefusesWhatIsNoFile) {
    test::TempDir dir;
    const std::string path = dir.write("tree.svg", "old picture");
    std::string problem;
    ASSERT_TRUE(RegularFile::replace(path, "new picture", &problem)) << problem;
    EXPECT_EQ(RegularFile::read(path).value_or(""), "new picture");

    const std::string fifo = dir.str() + "/fifo.svg";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(RegularFile::replace(fifo, "picture", &problem));
    EXPECT_NE(problem.find("a FIFO, not a file: it is left as it is"), std::string::npos) << problem;
    EXPECT_TRUE(fs::is_fifo(fifo));
    if (geteuid() == 0) {  // a device node of its own, never the system's
        const std::string device = dir.str() + "/null";
        ASSERT_EQ(mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        EXPECT_FALSE(RegularFile::replace(device, "picture", &problem));
        EXPECT_TRUE(fs::is_character_file(device));
    }
    fs::create_symlink(fifo, dir.path() / "link.svg");  // through a link, too
    EXPECT_FALSE(RegularFile::replace((dir.path() / "link.svg").string(), "x", &problem, RegularFile::Link::Follow));
    EXPECT_TRUE(fs::is_fifo(fifo));

    {  // the disk fills up half way: the old file stays, the reason is said
        test::FileSizeLimit full;
        EXPECT_FALSE(RegularFile::replace(path, std::string(4096, 'x'), &problem));
    }
    EXPECT_NE(problem.find("cannot write " + path + ": the file is larger than this system allows"), std::string::npos)
        << problem;
    EXPECT_EQ(RegularFile::read(path).value_or(""), "new picture");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), geteuid() == 0 ? 4 : 3);  // no temporary left
}

// A file made while it is written: the pieces, then what the stream makes; a stream that cannot
// make its bytes gives way to the whole made instead, and without one no file is left.
TEST(RegularFile, CreateInPiecesStreamsAndFallsBackWhole) {
    test::TempDir dir;
    FileBytes streamed = FileBytes::streamed([](const FileBytes::Sink& sink) { return sink("b") && sink("c"); });
    streamed.pieces = {"a"};
    EXPECT_TRUE(RegularFile::createInPieces(dir.str() + "/ok", streamed));
    EXPECT_EQ(RegularFile::read(dir.str() + "/ok"), "abc");

    FileBytes failing = FileBytes::streamed([](const FileBytes::Sink& sink) { return sink("half") && false; });
    failing.instead = [] { return std::optional<std::string>("whole"); };
    EXPECT_TRUE(RegularFile::createInPieces(dir.str() + "/instead", failing));
    EXPECT_EQ(RegularFile::read(dir.str() + "/instead"), "whole");

    failing.instead = nullptr;
    std::string problem;
    EXPECT_FALSE(RegularFile::createInPieces(dir.str() + "/none", failing, &problem));
    EXPECT_FALSE(fs::exists(dir.str() + "/none"));
    EXPECT_NE(problem.find("could not be made"), std::string::npos) << problem;
}

// A file made unsynced holds its bytes at once and is synced later by its path; a file that is
// not there cannot be synced, and says so.
TEST(RegularFile, CreatedUnsyncedIsSyncedByItsPathLater) {
    test::TempDir dir;
    FileBytes bytes = FileBytes::streamed([](const FileBytes::Sink& sink) { return sink(std::string(5 << 20, 'x')); });
    bytes.pieces = {"head"};
    const std::string path = dir.str() + "/set";
    ASSERT_TRUE(RegularFile::createUnsynced(path, bytes));
    EXPECT_EQ(fs::file_size(path), 4u + (5u << 20));
    EXPECT_TRUE(RegularFile::sync(path));
    EXPECT_FALSE(RegularFile::createUnsynced(path, bytes));  // never one that is there

    std::string problem;
    EXPECT_FALSE(RegularFile::sync(dir.str() + "/gone", &problem));
    EXPECT_NE(problem.find("cannot write " + dir.str() + "/gone: "), std::string::npos) << problem;
}
