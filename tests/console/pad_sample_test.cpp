// The remotes' samples: edges, errors, the pointer, the accelerometer and the motor.
#include <gtest/gtest.h>

#include "console/input/input_control.h"
#include "console/kpad.h"
#include "console/vi.h"
#include "console/wpad.h"
#include "tests/console/support.h"

namespace {

class RemoteSampleTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        VIInit();
        KPADInit();
    }
    void Script(const char* text) {
        std::string error;
        ASSERT_TRUE(HostInputSetScript(text, &error)) << error;
    }
    KPADStatus Next(s32 chan = 0) {
        VIWaitForRetrace();
        KPADStatus sample{};
        EXPECT_EQ(KPADRead(chan, &sample, 1), 1);
        return sample;
    }
};

TEST_F(RemoteSampleTest, ButtonsGiveOneEdgeEachAndAReadTakesOnlyNewSamples) {
    Script("0 0 connect\n2 0 button b down\n3 0 button 1 down\n4 0 button b up\n");
    KPADStatus sample = Next();
    EXPECT_EQ(sample.hold, 0u);
    sample = Next();
    EXPECT_EQ(sample.trig, WPAD_BUTTON_B);
    EXPECT_EQ(KPADRead(0, &sample, 1), 0) << "a second read in one retrace";
    sample = Next();
    EXPECT_EQ(sample.hold, WPAD_BUTTON_B | WPAD_BUTTON_1);
    EXPECT_EQ(sample.trig, WPAD_BUTTON_1);
    sample = Next();
    EXPECT_EQ(sample.release, WPAD_BUTTON_B);
    EXPECT_EQ(sample.trig, 0u);
}

TEST_F(RemoteSampleTest, ProbeAndSampleReportConnectionNunchukAndScriptedFaults) {
    Script("0 1 connect\n0 1 nunchuk on\n0 1 button c down\n2 1 probe -2\n2 1 error -7\n3 1 disconnect\n");
    u32 type = 0;
    KPADStatus sample = Next(1);
    EXPECT_EQ(WPADProbe(1, &type), WPAD_ERR_NONE);
    EXPECT_EQ(type, WPAD_DEV_FREESTYLE);
    EXPECT_EQ(sample.hold, WPAD_BUTTON_C);
    EXPECT_EQ(WPADProbe(0, &type), WPAD_ERR_NO_CONTROLLER);
    EXPECT_EQ(type, WPAD_DEV_NOT_FOUND);
    EXPECT_EQ(WPADProbe(7, &type), WPAD_ERR_NO_CONTROLLER);
    sample = Next(1);
    EXPECT_EQ(WPADProbe(1, &type), WPAD_ERR_BUSY);
    EXPECT_EQ(sample.wpad_err, WPAD_ERR_CORRUPTED);
    sample = Next(1);
    EXPECT_EQ(WPADProbe(1, &type), WPAD_ERR_NO_CONTROLLER);
    EXPECT_EQ(sample.wpad_err, WPAD_ERR_NO_CONTROLLER);
    EXPECT_EQ(sample.release, WPAD_BUTTON_C);
}

TEST_F(RemoteSampleTest, PointerMovesWhileOnAndPointingAndOnlyThen) {
    Script("0 0 connect\n0 0 pointer 0.5 -0.5\n2 0 pointer 0.75 -0.25\n3 0 pointer off\n");
    KPADStatus sample = Next();
    EXPECT_EQ(sample.dpd_valid_fg, 2);
    EXPECT_FLOAT_EQ(sample.vec.x, 0.0f) << "no motion without a previous position";
    sample = Next();
    EXPECT_FLOAT_EQ(sample.vec.x, 0.25f);
    EXPECT_FLOAT_EQ(sample.vec.y, 0.25f);
    sample = Next();
    EXPECT_EQ(sample.dpd_valid_fg, 0);
    EXPECT_FLOAT_EQ(sample.pos.x, 0.75f) << "the last position stays";
    Script("0 0 connect\n0 0 pointer 0 0\n");
    KPADDisableDPD(0);
    EXPECT_EQ(Next().dpd_valid_fg, 0);
}

TEST_F(RemoteSampleTest, ASwingIsAHalfSineOfForwardAccelerationPerRetrace) {
    Script("0 0 connect\n2 0 swing 3 2\n");
    for (int i = 0; i < 5; ++i)
        VIWaitForRetrace();
    KPADStatus samples[10];
    ASSERT_EQ(KPADRead(0, samples, 10), 6);
    const float expected[6] = {0.0f, 0.0f, 1.0f, 2.0f, 1.0f, 0.0f};  // retraces 0..5
    for (int retrace = 0; retrace < 6; ++retrace) {
        const KPADStatus& sample = samples[5 - retrace];
        EXPECT_NEAR(sample.acc.z, expected[retrace], 1e-6) << retrace;
        EXPECT_FLOAT_EQ(sample.acc.y, 1.0f);
        EXPECT_FLOAT_EQ(sample.acc_vertical.y, sample.acc.z);
    }
}

TEST_F(RemoteSampleTest, AccelerometerKeepsInsideThePlayRadiusAndFollowsBySensitivity) {
    Script("0 0 connect\n1 0 acc 0 1 0.05\n2 0 acc 0 1 1.05\n");
    KPADSetAccParam(0, 0.1f, 0.5f);
    EXPECT_FLOAT_EQ(Next().acc.z, 0.0f);
    EXPECT_FLOAT_EQ(Next().acc.z, 0.525f);
}

TEST_F(RemoteSampleTest, MotorLogStampsEachCallWithItsRetrace) {
    WPADControlMotor(0, WPAD_MOTOR_RUMBLE);
    VIWaitForRetrace();
    WPADControlMotor(0, WPAD_MOTOR_STOP);
    WPADControlMotor(4, WPAD_MOTOR_RUMBLE);
    ASSERT_EQ(HostMotorLog().size(), 2u);
    EXPECT_EQ(HostMotorLog()[0].retrace, 0u);
    EXPECT_TRUE(HostMotorLog()[0].on);
    EXPECT_EQ(HostMotorLog()[1].retrace, 1u);
    EXPECT_FALSE(HostMotorLog()[1].on);
    KPADInit();
    EXPECT_TRUE(HostMotorLog().empty());
}

}  // namespace
