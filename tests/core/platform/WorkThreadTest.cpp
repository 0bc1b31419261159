#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <string>

#include "core/platform/WorkThread.h"

using namespace kestrel;

// The result is had while the thread may still run on; what the work throws reaches the one
// who asks; the thread is joined when the object goes, whatever was asked.
TEST(WorkThread, GivesTheResultOrWhatWasThrownAndJoinsWhenItGoes) {
    std::promise<void> release;
    std::atomic<bool> ended{false};
    {
        WorkThread<int> work;
        ASSERT_TRUE(work.start([&, go = release.get_future().share()] {
            go.wait();
            return 42;
        }));
        EXPECT_TRUE(work.started());
        release.set_value();
        EXPECT_EQ(work.get(), 42);
        WorkThread<std::string> failing;
        ASSERT_TRUE(failing.start([]() -> std::string { throw std::runtime_error("no room"); }));
        EXPECT_THROW(failing.get(), std::runtime_error);
        WorkThread<bool> neverAsked;
        ASSERT_TRUE(neverAsked.start([&ended] {
            ended = true;
            return true;
        }));
    }
    EXPECT_TRUE(ended);
    EXPECT_FALSE(WorkThread<int>().started());
}
