#include <random>

#include "source/Physics/PinSurfaceMath.h"
#include "tests/game/Physics/PinSurfacesTestLane.h"

namespace {

using PinSurfaces = PinSurfaceLane;

TEST_F(PinSurfaces, PinBelowThePitLimitLeavesPlayUntouched) {
    PinData& at = Place(4, {5.0f, 4.25f, 192.0f, 0.0f}, kAcrossLane, ActivePin);
    at.velocity = {0.0f, 0.1f, 0.0f, 0.0f};
    DetectPinWallCollision(*lane, 4);
    EXPECT_EQ(at.state, ActivePin);
    EXPECT_TRUE(lane->PinsToOutput & PinBit(4));

    PinData& p = Place(4, {5.0f, std::nextafter(4.25f, 5.0f), 194.3f, 0.0f}, kAcrossLane, ActivePin);
    Place(5, {8.0f, -1.5f, 185.0f, 0.0f}, kUpright, ActivePin);
    p.velocity = {0.0f, 0.1f, 0.2f, 0.0f};  // against the cushion, but out of play first
    DetectPinWallCollision(*lane, 4);
    EXPECT_EQ(p.state, InactivePin);
    EXPECT_FALSE(lane->PinsToOutput & PinBit(4));
    EXPECT_TRUE(lane->PinsToOutput & PinBit(5));
    EXPECT_EQ(p.velocity.z, 0.2f);
}

TEST_F(PinSurfaces, UprightPinAtRestStaysAtRest) {
    PinData& p = Place(0, {5.25f, -1.5f, 180.0f, 0.0f}, kUpright, ActivePin);
    for (s32 step = 0; step < 10; ++step)
        DetectPinWallCollision(*lane, 0);
    EXPECT_EQ(p.velocity.x, 0.0f);
    EXPECT_EQ(p.velocity.y, 0.0f);
    EXPECT_EQ(p.velocity.z, 0.0f);
    EXPECT_EQ(p.Omega.x, 0.0f);
    EXPECT_EQ(p.Omega.y, 0.0f);
    EXPECT_EQ(p.Omega.z, 0.0f);
    EXPECT_EQ(p.position.y, -1.5f);
}

// Pins dropped in several attitudes settle on the lane without sinking through it:
// upright on the base, or lying on belly and head. (A lying pin may keep creeping a
// little; the contact model has no rolling resistance.)
TEST_F(PinSurfaces, DroppedPinComesToRestOnTheLane) {
    const s_Vector3 attitudes[] = {kUpright, kAcrossLane, kAlongLane, {0.6f, -0.3f, 0.7f, 0.0f}};
    for (const s_Vector3& up : attitudes) {
        PinData& p = Place(3, {5.25f, -2.2f, 170.0f, 0.0f}, up, ActivePin);
        p.velocity = {0.0f, 0.02f, 0.0f, 0.0f};
        f32 deepest = -10.0f;  // how far the lowest proxy reaches into the lane
        for (s32 step = 0; step < 600; ++step) {
            FallStep(3);
            ASSERT_TRUE(Finite(p)) << step;
            deepest = std::max({deepest, p.position.y + 0.56f, p.collisionSpheres[0].y + 0.5625f,
                                p.collisionSpheres[1].y + 0.335f});
        }
        EXPECT_LT(deepest, 0.03f) << "sank into the lane";
        EXPECT_GT(p.position.y, -1.6f);
        EXPECT_LT(p.position.y, -0.5f);
        EXPECT_LT(std::fabs(p.velocity.y), 0.01f);
        EXPECT_LT(std::fabs(p.velocity.x) + std::fabs(p.velocity.z), 0.002f);
        EXPECT_EQ(p.state, ActivePin);
    }
}

TEST_F(PinSurfaces, FloorSupportCancelsAtMostOneStepOfGravity) {
    PinData& p = Place(1, {5.0f, -0.5f, 100.0f, 0.0f}, kAcrossLane, ActivePin);
    s_Vector3 c{0.0f, 0.5f, 0.0f, 0.0f};
    // Resting: depth 0.06, no approach.
    PinFloorCollision(*lane, 1, 0.5, 0.56, 0.5, 0.13, 0.09, &c);
    EXPECT_FLOAT_EQ(p.velocity.y, -PHYS_GRAVITY);
    EXPECT_EQ(p.position.y, -0.5f);
    // Shallow: the push is the depth only.
    p.velocity = {};
    PinFloorCollision(*lane, 1, 0.558, 0.56, 0.5, 0.13, 0.09, &c);
    EXPECT_FLOAT_EQ(p.velocity.y, -0.002f);
}

TEST_F(PinSurfaces, WallIgnoresApproachAtOrBelowTheThreshold) {
    PinData& p = Place(2, {5.0f, -1.0f, 100.0f, 0.0f}, kAlongLane, ActivePin);
    s_Vector3 normal{1.0f, 0.0f, 0.0f, 0.0f};
    s_Vector3 c{};
    p.velocity.x = f32(CONTACT_MIN_APPROACH);
    PinWallCollision(*lane, 2, 0.5, 0.56, 0.5, &normal, &c);
    EXPECT_EQ(p.velocity.x, f32(CONTACT_MIN_APPROACH));
    EXPECT_EQ(p.position.x, 5.0f);

    p.velocity.x = f32(2.0 * CONTACT_MIN_APPROACH);
    PinWallCollision(*lane, 2, 0.5, 0.56, 0.5, &normal, &c);
    EXPECT_LT(p.velocity.x, 0.0f);
}

// A pin lying in the left gutter, below the lane, meets the gutter's inner wall
// (restitution 0.55), not the lane edge; deep enough to be rolled back two whole steps.
TEST_F(PinSurfaces, GutterInnerWallTurnsPinBack) {
    PinData& p = Place(6, {-0.4f, 0.3f, 100.0f, 0.0f}, kAlongLane, ActivePin);
    p.velocity = {0.05f, 0.0f, 0.0f, 0.0f};
    DetectPinWallCollision(*lane, 6);
    EXPECT_FLOAT_EQ(p.velocity.x, 0.05f - 1.55f * 0.05f);
    EXPECT_FLOAT_EQ(p.position.x, -0.4f - 2.0f * 0.05f + 2.0f * p.velocity.x);
    EXPECT_EQ(p.Omega.y, 0.0f);
    EXPECT_FLOAT_EQ(p.collisionSpheres[0].x, p.position.x);
}

// Each surface turns back a pin moving into it. The kickbacks and the ceiling have
// no extent; the lane edge's normal has the profile's axial tilt (NormTableX); the
// deck end's edge tips a pin into the pit; the cushion keeps under 0.23 of the speed.
TEST_F(PinSurfaces, SurfacesTurnPinsBack) {
    struct Case {
        const char* what;
        s32 pin;
        s_Vector3 position, up, velocity;
        s32 axis;     // component expected to change sign
        f32 maxBack;  // largest speed allowed back along it
    };
    const Case cases[] = {
        {"left kickback",
         6,
         {-1.9f, 0.315f, 120.0f, 0.0f},
         kAlongLane,
         {-0.05f, 0.0f, 0.0f, 0.0f},
         0,
         0.025f},
        {"right kickback", 9, {12.3f, 0.315f, 120.0f, 0.0f}, kAlongLane, {0.05f, 0.0f, 0.0f, 0.0f}, 0, 1.0f},
        {"far left", 0, {-50.0f, -30.0f, 5.0f, 0.0f}, kUpright, {-0.2f, 0.0f, 0.0f, 0.0f}, 0, 1.0f},
        {"far right", 1, {40.0f, 2.0f, 300.0f, 0.0f}, kAcrossLane, {0.2f, 0.0f, 0.0f, 0.0f}, 0, 1.0f},
        {"far up", 2, {5.0f, -100.0f, 50.0f, 0.0f}, kAlongLane, {0.0f, -0.2f, 0.0f, 0.0f}, 1, 1.0f},
        {"cushion", 8, {6.0f, -1.5f, 194.0f, 0.0f}, kUpright, {0.0f, 0.0f, 0.05f, 0.0f}, 2, 0.23f * 0.05f},
    };
    for (const Case& c : cases) {
        PinData& p = Place(c.pin, c.position, c.up, ActivePin);
        p.velocity = c.velocity;
        DetectPinWallCollision(*lane, c.pin);
        const f32 before = (&c.velocity.x)[c.axis], after = (&p.velocity.x)[c.axis];
        EXPECT_LT(before * after, 0.0f) << c.what;
        EXPECT_LE(std::fabs(after), c.maxBack + 1e-6f) << c.what;
    }

    PinData& edge = Place(1, {-0.3f, -0.2f, 100.0f, 0.0f}, kAlongLane, ActivePin);
    edge.velocity = {0.0f, 0.05f, 0.0f, 0.0f};
    DetectPinWallCollision(*lane, 1);
    EXPECT_LT(edge.velocity.x, 0.0f);
    EXPECT_LT(edge.velocity.y, 0.05f);
    EXPECT_LT(edge.velocity.z, 0.0f);

    PinData& deck = Place(7, {5.0f, -0.3f, 189.3f, 0.0f}, kAcrossLane, ActivePin);
    deck.velocity = {0.0f, 0.05f, 0.0f, 0.0f};
    DetectPinWallCollision(*lane, 7);
    EXPECT_LT(deck.velocity.y, 0.05f);
    EXPECT_GT(deck.velocity.z, 0.0f);
}

TEST_F(PinSurfaces, CeilingBouncesWithItsRestitution) {
    PinData& p = Place(2, {5.0f, -4.7f, 50.0f, 0.0f}, kUpright, ActivePin);
    p.velocity = {0.0f, -0.05f, 0.0f, 0.0f};
    DetectPinWallCollision(*lane, 2);
    EXPECT_FLOAT_EQ(p.velocity.y, 0.4f * 0.05f);
    EXPECT_EQ(p.Omega.x, 0.0f);
    EXPECT_EQ(p.Omega.z, 0.0f);
}

TEST_F(PinSurfaces, DeckEndFaceTurnsPinBack) {
    PinData& p = Place(7, {5.0f, 0.2f, 189.3f, 0.0f}, kAcrossLane, ActivePin);
    p.velocity = {0.0f, 0.0f, -0.05f, 0.0f};
    DetectPinWallCollision(*lane, 7);
    EXPECT_FLOAT_EQ(p.velocity.z, 0.5f * 0.05f);
}

TEST_F(PinSurfaces, TableBinsStayInsideTheirTables) {
    using namespace PinSurface;
    const f32 nan = std::nanf("");
    EXPECT_EQ(WobbleRingBin(-1.0f), 0);
    EXPECT_EQ(WobbleRingBin(-1.5f), 0);
    EXPECT_EQ(WobbleRingBin(-0.8000001f), 25);
    EXPECT_EQ(WobbleRingBin(3.0f), 26);
    EXPECT_EQ(WobbleRingBin(nan), 0);

    EXPECT_EQ(ContactOffsetBin(-1.0f), 0);
    EXPECT_EQ(ContactOffsetBin(0.0f), 32);
    EXPECT_EQ(ContactOffsetBin(1.0f), 64);
    EXPECT_EQ(ContactOffsetBin(1e30f), 64);
    EXPECT_EQ(ContactOffsetBin(nan), 0);
    EXPECT_EQ(ContactOffset[ContactOffsetBin(0.3124f)], -0.2243404686);
    EXPECT_EQ(ContactOffset[ContactOffsetBin(0.3125f)], 0.2557410598);

    const s_Vector3 up = kUpright;
    EXPECT_EQ(HeightBin({0.0f, 1.6f, 0.0f, 0.0f}, up), 0);  // below the base
    EXPECT_EQ(HeightBin({0.0f, -2.4375f, 0.0f, 0.0f}, up), 63);
    EXPECT_EQ(HeightBin({0.0f, -1e30f, 0.0f, 0.0f}, up), 63);
    EXPECT_EQ(HeightBin({0.0f, nan, 0.0f, 0.0f}, up), 0);
    EXPECT_EQ(HeightBin({0.0f, 0.0f, 0.0f, 0.0f}, up), 24);
}

// Pins thrown about everywhere, in every attitude, some far off the lane or spinning
// hard: nothing ever becomes NaN or infinite, and no table is read out of bounds.
TEST_F(PinSurfaces, NoNaNAnywhere) {
    std::mt19937 rng(1234);
    std::uniform_real_distribution<f32> x(-4.0f, 14.5f), y(-6.0f, 4.5f), z(170.0f, 197.0f), unit(-1.0f, 1.0f);
    for (s32 round = 0; round < 60; ++round) {
        for (s32 i = 0; i < NUM_PINS; ++i) {
            const bool wobble = (round + i) % 3 == 0;
            const s_Vector3 up = wobble ? s_Vector3{0.3f * unit(rng), -1.0f, 0.3f * unit(rng), 0.0f}
                                        : s_Vector3{unit(rng), unit(rng), unit(rng) + 0.01f, 0.0f};
            PinData& p = Place(i, {x(rng), wobble ? -1.5f + 0.05f * unit(rng) : y(rng), z(rng), 0.0f}, up,
                               wobble ? WobblePin : ActivePin);
            const f32 speed = i == 9 ? 5.0f : 0.2f;
            p.velocity = {speed * unit(rng), speed * unit(rng), speed * unit(rng), 0.0f};
            p.Omega = {speed * unit(rng), speed * unit(rng), speed * unit(rng), 0.0f};
        }
        for (s32 step = 0; step < 20; ++step) {
            for (s32 i = 0; i < NUM_PINS; ++i) {
                PinData& p = lane->PhysPins[i];
                if (p.state == WobblePin) {
                    DoWobblePin(*lane, i);
                } else if (p.state == ActivePin) {
                    FallStep(i);
                }
                ASSERT_TRUE(Finite(p)) << "round " << round << " pin " << i;
            }
        }
    }
}

}  // namespace
