// A hand-made lane for the pin-surface tests: pins placed one by one with the
// motion a test wants.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "source/Physics/BallMotion.h"
#include "source/Physics/Physics.h"
#include "source/Physics/PinContact.h"
#include "source/Physics/PinTables.h"
#include "tests/support/GameFixture.h"

class PinSurfaceLane : public GameFixture {
protected:
    // Places pin i with its axis along up (normalised here), at rest.
    PinData& Place(s32 i, s_Vector3 position, s_Vector3 up, PinState state) {
        PinData& p = lane->PhysPins[i];
        NormalizeVector(&up);
        p.position = position;
        p.O.up = up;
        // Any unit vector across the axis.
        p.O.right =
            std::fabs(up.x) < 0.9f ? s_Vector3{0.0f, -up.z, up.y, 0.0f} : s_Vector3{-up.y, up.x, 0.0f, 0.0f};
        NormalizeVector(&p.O.right);
        p.velocity = {};
        p.Omega = {};
        p.state = state;
        UpdatePinSpheres(p);
        lane->PinsToOutput = PinMask(lane->PinsToOutput | PinBit(i));
        return p;
    }

    // One fine step of a lone free pin: gravity, the move, then its surfaces.
    void FallStep(s32 i) {
        PinData& p = lane->PhysPins[i];
        p.velocity.y += PHYS_GRAVITY;
        MovePinPose(p, 1.0);
        OrthonormaliseOrientation(p.O);
        UpdatePinSpheres(p);
        DetectPinWallCollision(*lane, i);
    }

    static bool Finite(const s_Vector3& v) {
        return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
    }

    static bool Finite(const PinData& p) {
        return Finite(p.position) && Finite(p.velocity) && Finite(p.Omega) && Finite(p.O.up) &&
               Finite(p.O.right) && Finite(p.collisionSpheres[0]) && Finite(p.collisionSpheres[1]) &&
               Finite(p.collisionSpheres[2]);
    }

    std::unique_ptr<LaneContext> lane = std::make_unique<LaneContext>(LaneKind::Player);
};

constexpr s_Vector3 kUpright{0.0f, -1.0f, 0.0f, 0.0f};
constexpr s_Vector3 kAlongLane{0.0f, 0.0f, 1.0f, 0.0f};
constexpr s_Vector3 kAcrossLane{1.0f, 0.0f, 0.0f, 0.0f};
