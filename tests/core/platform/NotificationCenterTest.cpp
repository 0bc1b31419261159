#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/platform/NotificationCenter.h"

using namespace kestrel;

TEST(NotificationCenter, CallsMatchingObserversInOrderBeforePostReturnsAndCarriesTheObject) {
    NotificationCenter center;
    std::vector<std::string> calls;
    int a = 0, b = 0;
    center.addObserver(&a, "ClassDidUnselectedMessage", [&](const Notification& n) { calls.push_back("a " + n.name); });
    center.addObserver(&b, std::nullopt, [&](const Notification& n) {
        calls.push_back(std::string("b ").append(n.name));
        if (n.object.has_value()) calls.back().append(" ").append(std::any_cast<std::string>(n.object));
    });
    center.post("ClassDidUnselectedMessage");
    center.post("ClassMethodWasSelectedMessage", std::string("-(void)display"));
    EXPECT_EQ(calls, (std::vector<std::string>{"a ClassDidUnselectedMessage", "b ClassDidUnselectedMessage",
                                               "b ClassMethodWasSelectedMessage -(void)display"}));
}

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
