#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/platform/RegularFile.h"
#include "support/TempDir.h"

using namespace kestrel;

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
