#include <gtest/gtest.h>

#include "core/platform/Host.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

TEST(Host, CallsWithoutAnInstalledHostDoNothingAndResetUninstallsItAndEmptiesTheSharedState) {
    struct Counter : Host {
        int messages = 0;
        void setMessage(const std::string&) override { ++messages; }
        std::int32_t getDragStyleMode() override { return 1; }
    } counter;
    ProcessState::reset();
    Host::current().setMessage("nobody listens");
    Host::current().addProgressBarValue(5);
    EXPECT_EQ(Host::current().getDragStyleMode(), 0);

    Host::install(&counter);
    Host::current().setMessage("Foundation");
    Host::current().setStatusMessage("NSString.h");  // not overridden: the base does nothing
    EXPECT_EQ(counter.messages, 1);
    EXPECT_EQ(Host::current().getDragStyleMode(), 1);
    ProcessState::frameworkPathCache()["Nowhere.framework"] = "";
    ProcessState::defineList()["NSString.h"] = nullptr;
    ProcessState::reset();
    EXPECT_NE(&Host::current(), &counter);
    EXPECT_TRUE(ProcessState::frameworkPathCache().empty() && ProcessState::defineList().empty());
    EXPECT_EQ(ProcessState::prefData(), nullptr);
}
