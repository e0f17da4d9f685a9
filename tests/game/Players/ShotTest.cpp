// Players' balls and shots: the bag's physics records, the released ball, and
// computer bowlers' shots rolled on the player's lane.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "orblib47/source/OrbRandom.h"
#include "source/Physics/LaneManager.h"
#include "source/Physics/Physics.h"
#include "tests/game/Career/CareerFixture.h"

namespace {

f32 Sign(f32 v) {
    return v > 0.0f ? 1.0f : v < 0.0f ? -1.0f : 0.0f;
}

class ShotTest : public CareerFixture {
protected:
    // The ball's x where a computer bowler's roll reaches the pins of a full rack.
    static f32 RollToThePins(const CPlayer& player) {
        SetupPins(PlayerLane, PIN_MASK_ALL, 0);
        Physics.m_state = LANE_STATE_RELEASE;
        Physics.ComputeShot(BuildReleasedBall(player.m_Shot, player), player.GetShotBallRecord(), 0);
        return PlayerLane.PhysBall.position.x;
    }
};

// Only balls go in the bag; only the career bowler buys the house ball.
TEST_F(ShotTest, TheBagHoldsBallsWithTheirPhysicsRecords) {
    for (CPlayer& player : g_Players)
        player.equipBowlerDefault();
    EXPECT_TRUE(career->ItemPurchased(testdb::HOUSE_BALL));
    EXPECT_EQ(career->GetEquipment()->Ball1, testdb::HOUSE_BALL);
    CPlayer& player = g_Players[1];
    player.equipBowler(FindDbItem(2), FindDbItem(testdb::MALE_SHIRT));
    player.equipBowler(nullptr, FindDbItem(3));
    for (s32 slot : {0, 1, 7}) {
        player.m_Shot.Ball = slot;
        const s32 item = slot == 1 ? 3 : 2;
        const s_DBBallInfo& i = BallInfosList[item];
        const BallRecord expected{i.m_Friction, i.m_RadiusOfGyration, i.m_Absorb, i.m_Flare, i.m_AbsorbRate};
        const BallRecord record = player.GetShotBallRecord();
        EXPECT_EQ(player.GetShotBall(), FindDbItem(item)) << slot;
        EXPECT_EQ(std::memcmp(&record, &expected, sizeof(BallRecord)), 0) << slot;
    }
}

// A stronger bowler throws faster and spins more.
TEST_F(ShotTest, TheReleasedBallFollowsTheShotAndTheBowler) {
    const struct {
        ShotParameters shot;  // power, accuracy, spin, release, aim
        f32 x, vxSign, vSpinSign;
    } cases[] = {
        {{0.5f, 1.0f, 0.0f, 0.5f, 0.5f, 0}, 0.5f * OIL_BOARDS * PHYS_BOARD_WIDTH, 0.0f, 0.0f},
        {{0.5f, 1.0f, -1.0f, 0.7f, 0.6f, 0}, 0.7f * OIL_BOARDS * PHYS_BOARD_WIDTH, -1.0f, 1.0f},
        {{0.5f, 1.0f, 0.5f, 0.0f, 0.0f, 0}, PHYS_BALL_RADIUS, -1.0f, -1.0f},  // inside the gutter
        {{9.0f, 1.0f, NAN, NAN, 1.5f, 0}, PHYS_BALL_RADIUS, 1.0f, 0.0f},
    };
    CPlayer weak, strong;
    weak.setStats(10, 10, 10, 50, 0);
    strong.setStats(90, 90, 90, 50, 0);
    for (const auto& c : cases) {
        const BallData_t ball = BuildReleasedBall(c.shot, weak);
        EXPECT_FLOAT_EQ(ball.position.x, c.x);
        EXPECT_EQ(Sign(ball.velocity.x), c.vxSign) << c.x;
        EXPECT_EQ(Sign(ball.VSpin.x), c.vSpinSign) << c.x;
        const f32 mph = std::hypot(ball.velocity.x, ball.velocity.z) / 4.4f;
        EXPECT_TRUE(mph >= 12.0f && mph <= 23.0f) << mph;
        const BallData_t stronger = BuildAimedBall(c.shot, strong);
        EXPECT_GE(stronger.velocity.z, ball.velocity.z);
        EXPECT_GE(std::fabs(stronger.VSpin.x), std::fabs(ball.VSpin.x));
    }
}

TEST_F(ShotTest, ComputerShotsStayOnTheLaneAndRepeatWithTheSeed) {
    CPlayer& player = g_Players[2];
    for (u8 stat : {0, 50, 100, 255}) {
        for (s32 hand : {0, 1}) {
            player.setStats(stat, stat, stat, stat, hand);
            for (u32 leave = 0; leave <= PIN_MASK_ALL; leave += 0x20) {
                player.calculateShot(PinMask(leave), 1);
                const ShotParameters& s = player.m_Shot;
                for (f32 v : {s.Power, s.Accuracy, s.ReleaseX, s.AimX, std::fabs(s.Spin)})
                    ASSERT_TRUE(v >= 0.0f && v <= 1.0f) << leave;
            }
        }
    }
    OrbSRand(5);
    player.calculateShot(0x0380, 1);
    const ShotParameters first = player.m_Shot;
    OrbSRand(5);
    player.calculateShot(0x0380, 1);
    EXPECT_EQ(std::memcmp(&first, &player.m_Shot, sizeof(first)), 0);
}

// A good computer bowler with a strongly hooking ball finds the pocket on its
// hand's side more often than not; a spare shot goes at the pins left standing.
TEST_F(ShotTest, ComputerBowlersHitThePocketAndGoAtTheirSpares) {
    BallInfosList[4].m_Friction = 0.3;
    BallInfosList[4].m_RadiusOfGyration = 0.65;
    CPlayer& player = g_Players[1];
    player.bIsHumanPlayer = 0;
    player.equipBowler(FindDbItem(4), nullptr);
    for (s32 hand : {0, 1}) {
        player.setStats(80, 90, 80, 50, hand);
        s32 hits = 0;
        for (u32 seed = 1; seed <= 8; ++seed) {
            OrbSRand(seed);
            player.calculateShot(PIN_MASK_ALL, 0);
            hits += std::fabs(RollToThePins(player) - (hand == 0 ? 6.0f : 4.5f)) < 0.3f;
        }
        EXPECT_GE(hits, 5) << "hand " << hand;
    }
    for (s32 pin : {6, 9}) {  // the 7 and the 10, at 0.75 and 9.75
        player.calculateShot(PinBit(pin), 1);
        EXPECT_LT(std::fabs(RollToThePins(player) - (pin == 6 ? 0.75f : 9.75f)), 1.5f) << pin;
    }
}

}  // namespace
