#include <gtest/gtest.h>

#include "core/platform/NotificationCenter.h"

using namespace kestrel;

// Observers called in order, by name or for every name, before post returns, with the object
// posted: what the desktop program's tests see of every notification.
TEST(NotificationCenter, ObserversMayRemoveThemselvesAndOthersWhileHandling) {
    NotificationCenter center;
    int first = 0, second = 0, third = 0;
    int calls = 0;
    center.addObserver(&first, "X", [&](const Notification&) {
        ++calls;
        center.removeObserver(&first);   // itself
        center.removeObserver(&second);  // one not yet called in this post
        center.addObserver(&third, "X", [&](const Notification&) { ++calls; });  // not called now
    });
    center.addObserver(&second, "X", [&](const Notification&) { calls += 100; });
    center.post("X");
    EXPECT_EQ(calls, 1);
    center.post("X");
    EXPECT_EQ(calls, 2);  // only the one added meanwhile
    center.removeObserver(&third, "X");
    center.post("X");
    EXPECT_EQ(calls, 2);
}
