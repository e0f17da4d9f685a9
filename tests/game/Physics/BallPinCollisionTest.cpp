#include <array>
#include <random>

#include "tests/game/Physics/PinContactTestLane.h"
#include "tests/support/GameFixture.h"

namespace {

constexpr f32 kBallY = -1.06875f;
constexpr f32 kPinY = -1.5f;
constexpr f32 kPinWeight = 3.5f;

class BallPinCollisionTest : public GameFixture {
protected:
    std::unique_ptr<LaneContext> lanePtr = MakeContactLane();
    LaneContext& lane = *lanePtr;
    BallData_t& ball = lane.PhysBall;
    PinData& pin = lane.PhysPins[4];

    f32 Mass() const { return f32(lane.PhysBall.mass); }
    // Momentum of the ball and the pin across and along the lane, on the ball's scale.
    f32 MomentumX() const { return Mass() * ball.velocity.x + kPinWeight * pin.velocity.x; }
    f32 MomentumZ() const { return Mass() * ball.velocity.z + kPinWeight * pin.velocity.z; }
};

TEST_F(BallPinCollisionTest, StandingPinIsStruckWithMomentumKept) {
    PlacePin(lane, 4, UntouchedPin, Vec(5.0f, kPinY, 180.0f));
    PlaceBall(lane, Vec(4.7f, kBallY, 178.6f), Vec(0.02f, 0.0f, 0.6f));
    const f32 momentumX = MomentumX();
    const f32 momentumZ = MomentumZ();

    DetectBallPinCollision(lane, 4);

    ExpectStruckAt(lane, 4, 123);
    EXPECT_EQ(lane.PinsToOutput, PinBit(4));
    EXPECT_EQ(ball.slip, 1);
    EXPECT_NEAR(MomentumX(), momentumX, 1e-5f);
    EXPECT_NEAR(MomentumZ(), momentumZ, 1e-5f);
    EXPECT_LT(ball.velocity.z, 0.6f);
    EXPECT_EQ(ball.velocity.y, 0.0f);
    // The push runs along the line to a point a little above the ball's centre.
    EXPECT_NEAR(pin.velocity.y / pin.velocity.z, -0.05625f / 1.4f, 1e-4f);
    ExpectSpheresOnAxis(pin);
}

TEST_F(BallPinCollisionTest, DeepSlowOverlapRollsBackTwoSteps) {
    PlacePin(lane, 4, UntouchedPin, Vec(5.0f, kPinY, 180.0f));
    const s_Vector3 start = Vec(5.0f, kBallY, 179.0f);
    PlaceBall(lane, start, Vec(0.0f, 0.0f, 0.01f));

    DetectBallPinCollision(lane, 4);

    // Back two steps at the old speed, forward two at the new one.
    EXPECT_NEAR(ball.position.z, start.z + 2.0f * (ball.velocity.z - 0.01f), 1e-5f);
    EXPECT_NEAR(pin.position.z, 180.0f + 2.0f * pin.velocity.z, 1e-5f);
    EXPECT_NEAR(pin.position.y, kPinY + 2.0f * pin.velocity.y, 1e-5f);
    ExpectSpheresOnAxis(pin);
}

TEST_F(BallPinCollisionTest, RetreatingBallPassesThroughWithoutEffect) {
    PlacePin(lane, 4, UntouchedPin, Vec(5.0f, kPinY, 180.0f));
    PlaceBall(lane, Vec(5.0f, kBallY, 179.0f), Vec(0.01f, 0.0f, -0.3f));

    DetectBallPinCollision(lane, 4);

    ExpectSameVector(ball.position, Vec(5.0f, kBallY, 179.0f));
    ExpectSameVector(ball.velocity, Vec(0.01f, 0.0f, -0.3f));
    EXPECT_EQ(ball.slip, 0);
    EXPECT_EQ(pin.state, UntouchedPin);
    ExpectSameVector(pin.velocity, Vec(0, 0, 0));
    EXPECT_EQ(lane.PinsToOutput, 0);
    EXPECT_EQ(lane.FramePinStartWobble[4], 0);
}

TEST_F(BallPinCollisionTest, AcrossTheLaneOnlyTheContactSumIsAllowed) {
    // 0.9264 x 1.7 is inside the contact sum 1.65625, but 1.7 across the lane is not.
    PlacePin(lane, 4, UntouchedPin, Vec(5.0f, kPinY, 180.0f));
    PlaceBall(lane, Vec(3.3f, kBallY, 180.0f), Vec(0.3f, 0.0f, 0.0f));
    DetectBallPinCollision(lane, 4);
    EXPECT_EQ(pin.state, UntouchedPin);
    EXPECT_EQ(ball.velocity.x, 0.3f);

    // The same distance along the lane is a contact.
    PlaceBall(lane, Vec(5.0f, kBallY, 178.3f), Vec(0.0f, 0.0f, 0.3f));
    DetectBallPinCollision(lane, 4);
    EXPECT_EQ(pin.state, WobblePin);
}

// Ratio of the pin's vertical to forward push, from which the test used can be told.
f32 StrikeRatio(f32 ballX, f32 pinX) {
    auto lane = MakeContactLane();
    PlacePin(*lane, 6, UntouchedPin, Vec(pinX, kPinY, 185.0f));
    PlaceBall(*lane, Vec(ballX, kBallY, 183.8f), Vec(0.0f, 0.0f, 0.5f));
    DetectBallPinCollision(*lane, 6);
    ExpectStruckAt(*lane, 6, 123);
    ExpectLaneFinite(*lane);
    return lane->PhysPins[6].velocity.y / lane->PhysPins[6].velocity.z;
}

using BallPinCollisionEdges = GameFixture;

TEST_F(BallPinCollisionEdges, BallOverTheLaneEdgeMeetsAStandingPinUpright) {
    const f32 standing = -0.056249976f / 1.2f;
    EXPECT_NEAR(StrikeRatio(0.0f, 0.75f), standing, 1e-4f);
    EXPECT_NEAR(StrikeRatio(10.5f, 9.75f), standing, 1e-4f);
    // Over the gutter the pin is met through its proxies, and still struck.
    EXPECT_GT(std::fabs(StrikeRatio(-0.01f, 0.74f) - standing), 0.05f);
}

TEST_F(BallPinCollisionTest, HeadAloneMeetsAMovingPinOutsideTheLowerGate) {
    PlacePin(lane, 4, UntouchedPin, Vec(5.0f, kPinY, 180.0f));
    PlaceBall(lane, Vec(5.0f, kBallY, 178.6f), Vec(0.0f, 0.0f, 0.5f));
    DetectBallPinCollision(lane, 4);
    ASSERT_EQ(pin.state, WobblePin);
    pin.state = ActivePin;

    lane.NumPhysFrames = 130;
    const s_Vector3 head = pin.collisionSpheres[1];
    PlaceBall(lane, Vec(head.x + 1.0f, head.y - 1.0f, head.z), Vec(-0.3f, 0.3f, 0.0f));
    const s_Vector3 toCentre{pin.position.x - ball.position.x, pin.position.y - ball.position.y,
                             pin.position.z - ball.position.z, 0.0f};
    f64 centreEstimate = 0.0;
    ASSERT_TRUE(EstimateContactDistance(toCentre, 3.31875f, 3.31875f, &centreEstimate));
    ASSERT_GT(centreEstimate, f64(2.56875f));
    const s_Vector3 pinVelocity = pin.velocity;
    const f32 momentumX = MomentumX();

    DetectBallPinCollision(lane, 4);

    EXPECT_LT(pin.velocity.x, pinVelocity.x);
    EXPECT_NEAR(MomentumX(), momentumX, 1e-5f);
    EXPECT_EQ(ball.velocity.y, 0.3f);
    EXPECT_EQ(pin.state, ActivePin);
    EXPECT_EQ(lane.FramePinStartWobble[4], 123);
    ExpectSpheresOnAxis(pin);
}

// BallPinCollision on a moving pin at rest at (5, -1.5, 180), ball moving +x at 0.1.
class BallPinAnswerTest : public BallPinCollisionTest {
protected:
    std::array<f64, 64> norms{};

    void SetUp() override {
        PlacePin(lane, 4, ActivePin, Vec(5.0f, kPinY, 180.0f));
        PlaceBall(lane, Vec(3.5f, kPinY, 180.0f), Vec(0.1f, 0.0f, 0.0f));
    }
    void Answer(s_Vector3 lever) {
        s_Vector3 toFeature = Vec(1.5f, 0.0f, 0.0f);
        BallPinCollision(lane, 4, 1.5, f64(1.69375f), &toFeature, &lever, norms.data());
    }
};

TEST_F(BallPinAnswerTest, LeverAlongTheNormalGivesAPlainImpulse) {
    Answer(Vec(0.5f, 0.0f, 0.0f));
    const f64 impulse = 1.73 * 0.1 / (3.5 + 14.0);
    EXPECT_NEAR(pin.velocity.x, 14.0 * impulse, 1e-6);
    EXPECT_NEAR(ball.velocity.x, 0.1 - 3.5 * impulse, 1e-6);
    ExpectSameVector(pin.Omega, Vec(0, 0, 0));
    // Restitution 0.73 between the centres.
    EXPECT_NEAR(ball.velocity.x - pin.velocity.x, -0.073f, 1e-6f);
    // A moving pin keeps its state and is not recorded as newly struck.
    EXPECT_EQ(pin.state, ActivePin);
    EXPECT_EQ(lane.PinsToOutput, 0);
    EXPECT_EQ(lane.FramePinStartWobble[4], 0);
}

TEST_F(BallPinAnswerTest, ContactPointSeparatesAtRestitution) {
    pin.state = UntouchedPin;
    const s_Vector3 lever = Vec(0.3f, -1.0f, 0.0f);
    Answer(lever);
    s_Vector3 spin;
    Vect3Cross(&spin, &pin.Omega, &lever);
    EXPECT_NEAR(ball.velocity.x - (pin.velocity.x + spin.x), -0.073f, 1e-6f);
    EXPECT_NE(pin.Omega.z, 0.0f);
    EXPECT_NEAR(Mass() * ball.velocity.x + kPinWeight * pin.velocity.x, Mass() * 0.1f, 1e-6f);
    ExpectStruckAt(lane, 4, 123);
    EXPECT_EQ(ball.slip, 1);
}

TEST_F(BallPinAnswerTest, ProfileEntryClampsBelowTheBaseAndAboveTheTop) {
    norms[0] = 1.5;                 // bends the normal downwards along up (0, -1, 0)
    norms[63] = -1.5;               // and upwards
    Answer(Vec(0.0f, 2.0f, 0.0f));  // 0.5 under the base
    EXPECT_NEAR(pin.velocity.y / pin.velocity.x, -1.0f, 1e-5f);

    SetUp();
    Answer(Vec(0.0f, -2.6f, 0.0f));  // 4.1 above the base
    EXPECT_NEAR(pin.velocity.y / pin.velocity.x, 1.0f, 1e-5f);
    EXPECT_EQ(ball.velocity.y, 0.0f);
}

TEST_F(BallPinAnswerTest, ZeroNormalAnswersNothing) {
    s_Vector3 toFeature = Vec(0, 0, 0);
    s_Vector3 lever = Vec(0, 0, 0);
    BallPinCollision(lane, 4, 0.0, f64(1.69375f), &toFeature, &lever, norms.data());
    ExpectSameVector(ball.velocity, Vec(0.1f, 0.0f, 0.0f));
    ExpectSameVector(pin.velocity, Vec(0, 0, 0));
    EXPECT_EQ(ball.slip, 0);
    ExpectLaneFinite(lane);

    // The ball's centre on the pin's centre.
    PlaceBall(lane, pin.position, Vec(0.1f, 0.2f, 0.3f));
    DetectBallPinCollision(lane, 4);
    ExpectLaneFinite(lane);
}

using PinImpulse = GameFixture;

TEST_F(PinImpulse, TurnsAcrossTheAxisByTheInverseInertia) {
    auto lane = MakeContactLane();
    PlacePin(*lane, 2, ActivePin, Vec(3, kPinY, 182));
    const s_Vector3 lever = Vec(0.5f, 0.0f, 0.0f);
    const s_Vector3 deltaV = Vec(0.0f, 0.0f, 0.1f);
    ApplyPinImpulse(*lane, 2, &lever, &deltaV);
    ExpectNear(lane->PhysPins[2].Omega, Vec(0.0f, -0.05f * 1.151864f, 0.0f), 1e-7f);
    ExpectSameVector(lane->PhysPins[2].velocity, deltaV);
}

TEST_F(PinImpulse, SpinImpulseTurnsAboutTheAxisMore) {
    auto lane = MakeContactLane();
    PlacePin(*lane, 2, WobblePin, Vec(3, kPinY, 182));
    const s_Vector3 lever = Vec(0.5f, 0.0f, 0.0f);
    const s_Vector3 deltaV = Vec(0.0f, 0.0f, 0.1f);
    ApplySpinImpulse(*lane, 2, &lever, &deltaV);
    EXPECT_NEAR(lane->PhysPins[2].Omega.y, -0.05f * 7.111111f, 1e-6f);
    ExpectSameVector(lane->PhysPins[2].velocity, deltaV);
}

TEST_F(PinImpulse, SpinImpulseRenormalisesTheAxisEvenWithoutVelocity) {
    auto lane = MakeContactLane();
    PlacePin(*lane, 2, WobblePin, Vec(3, kPinY, 182));
    lane->PhysPins[2].O.up = Vec(0.0f, -2.0f, 0.0f);
    const s_Vector3 lever = Vec(0.3f, 0.2f, 0.1f);
    const s_Vector3 none = Vec(0, 0, 0);
    ApplySpinImpulse(*lane, 2, &lever, &none);
    ExpectSameVector(lane->PhysPins[2].O.up, Vec(0.0f, -1.0f, 0.0f));
    ExpectSameVector(lane->PhysPins[2].Omega, Vec(0, 0, 0));
    ExpectSameVector(lane->PhysPins[2].velocity, Vec(0, 0, 0));
}

using BallPinCollisionRandom = GameFixture;

TEST_F(BallPinCollisionRandom, NeverSpreadsNaNAndKeepsHorizontalMomentum) {
    std::mt19937 rng(20240607);
    std::uniform_real_distribution<f32> near(-2.5f, 2.5f);
    std::uniform_real_distribution<f32> speed(-0.6f, 0.6f);
    std::uniform_real_distribution<f32> unit(-1.0f, 1.0f);
    const PinState states[] = {UntouchedPin, WobblePin, ActivePin};
    auto lane = MakeContactLane();
    for (s32 round = 0; round < 3000; ++round) {
        ClearContactLane(*lane);
        s_Vector3 up = Vec(unit(rng), unit(rng), unit(rng));
        NormalizeVector(&up);
        if (up.x == 0.0f && up.y == 0.0f && up.z == 0.0f) {
            up = Vec(0, -1, 0);
        }
        PlacePin(*lane, 5, states[round % 3], Vec(5.0f + near(rng), kPinY + near(rng) * 0.5f, 182.0f), up);
        PinData& pin = lane->PhysPins[5];
        pin.velocity = Vec(speed(rng) * 0.3f, speed(rng) * 0.3f, speed(rng) * 0.3f);
        pin.Omega = Vec(speed(rng) * 0.2f, speed(rng) * 0.2f, speed(rng) * 0.2f);
        const s_Vector3 offset = Vec(near(rng), near(rng), near(rng));
        PlaceBall(*lane, Vec(pin.position.x + offset.x, pin.position.y + offset.y, pin.position.z + offset.z),
                  Vec(speed(rng), speed(rng) * 0.1f, speed(rng)));
        const BallData_t& ball = lane->PhysBall;
        const f32 mass = f32(ball.mass);
        const f32 momentumX = mass * ball.velocity.x + kPinWeight * pin.velocity.x;
        const f32 momentumZ = mass * ball.velocity.z + kPinWeight * pin.velocity.z;
        const f32 ballVelocityY = ball.velocity.y;

        DetectBallPinCollision(*lane, 5);

        ExpectLaneFinite(*lane);
        EXPECT_NEAR(mass * ball.velocity.x + kPinWeight * pin.velocity.x, momentumX, 1e-4f);
        EXPECT_NEAR(mass * ball.velocity.z + kPinWeight * pin.velocity.z, momentumZ, 1e-4f);
        EXPECT_EQ(ball.velocity.y, ballVelocityY);
        if (pin.state == WobblePin && lane->FramePinStartWobble[5] == 123) {
            EXPECT_EQ(lane->PinsToOutput, PinBit(5));
            EXPECT_EQ(ball.slip, 1);
        }
        if (HasFailure()) {
            FAIL() << "round " << round;
        }
    }
}

}  // namespace
