// Players' balls and shots: the bag and its physics records, the released ball from
// a shot, and the computer bowler's shots bowled on the player's lane.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "orblib47/source/OrbRandom.h"
#include "source/Physics/LaneManager.h"
#include "source/Physics/Physics.h"
#include "source/Players/Player.h"
#include "tests/game/Career/CareerFixture.h"

namespace {

constexpr f32 kLaneWidth = OIL_BOARDS * PHYS_BOARD_WIDTH;

class ShotTest : public CareerFixture {
protected:
    // The ball's x where the roll reaches the pins, bowled on a full rack.
    f32 RollToThePins(const CPlayer& player) {
        SetupPins(PlayerLane, PIN_MASK_ALL, 0);
        Physics.m_state = LANE_STATE_RELEASE;
        Physics.ComputeShot(BuildReleasedBall(player.m_Shot, player), player.GetShotBallRecord(), 0);
        return PlayerLane.PhysBall.position.x;
    }
};

TEST_F(ShotTest, TheBagKeepsBallsAndGivesTheirPhysicsRecords) {
    CPlayer& player = g_Players[1];
    player.equipBowler(FindDbItem(2), FindDbItem(testdb::MALE_SHIRT));
    EXPECT_EQ(player.m_Balls[1], nullptr) << "not a ball";
    player.equipBowler(nullptr, FindDbItem(3));
    EXPECT_EQ(player.m_Balls[0], FindDbItem(2)) << "null keeps";
    for (s32 slot : {0, 1}) {
        player.m_Shot.Ball = slot;
        const s_DBBallInfo& info = BallInfosList[player.GetShotBall()->m_Index];
        const BallRecord record = player.GetShotBallRecord();
        EXPECT_EQ(player.GetShotBall(), FindDbItem(2 + slot));
        EXPECT_EQ(record.ball_mu, info.m_Friction);
        EXPECT_EQ(record.ball_rg, info.m_RadiusOfGyration);
        EXPECT_EQ(record.ball_absorb, info.m_Absorb);
        EXPECT_EQ(record.ball_flare, info.m_Flare);
        EXPECT_EQ(record.ball_absorb_rate, info.m_AbsorbRate);
    }
    player.m_Shot.Ball = 7;
    EXPECT_EQ(player.GetShotBall(), FindDbItem(2)) << "a bad slot bowls the first ball";
}

// Only the career bowler's house ball is bought and worn for the career.
TEST_F(ShotTest, DefaultEquipmentIsTheHouseBallAndTheCareerBowlerBuysIt) {
    for (CPlayer& player : g_Players)
        player.equipBowlerDefault();
    for (const CPlayer& player : g_Players)
        EXPECT_EQ(player.m_Balls[0], FindDbItem(testdb::HOUSE_BALL));
    EXPECT_TRUE(career->ItemPurchased(testdb::HOUSE_BALL));
    EXPECT_EQ(career->GetEquipment()->Ball1, testdb::HOUSE_BALL);
    EXPECT_EQ(career->GetEquipment()->Ball2, -1);
}

TEST_F(ShotTest, NamesAreCutToFitAndStatsAreKeptAsGiven) {
    CPlayer player;
    player.SetName("A very long bowler name indeed");
    EXPECT_STREQ(player.GetName(), "A very long bow");
    player.SetName(nullptr);
    EXPECT_STREQ(player.GetName(), "");
    player.setStats(10, 20, 30, 40, 1);
    EXPECT_EQ(player.m_HookControl, 30);
    EXPECT_EQ(player.m_Hand, 1);
}

TEST_F(ShotTest, TheReleasedBallFollowsTheShot) {
    CPlayer player;
    const struct {
        ShotParameters shot;
        f32 x, vxSign, vSpinSign;
    } cases[] = {
        {{0.5f, 1.0f, 0.0f, 0.5f, 0.5f, 0}, kLaneWidth / 2, 0.0f, 0.0f},
        {{0.5f, 1.0f, -1.0f, 0.7f, 0.6f, 0}, 0.7f * kLaneWidth, -1.0f, 1.0f},  // hooks left
        {{0.5f, 1.0f, 0.5f, 0.2f, 0.4f, 0}, 0.2f * kLaneWidth, 1.0f, -1.0f},
        {{0.5f, 1.0f, 0.0f, 0.0f, 0.0f, 0}, PHYS_BALL_RADIUS, -1.0f, 0.0f},  // inside the gutter
        {{0.5f, 1.0f, 0.0f, NAN, 1.5f, 0}, PHYS_BALL_RADIUS, 1.0f, 0.0f},
    };
    for (const auto& c : cases) {
        const BallData_t ball = BuildReleasedBall(c.shot, player);
        EXPECT_FLOAT_EQ(ball.position.x, c.x);
        EXPECT_EQ(ball.velocity.x > 0 ? 1.0f : ball.velocity.x < 0 ? -1.0f : 0.0f, c.vxSign) << c.x;
        EXPECT_EQ(ball.VSpin.x > 0 ? 1.0f : ball.VSpin.x < 0 ? -1.0f : 0.0f, c.vSpinSign) << c.x;
        const f32 speed = std::hypot(ball.velocity.x, ball.velocity.z);
        EXPECT_GE(speed, 75.0f);
        EXPECT_LE(speed, 95.0f);
    }
    player.m_PlayerConstruction.m_CharacterAttributes.gender = 1;
    EXPECT_LT(BuildAimedBall({}, player).mass, BuildAimedBall({}, CPlayer{}).mass);
}

// A stronger arm throws faster, a better hook spins more, a worse aim strays
// further: and the same seed strays the same way.
TEST_F(ShotTest, StatisticsShapeTheBall) {
    CPlayer weak, strong;
    weak.setStats(10, 10, 10, 50, 0);
    strong.setStats(90, 90, 90, 50, 0);
    const ShotParameters shot{1.0f, 0.2f, 1.0f, 0.5f, 0.5f, 0};
    EXPECT_GT(BuildAimedBall(shot, strong).velocity.z, BuildAimedBall(shot, weak).velocity.z);
    EXPECT_LT(BuildAimedBall(shot, strong).VSpin.x, BuildAimedBall(shot, weak).VSpin.x);
    f32 strayCareless = 0.0f, strayCareful = 0.0f;
    for (u32 seed = 1; seed <= 20; ++seed) {
        ShotParameters careful = shot;
        careful.Accuracy = 0.9f;
        OrbSRand(seed);
        const f32 a = BuildReleasedBall(shot, weak).velocity.x;
        OrbSRand(seed);
        EXPECT_EQ(BuildReleasedBall(shot, weak).velocity.x, a);
        OrbSRand(seed);
        strayCareful += std::fabs(BuildReleasedBall(careful, weak).velocity.x);
        strayCareless += std::fabs(a);
    }
    EXPECT_GT(strayCareless, 4.0f * strayCareful);
}

TEST_F(ShotTest, ComputerShotsStayOnTheLaneForEveryLeave) {
    CPlayer& player = g_Players[2];
    for (u8 stat : {0, 50, 100, 255}) {
        for (s32 hand : {0, 1}) {
            player.setStats(stat, stat, stat, stat, hand);
            for (u32 leave = 0; leave <= PIN_MASK_ALL; leave += 0x20) {
                player.calculateShot(PinMask(leave), 1);
                const ShotParameters& s = player.m_Shot;
                for (f32 v : {s.Power, s.Accuracy, s.ReleaseX, s.AimX})
                    ASSERT_TRUE(v >= 0.0f && v <= 1.0f) << leave;
                ASSERT_TRUE(s.Spin >= -1.0f && s.Spin <= 1.0f) << leave;
            }
        }
    }
}

// A good computer bowler with a strongly hooking ball finds the pocket on its hand's
// side more often than not; a spare shot goes at the pins left standing.
TEST_F(ShotTest, ComputerBowlersHitThePocketAndGoAtTheirSpares) {
    BallInfosList[4].m_Friction = 0.3;
    BallInfosList[4].m_RadiusOfGyration = 0.65;
    for (s32 hand : {0, 1}) {
        CPlayer& player = g_Players[1];
        player.setStats(80, 90, 80, 50, hand);
        player.equipBowler(FindDbItem(4), nullptr);
        const f32 pocket = hand == 0 ? 6.0f : 4.5f;
        s32 hits = 0;
        for (u32 seed = 1; seed <= 8; ++seed) {
            OrbSRand(seed);
            player.calculateShot(PIN_MASK_ALL, 0);
            hits += std::fabs(RollToThePins(player) - pocket) < 0.3f;
        }
        EXPECT_GE(hits, 5) << "hand " << hand;
    }
    for (s32 pin : {6, 9}) {  // the 7 and the 10
        g_Players[1].calculateShot(PinBit(pin), 1);
        const f32 x = RollToThePins(g_Players[1]);
        EXPECT_LT(std::fabs(x - (5.25f + (pin == 6 ? -4.5f : 4.5f))), 1.5f) << pin;
    }
}

TEST_F(ShotTest, TheSameSeedGivesTheSameComputerShot) {
    g_Players[3].setStats(60, 40, 70, 50, 0);
    OrbSRand(5);
    g_Players[3].calculateShot(0x0380, 1);
    const ShotParameters first = g_Players[3].m_Shot;
    OrbSRand(5);
    g_Players[3].calculateShot(0x0380, 1);
    EXPECT_EQ(std::memcmp(&first, &g_Players[3].m_Shot, sizeof(first)), 0);
}

TEST_F(ShotTest, WithoutAModelTheBallIsHeldAtTheSideOfTheBowlersHand) {
    CPlayer player;
    s_Matrix4 right, left;
    player.getPlayerBallTransform(&right);
    player.m_PlayerConstruction.m_CharacterAttributes.hand = 1;
    player.getPlayerBallTransform(&left);
    EXPECT_LT(right.at(0, 3), 0.0f);
    EXPECT_EQ(left.at(0, 3), -right.at(0, 3));
    EXPECT_GT(right.at(1, 3), 0.0f);
}

}  // namespace
