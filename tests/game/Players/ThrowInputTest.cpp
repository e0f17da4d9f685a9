// The remote's throw on a scripted remote, one engine frame per retrace: tilt aims,
// the swing's pushes give power and spin, and every swing ends in a release.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "console/input/input_control.h"
#include "console/vi.h"
#include "orblib47/source/OrbLib.h"
#include "source/Players/ThrowInput.h"
#include "tests/support/GameFixture.h"

namespace {

class ThrowInputTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        EventWait(1);
    }
    // Frames count from the next frame; remote 0 connects and is held level.
    void Script(const std::string& lines) {
        std::string script = std::to_string(VIGetRetraceCount()) + " 0 connect\n";
        std::istringstream in(lines);
        for (u32 frame; in >> frame;) {
            std::string rest;
            std::getline(in, rest);
            script += std::to_string(VIGetRetraceCount() + frame) + rest + "\n";
        }
        std::string error;
        ASSERT_TRUE(HostInputSetScript(script, &error)) << error;
    }
    // Frames until the release (or `limit`); the shot as the input left it.
    s32 Throw(s32 limit = 400) {
        input.Begin(0, shot);
        for (s32 frame = 1; frame <= limit; ++frame) {
            EventWait(1);
            if (input.Update(player, &shot) == THROW_RELEASED)
                return frame;
        }
        return -1;
    }

    CPlayer player;
    ShotParameters shot;
    CThrowInput input;
};

TEST_F(ThrowInputTest, RollingTheRemoteAimsAndTheBallIsReleasedOnTheAimedBoard) {
    // The remote measures its roll roughly, so the aims are near the exact ones.
    const struct {
        f32 roll;  // from level, right positive
        f32 aim;
    } cases[] = {{0.0f, 0.5f}, {0.3f, 0.75f}, {-0.15f, 0.375f}, {0.9f, 1.0f}, {-1.2f, 0.0f}};
    for (const auto& c : cases) {
        std::ostringstream acc;
        acc << "0 0 acc " << std::sin(c.roll) << " " << std::cos(c.roll) << " 0\n";
        Script(acc.str());
        input.Begin(0, shot);
        EventWait(1);
        EXPECT_EQ(input.Update(player, &shot), THROW_AIMING);
        EXPECT_NEAR(shot.AimX, c.aim, 0.05f) << c.roll;
        EXPECT_EQ(shot.ReleaseX, shot.AimX);
    }
}

// A brisk swing gives about 0.7 of full power; a harder one more and a faster ball.
TEST_F(ThrowInputTest, AHarderSwingGivesMorePowerAndAFasterBall) {
    f32 lastPower = -1.0f;
    f32 lastSpeed = 0.0f;
    for (const char* peak : {"0", "1.0", "2.5", "3.2"}) {
        Script(std::string("2 0 button b down\n4 0 swing 12 ") + peak + "\n20 0 button b up\n");
        ASSERT_GT(Throw(), 0) << peak;
        const f32 speed = BuildAimedBall(shot, player).velocity.z;
        EXPECT_GT(shot.Power, lastPower) << peak;
        EXPECT_GT(speed, lastSpeed) << peak;
        EXPECT_EQ(input.PowerMeter(), shot.Power);
        lastPower = shot.Power;
        lastSpeed = speed;
        if (std::string(peak) == "2.5") {
            EXPECT_NEAR(shot.Power, 0.7f, 0.05f);
        }
    }
}

TEST_F(ThrowInputTest, SpinFollowsTheSidewaysPushOfTheSwing) {
    const struct {
        const char* accX;
        f32 sign;
    } cases[] = {{"0.6", 1.0f}, {"-0.6", -1.0f}, {"0", 0.0f}};
    for (const auto& c : cases) {
        Script(std::string("2 0 button b down\n4 0 swing 12 2.5\n8 0 acc ") + c.accX +
               " 1 0\n10 0 acc 0 1 0\n20 0 button b up\n");
        ASSERT_GT(Throw(), 0);
        EXPECT_EQ(shot.Spin > 0.0f ? 1.0f : shot.Spin < 0.0f ? -1.0f : 0.0f, c.sign) << c.accX;
        EXPECT_EQ(input.SpinMeter(), shot.Spin);
    }
}

// Every swing ends: held two seconds, the ball goes; a press alone bowls slowly.
TEST_F(ThrowInputTest, AHeldButtonReleasesAfterTwoSecondsAndAPressAloneStillThrows) {
    Script("2 0 button b down\n");
    const s32 frames = Throw();
    EXPECT_GE(frames, 2 + 120);
    EXPECT_LE(frames, 2 + 122);
    EXPECT_EQ(shot.Power, 0.0f);
    EXPECT_EQ(input.Phase(), THROW_RELEASED);
    player.m_Accuracy = 80;
    Script("1 0 button b up\n2 0 button b down\n3 0 button b up\n");
    EXPECT_EQ(Throw(), 4);
    EXPECT_EQ(shot.Power, 0.0f);
    EXPECT_FLOAT_EQ(shot.Accuracy, 0.8f);
}

}  // namespace
