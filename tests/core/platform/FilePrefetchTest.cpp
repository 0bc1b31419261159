#include <gtest/gtest.h>

#include <any>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/platform/FilePrefetch.h"
#include "support/TempDir.h"

using namespace kestrel;

namespace {

// What take answers once the thread has read path, or given it a second (a file it will not
// read: taken before, or unreadable).
std::optional<std::string> takeWhenRead(FilePrefetch& ahead, const std::string& path,
                                        std::chrono::milliseconds patience = std::chrono::seconds(20)) {
    const auto until = std::chrono::steady_clock::now() + patience;
    while (!ahead.holds(path) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return ahead.take(path);
}
constexpr std::chrono::milliseconds kNever(200);

// "H7.h", built with append: GCC 12 warns falsely (-Wrestrict) on chains of literal + string.
std::string named(const char* prefix, int i, const char* suffix = ".h") {
    std::string name(prefix);
    name.append(std::to_string(i)).append(suffix);
    return name;
}

}  // namespace

// The reader gets each file's bytes once, in any order; what it asks for first, or what was
// never listed or cannot be read, is its own to read.
TEST(FilePrefetch, EachFileOnceInAnyOrderTheRestLeftToTheReader) {
    test::TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 20; ++i) paths.push_back(dir.write(named("H", i), named("// header ", i, "")));
    paths.push_back(dir.str().append("/Missing.h"));
    const std::string unlisted = dir.write("Other.h", "x");
    FilePrefetch ahead(paths);
    EXPECT_EQ(takeWhenRead(ahead, paths[7]), "// header 7");
    EXPECT_EQ(ahead.take(paths[7]), std::nullopt);  // once
    EXPECT_EQ(ahead.take(paths[2]), "// header 2");  // read before 7
    EXPECT_EQ(ahead.take(paths.back()), std::nullopt);
    EXPECT_EQ(ahead.take(unlisted), std::nullopt);
    for (int i = 19; i >= 0; --i) {
        if (i == 7 || i == 2) continue;
        EXPECT_EQ(takeWhenRead(ahead, paths[i]), named("// header ", i, ""));
    }
}

// Held bytes stay within the budget: the thread waits until the reader takes what it read,
// and a file the reader took first is not read after.
TEST(FilePrefetch, ABudgetHoldsTheThreadBackUntilTheReaderTakes) {
    test::TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 4; ++i) paths.push_back(dir.write(named("B", i), std::string(100, static_cast<char>('a' + i))));
    FilePrefetch ahead(paths, 150);  // room for one file, then a second read on its way in
    EXPECT_EQ(ahead.take(paths[3]), std::nullopt);  // before the thread came to it: the reader reads it
    EXPECT_EQ(takeWhenRead(ahead, paths[0]), std::string(100, 'a'));
    EXPECT_EQ(takeWhenRead(ahead, paths[1]), std::string(100, 'b'));
    EXPECT_EQ(takeWhenRead(ahead, paths[2]), std::string(100, 'c'));
    EXPECT_EQ(takeWhenRead(ahead, paths[3], kNever), std::nullopt);
}

// Ending while the thread waits for room, or before it ever ran, ends at once.
TEST(FilePrefetch, EndsWhileWaiting) {
    test::TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 50; ++i) paths.push_back(dir.write(named("E", i), std::string(1000, 'e')));
    { FilePrefetch ahead(paths, 1); }
    { FilePrefetch ahead({}); }
    FilePrefetch ahead(paths, 1);
    EXPECT_EQ(takeWhenRead(ahead, paths[0]), std::string(1000, 'e'));
}

// What a file names is read right after it, before the list goes on, each path once; the
// prepare hook's work comes with the bytes.
TEST(FilePrefetch, FollowsWhatEachFileNamesAndHandsOutWhatWasPrepared) {
    test::TempDir dir;
    const std::string a = dir.write("A.h", "B.h C.h"), b = dir.write("B.h", "C.h"), c = dir.write("C.h", "");
    const std::string d = dir.write("D.h", "A.h");
    std::vector<std::string> order;  // only the thread writes it until the last take
    auto follow = [&](const std::string& path, const std::string& bytes) {
        order.push_back(path.substr(path.size() - 3));
        std::vector<std::string> named;
        for (std::size_t at = 0; at + 3 <= bytes.size(); at += 4) named.push_back(dir.str() + "/" + bytes.substr(at, 3));
        return named;
    };
    FilePrefetch ahead({a, d}, FilePrefetch::kDefaultBudget,
                       [](const std::string& bytes) { return std::any(bytes.size()); }, follow);
    for (int i = 0; i < 20000 && !ahead.holds(d); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(order, (std::vector<std::string>{"A.h", "B.h", "C.h", "D.h"}));
    std::optional<FilePrefetch::Taken> taken = ahead.takePrepared(a);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->bytes, "B.h C.h");
    EXPECT_EQ(std::any_cast<std::size_t>(taken->prepared), 7u);
    EXPECT_EQ(ahead.take(c), "");
}
