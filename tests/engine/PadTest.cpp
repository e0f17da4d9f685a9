// The pads on scripted remotes, one engine frame per retrace: edges,
// auto-repeat, a lost remote, the shift view, rumble programs and the quit test.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "console/input/input_control.h"
#include "console/vi.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "tests/support/EngineFixture.h"

namespace {

class PadTest : public EngineFixture {
protected:
    // One frame first, so that every frame of a test lasts one retrace.
    void SetUp() override {
        EngineFixture::SetUp();
        EventWait(1);
    }
    // The passes (0 first) on which pad 0's brepeat held the mask.
    std::vector<int> RepeatPasses(int passes, u32 mask) {
        std::vector<int> seen;
        for (int pass = 0; pass < passes; ++pass) {
            EventWait(1);
            if ((Pad[0].brepeat & mask) != 0)
                seen.push_back(pass);
        }
        return seen;
    }
    size_t MotorCalls() const { return HostMotorLog().size(); }
    bool MotorOn() const { return HostMotorLog().back().on; }
};

TEST_F(PadTest, HeldButtonsRepeatAfterAThirdOfASecondThenEveryTwentiethOfASecondAndASecondButtonRestarts) {
    ScriptFromNow("0 0 connect\n0 0 button a down\n30 0 button b down\n");
    // 1/3 s is 20 frames, 0.05 s is 3.
    EXPECT_EQ(RepeatPasses(30, PAD_A), (std::vector<int>{0, 20, 23, 26, 29}));
    EXPECT_EQ(RepeatPasses(30, PAD_A | PAD_B), (std::vector<int>{0, 20, 23, 26, 29}));
    EXPECT_EQ(Pad[0].bdown, PAD_A | PAD_B);
    EXPECT_EQ(PadAny.bdown, PAD_A | PAD_B);
    EXPECT_EQ(PadAny.status, 0u);
}

// Each pass reports a press in bnew only and a release in breleased only, also
// when one button goes down on the pass another goes up.
TEST_F(PadTest, PressesAndReleasesShowOnTheirOwnPassInTheirOwnWord) {
    ScriptFromNow(
        "0 0 connect\n0 0 button a down\n1 0 button b down\n2 0 button a up\n2 0 button 1 down\n"
        "4 0 button b up\n");
    struct Pass {
        u32 bnew;
        u32 breleased;
    };
    const Pass passes[] = {{PAD_A, 0}, {PAD_B, 0}, {PAD_1, PAD_A}, {0, 0}, {0, PAD_B}};
    for (size_t pass = 0; pass < std::size(passes); ++pass) {
        EventWait(1);
        EXPECT_EQ(Pad[0].bnew, passes[pass].bnew) << pass;
        EXPECT_EQ(Pad[0].breleased, passes[pass].breleased) << pass;
        EXPECT_EQ(PadAny.breleased, passes[pass].breleased) << pass;
    }
}

TEST_F(PadTest, ALostRemoteReleasesWhatItHeldAndItsReturnShowsItAsNew) {
    ScriptFromNow("0 0 connect\n0 0 button b down\n2 0 disconnect\n4 0 connect\n");
    EventWait(2);
    ASSERT_EQ(Pad[0].bdown, PAD_B);
    EventWait(1);
    EXPECT_EQ(Pad[0].status, 0u);
    EXPECT_EQ(Pad[0].bdown, 0u);
    EXPECT_EQ(Pad[0].breleased, PAD_B);
    EXPECT_EQ(PadAny.breleased, PAD_B);
    EventWait(1);
    EXPECT_EQ(Pad[0].breleased, 0u) << "released once";
    EventWait(1);
    EXPECT_EQ(Pad[0].status, 1u);
    EXPECT_EQ(Pad[0].bnew, PAD_B);
}

TEST_F(PadTest, ASecondReadInOneRetraceSeesNoNewPress) {
    ScriptFromNow("0 1 connect\n0 1 button a down\n");
    PadRead();
    EXPECT_EQ(Pad[1].bnew, PAD_A);
    EXPECT_EQ(PadSystemActivated(), 1);
    PadRead();
    EXPECT_EQ(Pad[1].bnew, 0u);
    EXPECT_EQ(Pad[1].bdown, PAD_A);
}

TEST_F(PadTest, MinusShowsPadZeroInTheShiftView) {
    ScriptFromNow("0 0 connect\n0 0 button minus down\n1 0 button 2 down\n2 0 button minus up\n");
    EventWait(2);
    EXPECT_EQ(Pad[0].shift.bnew, PAD_2);
    EventWait(1);
    EXPECT_EQ(Pad[0].shift.bdown, PAD_MINUS | PAD_2) << "kept while minus is up";
}

TEST_F(PadTest, RumbleProgramsGoByPriorityAndEndByThemselves) {
    ScriptFromNow("0 0 connect\n");
    EventWait(1);
    s_vibe_prog strong{5, 1, 0, 0.0f, 0.09f};
    s_vibe_prog weak{3, 1, 0, 0.0f, 1.0f};
    PadVibeOn(0, &strong);
    ASSERT_EQ(MotorCalls(), 1u);
    PadVibeOn(0, &weak);
    PadVibeOn(-1, &strong);
    PadVibeOn(4, &strong);
    EXPECT_EQ(MotorCalls(), 1u) << "lower priority and bad pads are ignored";
    EventWait(5);
    EXPECT_TRUE(MotorOn());
    EventWait(1);
    EXPECT_FALSE(MotorOn()) << "0.09 s later";
    EXPECT_EQ(Pad[0].vibe.progAddr, nullptr);

    s_vibe_prog pulse{3, 1, 0, 0.04f, 0.0f};
    PadVibeOn(0, &pulse);
    const u32 start = HostMotorLog().back().retrace;
    EventWait(7);
    ASSERT_EQ(MotorCalls(), 5u);
    EXPECT_EQ(HostMotorLog()[3].retrace - start, 2u) << "the third pass";
    EXPECT_FALSE(HostMotorLog()[3].on);
    EXPECT_TRUE(HostMotorLog()[4].on);
    PadVibeOn(0, &weak);
    EXPECT_EQ(Pad[0].vibe.progAddr, &weak) << "equal priority replaces";
    PadVibeClearAll();
    EXPECT_FALSE(MotorOn());
    EXPECT_EQ(Pad[0].vibe.priority, 0);
}

TEST_F(PadTest, FullDeflectionGivesAUnitAxis) {
    Pad[2].analog[4] = 128;
    s_Vector3 vec;
    s_Vector3 dir;
    EXPECT_FLOAT_EQ(PadAnalogToVectorXZ(2, 4, &vec, &dir), 1.0f);
    EXPECT_FLOAT_EQ(vec.x, 1.0f);
    EXPECT_FLOAT_EQ(vec.z, 0.0f);
}

using PadQuitDeathTest = EngineDeathFixture;

// A fresh process, as the frame step's quit test says why.
TEST_F(PadQuitDeathTest, SlotTwentyFourAloneOnPadZeroQuits) {
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Pad[0].bnew = 0x01000001;
    EventWait(0);
    Pad[0].bnew = 0x01000000;
    EXPECT_EXIT(EventWait(0), ::testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, style);
}

}  // namespace
