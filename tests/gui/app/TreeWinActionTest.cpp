#include <QTest>
#include <cmath>

#include "gui/app/TreeWinAction.h"
#include "support/ShellFixture.h"

using namespace kestrel;
using kestrel::test::ShellFixture;

namespace {

class FadeTest : public ShellFixture {
protected:
    void SetUp() override { launch(); }
    gui::TreeWinAction& fades() { return *shell->getTreeWinController(); }
    // Every alpha the fades set, in hundredths, once the running fade is done.
    std::vector<int> stepsWhenDone() {
        for (int i = 0; i < 500 && fades().isFading(); ++i) QTest::qWait(10);
        EXPECT_FALSE(fades().isFading());
        std::vector<int> out;
        for (float a : fades().alphaSteps()) out.push_back(static_cast<int>(std::lround(a * 100)));
        return out;
    }
};

}  // namespace

TEST_F(FadeTest, OutThenInAroundADrag) {
    shell->getTreeWindow()->setWindowOpacity(0.5);
    NotificationCenter::defaultCenter().post("StartWipeOutNinjyaEffectMessage");
    EXPECT_EQ(stepsWhenDone(), (std::vector<int>{38, 26, 14, 2, 0}));
    EXPECT_FALSE(shell->getTreeWindow()->isVisible());  // at 0 it takes no drops

    NotificationCenter::defaultCenter().post("StartWipeInNinjyaEffectMessage");
    std::vector<int> in = stepsWhenDone();
    in.erase(in.begin(), in.begin() + 5);
    EXPECT_EQ(in, (std::vector<int>{12, 24, 36, 48, 60, 72, 84, 96, 100}));
    EXPECT_TRUE(shell->getTreeWindow()->isVisible());
}

TEST_F(FadeTest, ALowAlphaIsSetAtOnceAndANewerFadeCancelsTheDelay) {
    ProcessState::prefData()->cWindowAlphaValue = 0.1f;
    ProcessState::prefData()->cWindowDisplayDelay = 2.0f;
    NotificationCenter::defaultCenter().post("StartWipeInNinjyaEffectMessage");
    EXPECT_TRUE(fades().isFading());  // waiting for its delay
    NotificationCenter::defaultCenter().post("StartWipeOutNinjyaEffectMessage");  // a new drag
    stepsWhenDone();
    const std::size_t before = fades().alphaSteps().size();
    ProcessState::prefData()->cWindowDisplayDelay = 0;
    NotificationCenter::defaultCenter().post("StartWipeInNinjyaEffectMessage");
    std::vector<int> steps = stepsWhenDone();
    EXPECT_EQ(std::vector<int>(steps.begin() + static_cast<long>(before), steps.end()), std::vector<int>{10});
}
