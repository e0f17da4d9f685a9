// Hand-made lanes for the contact tests: pins and the ball placed and set moving by
// hand, every other pin out of play.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "source/Physics/Physics.h"
#include "source/Physics/PinContact.h"
#include "source/Physics/PinTables.h"

inline s_Vector3 Vec(f32 x, f32 y, f32 z) {
    return s_Vector3{x, y, z, 0.0f};
}

// Every pin out of play and unstruck, a 14-weight ball, frame 123.
inline void ClearContactLane(LaneContext& lane) {
    for (s32 i = 0; i < NUM_PINS; ++i) {
        lane.PhysPins[i] = PinData{};
        lane.PhysPins[i].state = InactivePin;
        lane.FramePinStartWobble[i] = 0;
    }
    lane.PinsToOutput = 0;
    lane.NumPhysFrames = 123;
    lane.PhysBall = BallData_t{};
    lane.PhysBall.mass = 14;
}

inline std::unique_ptr<LaneContext> MakeContactLane() {
    auto lane = std::make_unique<LaneContext>(LaneKind::Player);
    ClearContactLane(*lane);
    return lane;
}

// A pin at `position` along the unit axis `up`, at rest.
inline void PlacePin(LaneContext& lane, s32 i, PinState state, s_Vector3 position,
                     s_Vector3 up = Vec(0, -1, 0)) {
    PinData& pin = lane.PhysPins[i];
    pin = PinData{};
    pin.state = state;
    pin.position = position;
    pin.O.up = up;
    // Any unit vector across the axis.
    pin.O.right = std::fabs(up.x) < 0.9f ? Vec(0, up.z, -up.y) : Vec(-up.y, up.x, 0);
    NormalizeVector(&pin.O.right);
    UpdatePinSpheres(pin);
}

inline void PlaceBall(LaneContext& lane, s_Vector3 position, s_Vector3 velocity) {
    lane.PhysBall.position = position;
    lane.PhysBall.velocity = velocity;
    lane.PhysBall.visible = 1;
    lane.PhysBall.slip = 0;
}

inline bool IsFinite(const s_Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

inline void ExpectLaneFinite(const LaneContext& lane) {
    EXPECT_TRUE(IsFinite(lane.PhysBall.position) && IsFinite(lane.PhysBall.velocity));
    for (const PinData& pin : lane.PhysPins) {
        EXPECT_TRUE(IsFinite(pin.position) && IsFinite(pin.velocity) && IsFinite(pin.Omega) &&
                    IsFinite(pin.O.up) && IsFinite(pin.O.right) && IsFinite(pin.collisionSpheres[0]) &&
                    IsFinite(pin.collisionSpheres[1]) && IsFinite(pin.collisionSpheres[2]));
    }
}

inline void ExpectSameVector(const s_Vector3& a, const s_Vector3& b) {
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
}

inline void ExpectNear(const s_Vector3& a, const s_Vector3& b, f32 tolerance) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

// The collision spheres sit on the pin's axis.
inline void ExpectSpheresOnAxis(const PinData& pin) {
    for (s32 k = 0; k < 3; ++k) {
        const f32 offset = PinCollisionSphereOffset[k];
        ExpectNear(pin.collisionSpheres[k],
                   Vec(pin.position.x + offset * pin.O.up.x, pin.position.y + offset * pin.O.up.y,
                       pin.position.z + offset * pin.O.up.z),
                   1e-6f);
    }
}

inline void ExpectStruckAt(const LaneContext& lane, s32 pin, s32 frame) {
    EXPECT_EQ(lane.PhysPins[pin].state, WobblePin);
    EXPECT_NE(lane.PinsToOutput & PinBit(pin), 0);
    EXPECT_EQ(lane.FramePinStartWobble[pin], frame);
}
