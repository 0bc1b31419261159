#include <gtest/gtest.h>

#include "core/platform/ProcessState.h"

using kestrel::ProcessState;

TEST(ProcessState, ResetEmptiesTheSharedDictionaries) {
    ProcessState::frameworkPathCache()["Nowhere.framework"] = "";
    ProcessState::defineList()["NSString.h"] = nullptr;
    ProcessState::reset();
    EXPECT_TRUE(ProcessState::frameworkPathCache().empty());
    EXPECT_TRUE(ProcessState::defineList().empty());
    EXPECT_EQ(ProcessState::prefData(), nullptr);
}
