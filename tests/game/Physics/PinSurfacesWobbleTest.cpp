#include <cmath>

#include "source/Physics/PinSurfaceMath.h"
#include "tests/game/Physics/PinSurfacesTestLane.h"

namespace {

class RockingPin : public PinSurfaceLane {
protected:
    // A rocking pin tilted to up.y = upY across the lane, standing so that the lowest
    // point of its base ring is `depth` into the lane (negative: above it).
    PinData& Rock(f32 upY, f32 depth, f32 x = 5.25f, f32 z = 180.0f) {
        PinData& p = Place(kPin, {x, 0.0f, z, 0.0f}, kUpright, WobblePin);
        p.O.up = {std::sqrt(1.0f - upY * upY), upY, 0.0f, 0.0f};
        const s32 k = PinSurface::WobbleRingBin(upY);
        ringX = f32(WobbleRingUp[k] * p.O.up.x);
        ringY = f32(WobbleRingUp[k] * upY + WobbleRingDown[k]);
        p.position.x = x - ringX;
        p.position.y = depth - ringY;
        UpdatePinSpheres(p);
        lane->NumPhysFrames = 321;
        return p;
    }

    static constexpr s32 kPin = 4;
    f32 ringX = 0.0f;
    f32 ringY = 0.0f;
};

TEST_F(RockingPin, TippedToTheLimitIsFreed) {
    PinData& p = Rock(-0.6f, 0.0f);
    p.O.up = {0.6f, -0.8f, 0.0f, 0.0f};
    DoWobblePin(*lane, kPin);
    EXPECT_EQ(p.state, ActivePin);
    EXPECT_EQ(lane->FramePinActivates[kPin], 321);
}

TEST_F(RockingPin, JustShortOfTheLimitKeepsRocking) {
    EXPECT_EQ(PinSurface::WobbleRingBin(-0.8000001f), 25);
    PinData& p = Rock(-0.8000001f, 0.0f);
    const PinData before = p;
    DoWobblePin(*lane, kPin);
    EXPECT_EQ(p.state, WobblePin);
    EXPECT_EQ(lane->FramePinActivates[kPin], 0);
    EXPECT_EQ(p.position.y, before.position.y);
}

// A freed pin meets the surfaces in the same step: here it is already in the pit.
TEST_F(RockingPin, FreedPinIsTestedAtOnce) {
    PinData& p = Rock(-0.5f, 0.0f);
    p.position.y = 5.0f;
    DoWobblePin(*lane, kPin);
    EXPECT_EQ(p.state, InactivePin);
    EXPECT_EQ(lane->FramePinActivates[kPin], 321);
    EXPECT_FALSE(lane->PinsToOutput & PinBit(kPin));
}

TEST_F(RockingPin, RingOnOrJustAboveTheLaneIsLeftAlone) {
    for (f32 depth : {0.0f, -0.006f}) {
        PinData& p = Rock(-1.0f, depth);
        const f32 y = p.position.y;
        for (s32 step = 0; step < 5; ++step)
            DoWobblePin(*lane, kPin);
        EXPECT_EQ(p.state, WobblePin) << depth;
        EXPECT_EQ(p.position.y, y) << depth;
        EXPECT_EQ(p.velocity.y, 0.0f) << depth;
        EXPECT_EQ(p.Omega.x, 0.0f) << depth;
        EXPECT_EQ(p.Omega.z, 0.0f) << depth;
    }
}

// Lifted more than a step of fall, or upright with its ring on a gutter or over the pit.
TEST_F(RockingPin, RingLiftedOrOffTheLaneSurfaceIsFreed) {
    struct Case {
        f32 upY, depth, x, z;
    };
    for (const Case c : {Case{-1.0f, -0.007f, 5.25f, 180.0f}, Case{-0.95f, 0.0f, -0.01f, 180.0f},
                         Case{-0.95f, 0.0f, 10.51f, 180.0f}, Case{-0.95f, 0.0f, 5.25f, 189.05f}}) {
        PinData& p = Rock(c.upY, c.depth, c.x, c.z);
        DoWobblePin(*lane, kPin);
        EXPECT_EQ(p.state, ActivePin) << c.depth << " " << c.x << ", " << c.z;
    }
}

TEST_F(RockingPin, RingWithoutSlideIsOnlyLifted) {
    PinData& p = Rock(-1.0f, 0.01f);
    DoWobblePin(*lane, kPin);
    EXPECT_EQ(p.velocity.x, 0.0f);
    EXPECT_EQ(p.velocity.y, 0.0f);
    EXPECT_EQ(p.velocity.z, 0.0f);
    EXPECT_EQ(p.Omega.x, 0.0f);
    EXPECT_NEAR(p.position.y + ringY, 0.0f, 1e-6f);
    EXPECT_EQ(p.state, WobblePin);

    PinData& slow = Rock(-1.0f, 0.01f);  // a slow slide sticks
    slow.velocity.x = 1e-5f;
    DoWobblePin(*lane, kPin);
    EXPECT_EQ(slow.velocity.x, 0.0f);
    EXPECT_LT(slow.velocity.y, 0.0f);
}

TEST_F(RockingPin, FastSlideIsOpposedByKineticFriction) {
    PinData& p = Rock(-1.0f, 0.01f);
    p.velocity.x = 0.05f;
    DoWobblePin(*lane, kPin);
    const f64 j = 0.01;  // the ring lies on the axis: no lever across it
    EXPECT_NEAR(p.velocity.y, -j, 1e-6);
    EXPECT_NEAR(p.velocity.x, 0.05 - 0.09 * j / 0.9604, 1e-6);
    EXPECT_NEAR(p.position.y + ringY, 0.0f, 1e-6f);
}

}  // namespace
