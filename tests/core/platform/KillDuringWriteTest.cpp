// A process killed while it writes never leaves a half-written file: every file is written
// beside its place and moved there whole.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "core/model/AnnotationFiles.h"
#include "support/TempHome.h"

using namespace kestrel;

namespace {

// The store the writer confirms at step n: n entries, each a long comment.
StringDic storeAt(int n) {
    StringDic dic;
    for (int i = 0; i < n; ++i) dic["-(void)method" + std::to_string(i)] = std::string(2000, static_cast<char>('a' + i % 26));
    return dic;
}

}  // namespace

TEST(KillDuringWrite, AFileIsEitherAsItWasOrAsConfirmed) {
    test::TempHome home;
    std::mt19937 random(7);
    for (int round = 0; round < 12; ++round) {
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            for (int n = 1;; n = n % 60 + 1) AnnotationFiles::writeCommentDic(storeAt(n));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(200, 20000)(random)));
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);
        std::optional<StringDic> stored = AnnotationFiles::getCommentDic();
        ASSERT_TRUE(stored) << "round " << round << ": the file cannot be read";
        if (stored->empty()) continue;  // nothing was written yet
        EXPECT_EQ(*stored, storeAt(static_cast<int>(stored->size()))) << "round " << round;
    }
}
