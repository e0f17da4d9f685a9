#include <random>

#include "tests/game/Physics/PinContactTestLane.h"
#include "tests/support/GameFixture.h"

namespace {

constexpr f32 kPinY = -1.5f;
constexpr f32 kLyingY = -0.6f;

s_Vector3 Sum(const s_Vector3& a, const s_Vector3& b) {
    return Vec(a.x + b.x, a.y + b.y, a.z + b.z);
}

class PinPinCollisionTest : public GameFixture {
protected:
    std::unique_ptr<LaneContext> lanePtr = MakeContactLane();
    LaneContext& lane = *lanePtr;
    PinData& a = lane.PhysPins[1];
    PinData& b = lane.PhysPins[2];

    // The belly-belly contact of pins 1 and 2 with the centre offset `offset`.
    void AnswerBellies(s_Vector3 offset) {
        f64 dist = 0.0;
        ASSERT_TRUE(EstimateContactDistance(offset, 1.25, 1.25, &dist));
        s_Vector3 lever1 = Vec(0.5f * offset.x, 0.5f * offset.y, 0.5f * offset.z);
        s_Vector3 lever2 = Vec(-0.5f * offset.x, -0.5f * offset.y, -0.5f * offset.z);
        PinPinCollision(lane, 1, 2, dist, 1.25, &offset, &lever1, &lever2, NormTable2, NormTable2);
    }
};

TEST_F(PinPinCollisionTest, ClosingBelliesPartAtRestitutionWithMomentumKept) {
    PlacePin(lane, 1, ActivePin, Vec(4.0f, kPinY, 182.0f));
    PlacePin(lane, 2, ActivePin, Vec(5.0f, kPinY, 182.0f));
    a.velocity = Vec(0.05f, 0.0f, 0.0f);

    AnswerBellies(Vec(1.0f, 0.0f, 0.0f));

    ExpectNear(Sum(a.velocity, b.velocity), Vec(0.05f, 0.0f, 0.0f), 1e-8f);
    EXPECT_NEAR(a.velocity.x - b.velocity.x, -0.73f * 0.05f, 1e-7f);
    // Levers along the normal: no turn (beyond the rounding of the bent normal).
    ExpectNear(a.Omega, Vec(0, 0, 0), 1e-9f);
    ExpectNear(b.Omega, Vec(0, 0, 0), 1e-9f);
    // Deep and slow: rolled back the full two steps, so each pin moves by twice its
    // change of velocity.
    EXPECT_NEAR(a.position.x, 4.0f + 2.0f * (a.velocity.x - 0.05f), 1e-6f);
    EXPECT_NEAR(b.position.x, 5.0f + 2.0f * b.velocity.x, 1e-6f);
    ExpectSpheresOnAxis(a);
    ExpectSpheresOnAxis(b);
    EXPECT_EQ(a.state, ActivePin);
    EXPECT_EQ(lane.PinsToOutput, 0);
}

TEST_F(PinPinCollisionTest, SeparatingTouchingPairIsLeftAloneButStillKnocked) {
    PlacePin(lane, 1, UntouchedPin, Vec(4.0f, kPinY, 182.0f));
    PlacePin(lane, 2, ActivePin, Vec(5.0f, kPinY, 182.5f));
    b.velocity = Vec(0.02f, 0.0f, 0.01f);  // moving straight away from pin 1

    AnswerBellies(Vec(1.0f, 0.0f, 0.5f));

    ExpectSameVector(a.velocity, Vec(0, 0, 0));
    ExpectSameVector(b.velocity, Vec(0.02f, 0.0f, 0.01f));
    ExpectSameVector(a.position, Vec(4.0f, kPinY, 182.0f));
    ExpectSameVector(b.position, Vec(5.0f, kPinY, 182.5f));
    ExpectStruckAt(lane, 1, 123);
    EXPECT_EQ(b.state, ActivePin);
}

// Free pins drifting without gravity or floor, tested against each other every step.
void DriftPair(LaneContext& lane, s32 steps) {
    for (s32 step = 0; step < steps; ++step) {
        for (s32 i = 1; i <= 2; ++i) {
            MovePinPose(lane.PhysPins[i], 1.0);
            UpdatePinSpheres(lane.PhysPins[i]);
        }
        DetectPinPinCollision(lane, 1, 2);
    }
}

TEST_F(PinPinCollisionTest, OverlappingPinsThatPartAreNotHeldTogether) {
    PlacePin(lane, 1, ActivePin, Vec(4.0f, kPinY, 182.0f));
    PlacePin(lane, 2, ActivePin, Vec(4.9f, kPinY, 182.0f));
    b.velocity = Vec(0.002f, 0.0f, 0.0f);

    DriftPair(lane, 240);

    ExpectSameVector(a.velocity, Vec(0, 0, 0));
    ExpectSameVector(b.velocity, Vec(0.002f, 0.0f, 0.0f));
    EXPECT_NEAR(b.position.x - a.position.x, 0.9f + 240 * 0.002f, 1e-3f);
}

using ContactEstimate = GameFixture;

TEST_F(ContactEstimate, ALimitEqualToTheEstimatePasses) {
    const s_Vector3 offset = Vec(0.7f, -0.4f, 0.9f);
    f64 estimate = 0.0;
    ASSERT_TRUE(EstimateContactDistance(offset, 10.0, 10.0, &estimate));
    f64 again = 0.0;
    EXPECT_TRUE(EstimateContactDistance(offset, estimate, estimate, &again));
    EXPECT_EQ(again, estimate);
    EXPECT_FALSE(EstimateContactDistance(offset, 10.0, std::nextafter(estimate, 0.0), &again));
}

TEST_F(PinPinCollisionTest, CoincidingProxyCentresKnockWithoutImpulse) {
    PlacePin(lane, 1, UntouchedPin, Vec(4.0f, kPinY, 182.0f));
    PlacePin(lane, 2, ActivePin, Vec(4.0f, kPinY, 182.0f));
    b.velocity = Vec(0.1f, 0.0f, -0.05f);
    b.Omega = Vec(0.01f, 0.02f, 0.0f);

    AnswerBellies(Vec(0.0f, 0.0f, 0.0f));

    ExpectSameVector(a.velocity, Vec(0, 0, 0));
    ExpectSameVector(b.velocity, Vec(0.1f, 0.0f, -0.05f));
    ExpectSameVector(a.position, Vec(4.0f, kPinY, 182.0f));
    ExpectLaneFinite(lane);
    ExpectStruckAt(lane, 1, 123);
    EXPECT_EQ(b.state, ActivePin);
}

TEST_F(PinPinCollisionTest, PinsOnTopOfEachOtherStayFinite) {
    PlacePin(lane, 1, UntouchedPin, Vec(4.0f, kPinY, 182.0f));
    PlacePin(lane, 2, ActivePin, Vec(4.0f, kPinY, 182.0f));
    b.velocity = Vec(0.1f, 0.0f, -0.05f);

    DetectPinPinCollision(lane, 1, 2);

    ExpectLaneFinite(lane);
    ExpectStruckAt(lane, 1, 123);
    ExpectNear(Sum(a.velocity, b.velocity), Vec(0.1f, 0.0f, -0.05f), 1e-6f);
}

TEST_F(PinPinCollisionTest, UntouchedSecondPinIsPutFirstAndKnocked) {
    PlacePin(lane, 1, ActivePin, Vec(4.0f, kPinY, 182.0f));
    PlacePin(lane, 2, UntouchedPin, Vec(5.1f, kPinY, 182.0f));
    a.velocity = Vec(0.08f, 0.0f, 0.0f);

    DetectPinPinCollision(lane, 1, 2);

    ExpectStruckAt(lane, 2, 123);
    EXPECT_EQ(lane.PinsToOutput, PinBit(2));
    EXPECT_EQ(a.state, ActivePin);
    EXPECT_GT(b.velocity.x, 0.0f);
    EXPECT_LT(a.velocity.x, 0.08f);
}

TEST_F(PinPinCollisionTest, RackedPinsNeverTouchEachOther) {
    static const s32 column[NUM_PINS] = {0, -1, 1, -2, 0, 2, -3, -1, 1, 3};
    static const s32 row[NUM_PINS] = {0, 1, 1, 2, 2, 2, 3, 3, 3, 3};
    for (s32 i = 0; i < NUM_PINS; ++i) {
        PlacePin(lane, i, UntouchedPin,
                 Vec(5.25f + 1.5f * f32(column[i]), kPinY, 180.0f + 2.598075f * f32(row[i])));
    }
    for (s32 i = 0; i < NUM_PINS - 1; ++i) {
        for (s32 j = i + 1; j < NUM_PINS; ++j) {
            DetectPinPinCollision(lane, i, j);
        }
    }
    for (const PinData& pin : lane.PhysPins) {
        EXPECT_EQ(pin.state, UntouchedPin);
        ExpectSameVector(pin.velocity, Vec(0, 0, 0));
    }
    EXPECT_EQ(lane.PinsToOutput, 0);
}

// Two pins lying along x with their heads 0.475 apart, centres 4.1 apart.
void LayHeadToHead(LaneContext& lane, PinState state1, PinState state2) {
    PlacePin(lane, 1, state1, Vec(3.0f, kLyingY, 182.0f), Vec(1, 0, 0));
    PlacePin(lane, 2, state2, Vec(7.1f, kLyingY, 182.0f), Vec(-1, 0, 0));
    lane.PhysPins[1].velocity = Vec(0.05f, 0.0f, 0.0f);
}

TEST_F(PinPinCollisionTest, ReachOfTheStatesGatesThePair) {
    // A rocking pin reaches 1.525, a free one 2.25: 3.775 in all, short of 4.1.
    LayHeadToHead(lane, WobblePin, ActivePin);
    DetectPinPinCollision(lane, 1, 2);
    DetectPinPinCollision(lane, 2, 1);
    ExpectSameVector(b.velocity, Vec(0, 0, 0));

    // Two free pins reach 4.5; from a centre estimate of 3.75 only the heads meet.
    LayHeadToHead(lane, ActivePin, ActivePin);
    DetectPinPinCollision(lane, 1, 2);
    EXPECT_GT(b.velocity.x, 0.0f);
    ExpectNear(Sum(a.velocity, b.velocity), Vec(0.05f, 0.0f, 0.0f), 1e-7f);
}

using PinPinCollisionRandom = GameFixture;

TEST_F(PinPinCollisionRandom, NeverSpreadsNaNAndKeepsMomentum) {
    std::mt19937 rng(19071985);
    std::uniform_real_distribution<f32> near(-2.4f, 2.4f);
    std::uniform_real_distribution<f32> speed(-0.1f, 0.1f);
    std::uniform_real_distribution<f32> unit(-1.0f, 1.0f);
    const PinState states[] = {UntouchedPin, WobblePin, ActivePin};
    auto lane = MakeContactLane();
    for (s32 round = 0; round < 4000; ++round) {
        ClearContactLane(*lane);
        const PinState state1 = states[round % 3];
        const PinState state2 = states[(round / 3) % 3];
        for (s32 k = 0; k < 2; ++k) {
            s_Vector3 up = Vec(unit(rng), unit(rng), unit(rng));
            NormalizeVector(&up);
            const s_Vector3 centre = k == 0 ? Vec(5.0f, -1.5f, 182.0f)
                                            : Vec(5.0f + near(rng), -1.5f + near(rng), 182.0f + near(rng));
            PlacePin(*lane, 3 + k, k == 0 ? state1 : state2, centre, up);
            lane->PhysPins[3 + k].velocity = Vec(speed(rng), speed(rng), speed(rng));
            lane->PhysPins[3 + k].Omega = Vec(speed(rng), speed(rng), speed(rng));
        }
        if (round % 7 == 0) {
            lane->PhysPins[4].position = lane->PhysPins[3].position;
            lane->PhysPins[4].O = lane->PhysPins[3].O;
            UpdatePinSpheres(lane->PhysPins[4]);
        }
        const PinData& p = lane->PhysPins[3];
        const PinData& q = lane->PhysPins[4];
        const s_Vector3 momentum = Sum(p.velocity, q.velocity);

        DetectPinPinCollision(*lane, 3, 4);

        ExpectLaneFinite(*lane);
        ExpectNear(Sum(p.velocity, q.velocity), momentum, 1e-6f);
        ExpectSpheresOnAxis(p);
        ExpectSpheresOnAxis(q);
        // Only an untouched pin changes state, and only to wobbling.
        EXPECT_EQ(p.state == state1 || (state1 == UntouchedPin && p.state == WobblePin), true);
        EXPECT_EQ(q.state == state2 || (state2 == UntouchedPin && q.state == WobblePin), true);
        for (s32 k = 3; k <= 4; ++k) {
            const bool knocked = lane->PhysPins[k].state != (k == 3 ? state1 : state2);
            EXPECT_EQ((lane->PinsToOutput & PinBit(k)) != 0, knocked);
            EXPECT_EQ(lane->FramePinStartWobble[k], knocked ? 123 : 0);
        }
        if (::testing::Test::HasFailure()) {
            FAIL() << "round " << round;
        }
    }
}

}  // namespace
