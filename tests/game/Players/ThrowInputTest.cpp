// The remote's throw on a scripted remote, one engine frame per retrace.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "console/input/input_control.h"
#include "console/vi.h"
#include "orblib47/source/OrbLib.h"
#include "source/Players/Player.h"
#include "source/Players/ThrowInput.h"
#include "tests/support/GameFixture.h"

namespace {

constexpr f32 kUnitsPerMph = 4.4f;

class ThrowInputTest : public GameFixture {
protected:
    // Events of remote 0 (connected now), frames counted from now; the frames until
    // the release, -1 for none.
    s32 Throw(const std::string& events, s32 limit = 200) {
        const u32 now = VIGetRetraceCount();
        std::string script = std::to_string(now) + " 0 connect\n", line;
        for (std::istringstream in(events); std::getline(in, line);)
            script += std::to_string(now + std::stoi(line)) + " 0" + line.substr(line.find(' ')) + "\n";
        std::string error;
        EXPECT_TRUE(HostInputSetScript(script, &error)) << error;
        input.Begin(0, shot);
        for (s32 frame = 1; frame <= limit; ++frame) {
            EventWait(1);
            if (input.Update(player, &shot) == THROW_RELEASED)
                return frame;
        }
        return -1;
    }

    // The game's own player, as the game's cold reset has made it: a player of the
    // fixture's own would be built from the last test's database, before that reset.
    CPlayer& player = g_Players[0];
    ShotParameters shot;
    CThrowInput input;
};

TEST_F(ThrowInputTest, RollingTheRemoteAimsAndTheBallLeavesOnTheAimedBoard) {
    // Right positive; the remote measures its roll roughly.
    const f32 cases[][2] = {{0.0f, 0.5f}, {0.3f, 0.75f}, {-0.15f, 0.375f}, {0.9f, 1.0f}, {-1.2f, 0.0f}};
    for (const auto& [roll, aim] : cases) {
        std::ostringstream acc;
        acc << "0 acc " << std::sin(roll) << " " << std::cos(roll) << " 0";
        EXPECT_EQ(Throw(acc.str(), 2), -1);
        EXPECT_NEAR(shot.AimX, aim, 0.05f) << roll;
        EXPECT_EQ(shot.ReleaseX, shot.AimX);
    }
}

// A brisk 2.5 g swing gives about 0.7 of full power; a harder one a faster ball.
// Spin follows the sideways push; a press alone still throws, and a button held
// two seconds releases by itself.
TEST_F(ThrowInputTest, TheSwingGivesPowerAndSpin) {
    const struct {
        const char* peak;
        const char* sideways;
        f32 spinSign;
    } swings[] = {{"0", "0", 0.0f}, {"1.0", "-0.6", -1.0f}, {"2.5", "0.6", 1.0f}, {"3.2", "0", 0.0f}};
    f32 lastSpeed = 0.0f;
    for (const auto& s : swings) {
        ASSERT_GT(Throw(std::string("2 button b down\n4 swing 12 ") + s.peak + "\n8 acc " + s.sideways +
                        " 1 0\n10 acc 0 1 0\n20 button b up"),
                  0);
        const f32 speed = BuildAimedBall(shot, player).velocity.z;
        EXPECT_GT(speed, lastSpeed) << s.peak;
        EXPECT_EQ(shot.Spin > 0.0f ? 1.0f : shot.Spin < 0.0f ? -1.0f : 0.0f, s.spinSign) << s.peak;
        EXPECT_EQ(input.PowerMeter(), shot.Power);
        EXPECT_EQ(input.SpinMeter(), shot.Spin);
        lastSpeed = speed;
    }
    EXPECT_NEAR(Throw("2 button b down\n4 swing 12 2.5\n20 button b up"), 21, 1);
    EXPECT_NEAR(shot.Power, 0.7f, 0.05f);
    player.m_Accuracy = 80;
    EXPECT_NEAR(Throw("2 button b down"), 2 + 120, 2);
    EXPECT_EQ(shot.Power, 0.0f);
    EXPECT_FLOAT_EQ(shot.Accuracy, 0.8f);
}

// A press alone rolls a soft 12 mph ball and a full swing of 3.5 g the bowler's
// hardest, 21 mph with the weakest arm and 23 with the strongest; a swing in
// between in proportion, a harder one no faster.
TEST_F(ThrowInputTest, TheSwingsStrengthSetsTheBallsSpeed) {
    const struct {
        const char* peak;
        u8 arm;
        f32 mph;
    } swings[] = {
        {"0", 50, 12.0f}, {"1.75", 50, 17.0f}, {"3.5", 0, 21.0f}, {"3.5", 100, 23.0f}, {"5", 100, 23.0f}};
    for (const auto& s : swings) {
        player.m_ArmStrength = s.arm;
        ASSERT_GT(Throw(std::string("2 button b down\n4 swing 13 ") + s.peak + "\n20 button b up"), 0);
        const BallData_t ball = BuildAimedBall(shot, player);
        EXPECT_NEAR(std::hypot(ball.velocity.x, ball.velocity.z) / kUnitsPerMph, s.mph, 0.01f) << s.peak;
    }
}

// The cross key: a tap moves the aim one board, a key held past a quarter of a
// second gathers speed (about 9 boards in a second, the whole lane in 2), and the
// aim stops at the lane's edges. A still remote keeps the boards.
TEST_F(ThrowInputTest, TheCrossKeyMovesTheAimABoardAtATimeThenFaster) {
    const struct {
        const char* events;
        s32 frames;
        f32 boards;  // right of the middle
    } cases[] = {
        {"2 button right down\n3 button right up", 4, 1.0f},
        {"2 button left down\n3 button left up\n4 button left down\n5 button left up", 6, -2.0f},
        {"2 button right down\n17 button right up", 18, 1.0f},
        {"2 button right down\n62 button right up", 63, 9.0f},
        {"2 button left down", 90, -19.5f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Throw(c.events, c.frames), -1);
        EXPECT_NEAR((shot.AimX - 0.5f) * OIL_BOARDS, c.boards, 0.1f) << c.events;
    }
}

}  // namespace
