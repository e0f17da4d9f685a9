#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "orblib47/source/OrbRandom.h"
#include "source/Physics/Physics.h"
#include "source/Physics/PhysicsWorld.h"
#include "tests/game/Physics/WorldTestLane.h"
#include "tests/support/GameFixture.h"

namespace {

struct Spot {
    f64 x, z;
};

Spot RackSpot(s32 pin) {
    static const s32 column[NUM_PINS] = {0, -1, 1, -2, 0, 2, -3, -1, 1, 3};
    static const s32 row[NUM_PINS] = {0, 1, 1, 2, 2, 2, 3, 3, 3, 3};
    return {5.25 + 1.5 * column[pin], 180.0 + 2.598075 * row[pin]};
}

f64 Length(const s_Vector3& v) {
    return std::sqrt(f64(v.x) * v.x + f64(v.y) * v.y + f64(v.z) * v.z);
}

bool SameVector(const s_Vector3& a, const s_Vector3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

void ExpectPoseOf(const RefFrame_t& pose, const s_Vector3& position, const Orientation_t& o) {
    EXPECT_TRUE(SameVector(pose.position, position));
    EXPECT_TRUE(SameVector(pose.O.up, o.up));
    EXPECT_TRUE(SameVector(pose.O.right, o.right));
}

BallData_t StraightBall(f32 x, f32 speed) {
    BallData_t ball{};
    ball.position = {x, 0.0f, 0.0f, 0.0f};
    ball.velocity = {0.0f, 0.0f, speed, 0.0f};
    ball.mass = 14;
    return ball;
}

// ---------------------------------------------------------------- racking

using PhysicsWorldRack = GameFixture;

TEST_F(PhysicsWorldRack, FullRackStandsEveryPinAndRecordsThemInFrameZero) {
    auto lane = MakeLane(LaneKind::Player);
    OrbSRand(77);
    SetupPins(*lane, PIN_MASK_ALL, 1);

    EXPECT_EQ(lane->NumPhysFrames, 1);
    EXPECT_EQ(lane->PhysPinsMask[0], PIN_MASK_ALL);
    EXPECT_EQ(lane->PhysDataIndex[0], 0);
    EXPECT_EQ(lane->OutputFramesUsed, NUM_PINS);
    EXPECT_EQ(lane->OutputFramesUsedSave, NUM_PINS);
    EXPECT_EQ(GetPhysicsResult(*lane), PIN_MASK_ALL);
    EXPECT_EQ(lane->PhysicsDone, 0);
    EXPECT_EQ(lane->PhysBall.visible, 0);
    for (s32 i = 0; i < NUM_PINS; ++i) {
        const PinData& pin = lane->PhysPins[i];
        EXPECT_EQ(pin.state, UntouchedPin);
        EXPECT_EQ(pin.position.y, -1.5f);
        EXPECT_TRUE(SameVector(pin.O.up, {0.0f, -1.0f, 0.0f, 0.0f}));
        EXPECT_EQ(pin.O.right.y, 0.0f);
        EXPECT_NEAR(Length(pin.O.right), 1.0, 1e-6);
        EXPECT_EQ(pin.collisionSpheres[0].y, -0.5625f);
        EXPECT_EQ(pin.collisionSpheres[1].y, -3.3125f);
        EXPECT_EQ(pin.collisionSpheres[2].y, -2.5f);
        for (const s_Vector3& sphere : pin.collisionSpheres) {
            EXPECT_EQ(sphere.x, pin.position.x);
            EXPECT_EQ(sphere.z, pin.position.z);
        }
        ExpectPoseOf(lane->PhysOrientFrame[i], pin.position, pin.O);
    }
}

TEST_F(PhysicsWorldRack, PlayerLaneJittersWithinFiveHundredthsAndComputerLaneStandsOnTheSpots) {
    auto player = MakeLane(LaneKind::Player);
    auto computer = MakeLane(LaneKind::Computer);
    for (u32 seed : {1u, 99u}) {
        OrbSRand(seed);
        SetupPins(*player, PIN_MASK_ALL, 1);
        SetupPins(*computer, PIN_MASK_ALL, 1);
        bool anyJitter = false;
        for (s32 i = 0; i < NUM_PINS; ++i) {
            const Spot spot = RackSpot(i);
            anyJitter |= player->PhysPins[i].position.x != f32(spot.x);
            EXPECT_LE(std::fabs(player->PhysPins[i].position.x - spot.x), 0.05 + 1e-5);
            EXPECT_LE(std::fabs(player->PhysPins[i].position.z - spot.z), 0.05 + 1e-5);
            EXPECT_FLOAT_EQ(computer->PhysPins[i].position.x, f32(spot.x));
            EXPECT_FLOAT_EQ(computer->PhysPins[i].position.z, f32(spot.z));
        }
        EXPECT_TRUE(anyJitter);
    }
}

TEST_F(PhysicsWorldRack, EmptyRackParksEveryPinAndRecordsNoPose) {
    auto player = MakeLane(LaneKind::Player);
    auto computer = MakeLane(LaneKind::Computer);
    SetupPins(*player, 0, 1);
    SetupPins(*computer, 0, 1);
    for (const LaneContext* lane : {player.get(), computer.get()}) {
        EXPECT_EQ(lane->NumPhysFrames, 1);
        EXPECT_EQ(lane->PhysPinsMask[0], 0);
        EXPECT_EQ(lane->OutputFramesUsed, 0);
        for (const PinData& pin : lane->PhysPins) {
            EXPECT_EQ(pin.state, InactivePin);
            EXPECT_EQ(pin.position.x, 5.25f);
            EXPECT_EQ(pin.position.y, 4.25f);
        }
    }
    EXPECT_EQ(GetPhysicsResult(*player), 0);
    EXPECT_EQ(player->PhysPins[0].position.z, 194.546875f);
    EXPECT_EQ(computer->PhysPins[0].position.z, 189.046875f);
}

TEST_F(PhysicsWorldRack, TurnsWithoutRandomness) {
    auto lane = MakeLane(LaneKind::Player);
    OrbSRand(5);
    SetupPins(*lane, PIN_MASK_ALL, 1);
    s_Vector3 turned[NUM_PINS];
    for (s32 i = 0; i < NUM_PINS; ++i)
        turned[i] = lane->PhysPins[i].O.right;

    // A partial re-rack keeps each pin's turn.
    const PinMask leave = PinBit(4) | PinBit(9);
    SetupPins(*lane, leave, 0);
    EXPECT_TRUE(SameVector(lane->PhysPins[4].O.right, turned[4]));
    EXPECT_TRUE(SameVector(lane->PhysPins[9].O.right, turned[9]));
    EXPECT_EQ(lane->PhysPinsMask[0], leave);
    EXPECT_EQ(lane->PhysPins[0].state, InactivePin);

    // A full rack without randomness faces every pin the same way.
    SetupPins(*lane, PIN_MASK_ALL, 0);
    for (const PinData& pin : lane->PhysPins)
        EXPECT_TRUE(SameVector(pin.O.right, {-1.0f, 0.0f, 0.0f, 0.0f}));
}

TEST_F(PhysicsWorldRack, RerackedRockingPinIsLevelledToUnitLength) {
    auto lane = MakeLane(LaneKind::Player);
    SetupPins(*lane, PIN_MASK_ALL, 0);
    lane->PhysPins[4].O.right = {0.6f, 0.48f, -0.64f, 0.0f};  // tilted by its rocking
    lane->PhysPins[5].O.right = {0.0f, 1.0f, 0.0f, 0.0f};     // nothing left once levelled
    lane->PhysPins[6].O.right = {};                           // never turned

    SetupPins(*lane, PinBit(4) | PinBit(5) | PinBit(6), 0);
    const s_Vector3& r4 = lane->PhysPins[4].O.right;
    EXPECT_EQ(r4.y, 0.0f);
    EXPECT_NEAR(Length(r4), 1.0, 1e-6);
    EXPECT_NEAR(r4.x, 0.6 / std::sqrt(0.6 * 0.6 + 0.64 * 0.64), 1e-6);
    EXPECT_LT(r4.z, 0.0f);
    EXPECT_TRUE(SameVector(lane->PhysPins[5].O.right, {-1.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_TRUE(SameVector(lane->PhysPins[6].O.right, {-1.0f, 0.0f, 0.0f, 0.0f}));
}

TEST_F(PhysicsWorldRack, ResetsTheThrowOnBothLaneKindsButOnlyThePlayerLaneForgetsTheResult) {
    auto player = MakeLane(LaneKind::Player);
    auto computer = MakeLane(LaneKind::Computer);
    for (LaneContext* lane : {player.get(), computer.get()}) {
        lane->iPhysicsResult = PinBit(3);
        lane->PhysicsDone = 1;
        lane->FramePinActionComplete = 400;
        lane->FramePinsetterStarts = 900;
        lane->FrameSweepStarts = 1000;
        lane->FramePinStartWobble[2] = 300;
        lane->FramePinActivates[2] = 310;
        lane->PhysBall.visible = 1;
        SetupPins(*lane, PIN_MASK_ALL, 0);
        EXPECT_EQ(lane->PhysicsDone, 0);
        EXPECT_EQ(lane->FramePinStartWobble[2], 0);
        EXPECT_EQ(lane->FramePinActivates[2], 0);
        EXPECT_EQ(lane->PhysBall.visible, 0);
        EXPECT_EQ(lane->PinsToOutput, PIN_MASK_ALL);
    }
    EXPECT_EQ(GetPhysicsResult(*player), PIN_MASK_ALL);
    EXPECT_EQ(player->FramePinActionComplete, 400);
    EXPECT_EQ(computer->iPhysicsResult, PinBit(3));
    EXPECT_EQ(computer->FramePinActionComplete, 0);
    EXPECT_EQ(computer->FramePinsetterStarts, 0);
    EXPECT_EQ(computer->FrameSweepStarts, 0);
}

// ---------------------------------------------------------------- film

using PhysicsWorldFilm = GameFixture;

TEST_F(PhysicsWorldFilm, FrameOfTwoPinsAndTheBallHoldsThemInOrder) {
    auto lane = MakeLane(LaneKind::Player);
    SetupPins(*lane, PIN_MASK_ALL, 0);
    lane->PhysBall.visible = 1;
    lane->PhysBall.position = {5.0f, -1.06875f, 178.0f, 0.0f};
    lane->PhysBall.O = {{0.0f, -1.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f, 0.0f}};
    lane->PhysPins[2].state = WobblePin;
    lane->PhysPins[7].state = ActivePin;
    lane->PinsToOutput = PinBit(2) | PinBit(7);

    OutputFrame(*lane);
    EXPECT_EQ(lane->NumPhysFrames, 2);
    EXPECT_EQ(lane->PhysPinsMask[1], 0x1090);
    EXPECT_EQ(lane->PhysDataIndex[1], NUM_PINS);
    EXPECT_EQ(lane->OutputFramesUsed, NUM_PINS + 3);
    ExpectPoseOf(lane->PhysOrientFrame[10], lane->PhysPins[2].position, lane->PhysPins[2].O);
    ExpectPoseOf(lane->PhysOrientFrame[11], lane->PhysPins[7].position, lane->PhysPins[7].O);
    ExpectPoseOf(lane->PhysOrientFrame[12], lane->PhysBall.position, lane->PhysBall.O);

    // An empty frame holds nothing and shares its start with the next one.
    lane->PinsToOutput = 0;
    lane->PhysBall.visible = 0;
    OutputFrame(*lane);
    EXPECT_EQ(lane->PhysPinsMask[2], 0);
    EXPECT_EQ(lane->PhysDataIndex[2], NUM_PINS + 3);
    EXPECT_EQ(lane->OutputFramesUsed, NUM_PINS + 3);
}

TEST_F(PhysicsWorldFilm, FrameCapStopsAtTheLastSlotAndEndsTheThrowWithAResult) {
    auto lane = MakeLane(LaneKind::Player);
    SetupPins(*lane, PIN_MASK_ALL, 0);
    lane->PhysPins[0].state = ActivePin;
    lane->PhysPins[1].state = WobblePin;  // still rocking: standing
    lane->PhysPins[3].state = InactivePin;
    lane->PinsToOutput = PinBit(0) | PinBit(1);
    lane->PhysBall.visible = 1;
    lane->NumPhysFrames = PHYS_MAX_FRAMES - 3;

    OutputFrame(*lane);
    EXPECT_EQ(lane->NumPhysFrames, PHYS_MAX_FRAMES - 2);
    EXPECT_EQ(lane->PhysicsDone, 0);
    OutputFrame(*lane);
    EXPECT_EQ(lane->NumPhysFrames, PHYS_MAX_FRAMES - 1);
    EXPECT_EQ(lane->PhysicsDone, 1);
    EXPECT_EQ(lane->FramePinActionComplete, PHYS_MAX_FRAMES - 2);
    EXPECT_EQ(GetPhysicsResult(*lane), PIN_MASK_ALL & ~PinBit(0) & ~PinBit(3));

    // Later frames (the pinsetter's) go to the last slot.
    OutputFrame(*lane);
    OutputDummyBallRollFrames(*lane);
    EXPECT_EQ(lane->NumPhysFrames, PHYS_MAX_FRAMES - 1);
    EXPECT_EQ(lane->FramePinActionComplete, PHYS_MAX_FRAMES - 2);
}

TEST_F(PhysicsWorldFilm, PoseCapStopsMidFrameWithoutCountingIt) {
    auto lane = MakeLane(LaneKind::Computer);
    SetupPins(*lane, PIN_MASK_ALL, 0);
    lane->iPhysicsResult = PinBit(5);  // the previous throw's
    lane->PhysPins[6].state = ActivePin;
    lane->PinsToOutput = PIN_MASK_ALL;
    lane->OutputFramesUsed = PHYS_MAX_POSES - 4;
    lane->NumPhysFrames = 100;

    OutputFrame(*lane);
    EXPECT_EQ(lane->OutputFramesUsed, PHYS_MAX_POSES - 1);
    EXPECT_EQ(lane->NumPhysFrames, 100);
    EXPECT_EQ(lane->PhysicsDone, 1);
    EXPECT_EQ(lane->FramePinActionComplete, 99);
    EXPECT_EQ(lane->iPhysicsResult, PIN_MASK_ALL & ~PinBit(6));

    OutputDummyBallRollFrames(*lane);
    EXPECT_EQ(lane->OutputFramesUsed, PHYS_MAX_POSES - 1);
    EXPECT_EQ(lane->NumPhysFrames, 100);
}

TEST_F(PhysicsWorldFilm, RoomRuleNeverCutsAFineStepFrameShort) {
    for (PinMask rack : {PIN_MASK_ALL, PinMask(PinBit(0) | PinBit(8))}) {
        auto lane = MakeLane(LaneKind::Player);
        SetupPins(*lane, rack, 0);
        for (PinData& pin : lane->PhysPins) {
            if (pin.state != InactivePin)
                pin.state = ActivePin;
        }
        lane->PinsToOutput = rack;
        lane->PhysBall.visible = 1;
        lane->NumPhysFrames = 1;
        lane->OutputFramesUsed = PHYS_MAX_POSES - 400;
        lane->PhysDataIndex[0] = u16(lane->OutputFramesUsed - PosesInFrame(rack));
        s32 frames = 0;
        while (!lane->PhysicsDone && frames < 1000) {
            OutputFrame(*lane);
            ++frames;
        }
        const s32 posesPerFrame = PosesInFrame(rack) + 1;
        ExpectFilmConsistent(*lane);
        const s32 last = lane->NumPhysFrames - 1;
        EXPECT_EQ(lane->OutputFramesUsed - lane->PhysDataIndex[last], posesPerFrame);
        EXPECT_GE(lane->OutputFramesUsed + posesPerFrame, PHYS_MAX_POSES);
        EXPECT_EQ(lane->PhysicsDone, 1);
        EXPECT_EQ(lane->FramePinActionComplete, last);
    }
}

// ---------------------------------------------------------------- fine steps

// Ball in the pit, pins untouched: every step is quiet and only the clock runs.
void ExpectPinActionEndsOnFrame720(LaneKind kind, s32 delay) {
    auto lane = MakeLane(kind);
    SetupPins(*lane, PIN_MASK_ALL & ~PinBit(0), 0);
    lane->NumPhysFrames = 300;
    lane->OutputFramesUsedSave = lane->OutputFramesUsed;
    lane->SamplesTilFrame = 1;
    lane->PinsToOutput = 0;
    DropBallInPit(*lane, 250);

    s32 steps = 0;
    while (RunPhysics(*lane)) {
        ASSERT_EQ(lane->FramePinActionComplete, 0);
        ASSERT_LT(++steps, 2000);
    }
    EXPECT_EQ(lane->NumPhysFrames, 250 + 720);
    EXPECT_EQ(lane->FramePinActionComplete, 250 + delay);
    EXPECT_EQ(lane->iPhysicsResult, PIN_MASK_ALL & ~PinBit(0));
    EXPECT_EQ(GetFrameFirstPinStruck(*lane), -1);
}

using PhysicsWorldRun = GameFixture;

TEST_F(PhysicsWorldRun, PinActionEndsOnTheFirstFrame720AfterTheBackWall) {
    ExpectPinActionEndsOnFrame720(LaneKind::Player, 240);
    ExpectPinActionEndsOnFrame720(LaneKind::Computer, 360);
}

TEST_F(PhysicsWorldRun, FilmFullBeforeTheBackWallStillEndsTheTurn) {
    auto lane = MakeLane(LaneKind::Player);
    SetupPins(*lane, PIN_MASK_ALL, 0);
    lane->NumPhysFrames = PHYS_MAX_FRAMES - 10;
    lane->SamplesTilFrame = 1;
    lane->PinsToOutput = 0;
    DropBallInPit(*lane, PHYS_MAX_FRAMES - 20);  // too late for 720 more frames

    s32 steps = 0;
    while (RunPhysics(*lane))
        ASSERT_LT(++steps, 20);
    EXPECT_EQ(lane->NumPhysFrames, PHYS_MAX_FRAMES - 1);
    EXPECT_EQ(lane->FramePinActionComplete, PHYS_MAX_FRAMES - 2);
    EXPECT_EQ(GetPhysicsResult(*lane), PIN_MASK_ALL);
}

// ---------------------------------------------------------------- pairing

std::vector<std::pair<s32, s32>> PairsOf(const LaneContext& lane) {
    std::vector<std::pair<s32, s32>> pairs;
    ForEachPinPairToTest(lane, [&](s32 i, s32 j) { pairs.emplace_back(i, j); });
    return pairs;
}

using PhysicsWorldPairing = GameFixture;

TEST_F(PhysicsWorldPairing, OnlyPairsInPlayWithAMovingPin) {
    auto lane = MakeLane(LaneKind::Player);
    SetupPins(*lane, PIN_MASK_ALL, 0);
    EXPECT_TRUE(PairsOf(*lane).empty());  // two untouched pins are never tested

    lane->PhysPins[6].state = WobblePin;
    lane->PhysPins[8].state = ActivePin;
    lane->PhysPins[9].state = InactivePin;
    const auto pairs = PairsOf(*lane);
    const std::set<std::pair<s32, s32>> got(pairs.begin(), pairs.end());
    std::set<std::pair<s32, s32>> want;
    for (s32 i = 0; i < 9; ++i) {
        for (s32 j = i + 1; j < 9; ++j) {
            if (i == 6 || i == 8 || j == 6 || j == 8)
                want.emplace(i, j);
        }
    }
    EXPECT_EQ(got, want);
    EXPECT_EQ(pairs.size(), want.size());
    EXPECT_TRUE(std::is_sorted(pairs.begin(), pairs.end()));
}

TEST_F(PhysicsWorldPairing, APinKnockedDuringThePassIsSeenByLaterPairs) {
    auto lane = MakeLane(LaneKind::Player);
    SetupPins(*lane, PIN_MASK_ALL, 0);
    lane->PhysPins[3].state = ActivePin;
    std::vector<std::pair<s32, s32>> pairs;
    ForEachPinPairToTest(*lane, [&](s32 i, s32 j) {
        pairs.emplace_back(i, j);
        if (i == 3 && j == 4)
            lane->PhysPins[4].state = WobblePin;
    });
    // Pin 4 now rocks: it is tested against the untouched pins after it.
    EXPECT_NE(std::find(pairs.begin(), pairs.end(), std::make_pair(4, 5)), pairs.end());
    EXPECT_EQ(std::find(pairs.begin(), pairs.end(), std::make_pair(1, 2)), pairs.end());
}

// ---------------------------------------------------------------- results and transforms

using PhysicsWorldResults = GameFixture;

TEST_F(PhysicsWorldResults, FirstPinStruckIsTheEarliestNonZeroFrame) {
    auto lane = MakeLane(LaneKind::Player);
    EXPECT_EQ(GetFrameFirstPinStruck(*lane), -1);
    lane->FramePinStartWobble[2] = 57;
    lane->FramePinStartWobble[5] = 43;
    lane->FramePinStartWobble[9] = 600;
    EXPECT_EQ(GetFrameFirstPinStruck(*lane), 43);
}

TEST_F(PhysicsWorldResults, LaneToWorldMirrorsXAndYAndShiftsDownTheAlley) {
    const s_Vector3 origin{};
    const s_Vector3 o = PhysicsToWorldSpace(&origin);
    EXPECT_FLOAT_EQ(o.x, 1.738f);
    EXPECT_FLOAT_EQ(o.y, 0.0f);
    EXPECT_FLOAT_EQ(o.z, -11.175f);

    const s_Vector3 p{10.0f, -6.0f, 720.0f, 0.0f};
    const s_Vector3 w = PhysicsToWorldSpace(&p);
    EXPECT_NEAR(w.x, 1.738 - 0.3057, 1e-5);
    EXPECT_NEAR(w.y, 0.18342, 1e-5);
    EXPECT_NEAR(w.z, 0.03057 * 720 - 11.175, 1e-5);
}

// ---------------------------------------------------------------- throws

using PhysicsWorldThrow = GameFixture;

TEST_F(PhysicsWorldThrow, ComputerStartReleasesTheBallAndRecordsItAlone) {
    auto lane = MakeLane(LaneKind::Computer);
    SetupPins(*lane, PIN_MASK_ALL, 0);
    lane->FramePinActionComplete = 0;
    lane->FrameBallHitGutter = 12;
    lane->FrameBallHitsBackWall = 30;
    lane->PhysicsDone = 1;  // left by a throw that filled the film
    BallData_t ball = StraightBall(5.0f, 90.0f);
    ball.velocity.x = -3.0f;
    ball.VSpin = {0.5f, 7.0f, -0.25f, 0.0f};

    EXPECT_EQ(StartComputerPhysics(*lane, &ball), 1);
    const BallData_t& b = lane->PhysBall;
    EXPECT_EQ(b.position.y, -1.06875f);
    EXPECT_EQ(b.velocity.x, -0.1f);
    EXPECT_EQ(b.velocity.y, -0.13402778f);
    EXPECT_EQ(b.velocity.z, 3.0f);
    EXPECT_EQ(b.VSpin.y, 0.0f);
    EXPECT_FLOAT_EQ(b.Omega.x, -0.25f / 1.06875f);
    EXPECT_FLOAT_EQ(b.Omega.z, -0.5f / 1.06875f);
    EXPECT_EQ(b.slip, 1);
    EXPECT_EQ(lane->FrameBallHitGutter, 0);
    EXPECT_EQ(lane->FrameBallHitsBackWall, 0);
    EXPECT_EQ(lane->NumPhysFrames, 2);
    EXPECT_EQ(lane->PhysPinsMask[1], FILM_BALL_BIT);
    EXPECT_EQ(lane->PhysDataIndex[1], NUM_PINS);
}

TEST_F(PhysicsWorldThrow, PlayerThrowRollsThenEndsItsPinActionAndClearsTheDeck) {
    auto lane = MakeLane(LaneKind::Player);
    OrbSRand(2024);
    SetupPins(*lane, PIN_MASK_ALL, 1);
    static u16 oil[OIL_ROWS][OIL_BOARDS] = {};
    const BallData_t ball = StraightBall(5.8f, 75.0f);
    ASSERT_EQ(StartPhysics(*lane, &ball, 0.2, 0.6, 40, 60, 3, oil, TestDryLane), 1);

    EXPECT_EQ(lane->BallTrackFlare, 2);
    for (s32 n = 1; n <= 4; ++n)
        EXPECT_EQ(lane->PhysPinsMask[n], FILM_BALL_BIT);
    for (s32 n = 2; n <= 4; ++n)
        EXPECT_EQ(std::memcmp(&lane->PhysOrientFrame[lane->PhysDataIndex[n]],
                              &lane->PhysOrientFrame[NUM_PINS], sizeof(RefFrame_t)),
                  0);
    EXPECT_GT(lane->PhysOrientFrame[lane->PhysDataIndex[5]].position.z, 0.0f);
    EXPECT_EQ(lane->SamplesTilFrame, 1);

    s32 steps = 0;
    while (RunPhysics(*lane))
        ASSERT_LT(++steps, PHYS_MAX_FRAMES);
    ASSERT_NE(lane->FrameBallHitsBackWall, 0);
    EXPECT_EQ(lane->NumPhysFrames - lane->FrameBallHitsBackWall, 720);
    EXPECT_EQ(lane->FramePinActionComplete, lane->FrameBallHitsBackWall + 240);
    EXPECT_GT(GetFrameFirstPinStruck(*lane), 0);
    EXPECT_NE(GetPhysicsResult(*lane), PIN_MASK_ALL);
    ExpectFilmConsistent(*lane);

    steps = 0;
    while (!PickupPins(*lane))
        ASSERT_LT(++steps, 200);
    steps = 0;
    while (!SweepPins(*lane, 0))
        ASSERT_LT(++steps, 1000);
    EXPECT_EQ(lane->SweeperZCoord, 179.375f);
    EXPECT_LE(lane->NumPhysFrames, PHYS_MAX_FRAMES - 1);
}

TEST_F(PhysicsWorldThrow, BallThatNeverArrivesFillsTheFilmAndStillEndsTheTurn) {
    auto lane = MakeLane(LaneKind::Player);
    SetupPins(*lane, PIN_MASK_ALL & ~PinBit(6), 0);
    lane->FramePinActionComplete = 500;  // the previous throw's
    static u16 oil[OIL_ROWS][OIL_BOARDS] = {};
    const BallData_t ball = StraightBall(5.25f, 0.0f);
    EXPECT_EQ(StartPhysics(*lane, &ball, 0.2, 0.6, 40, 0, 0, oil, TestDryLane), 0);
    EXPECT_EQ(lane->PhysicsDone, 1);
    EXPECT_EQ(lane->NumPhysFrames, PHYS_MAX_FRAMES - 1);
    EXPECT_EQ(lane->FramePinActionComplete, PHYS_MAX_FRAMES - 2);
    EXPECT_EQ(GetPhysicsResult(*lane), PIN_MASK_ALL & ~PinBit(6));
    ExpectFilmConsistent(*lane);
}

}  // namespace
