// Shared by the whole-throw tests: standard throws and the film invariants every
// finished throw must keep.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

#include "orblib47/source/OrbRandom.h"
#include "source/Physics/FilmPlayback.h"
#include "source/Physics/Physics.h"
#include "source/Physics/ThrowRunner.h"

namespace wholethrow {

constexpr PinMask kFilmBodyBits = PIN_MASK_ALL | FILM_BALL_BIT | FILM_SWEEPER_BIT;

inline const u16 (*DryOil())[OIL_BOARDS] {
    static const u16 dry[OIL_ROWS][OIL_BOARDS]{};
    return dry;
}

// A straight ball at a realistic speed, no spin, on a dry lane.
inline ThrowSetup StraightThrow(f32 x, f32 speed) {
    ThrowSetup setup;
    setup.ball.position.x = x;
    setup.ball.velocity.z = speed;
    setup.ball.mass = 16;
    setup.oil = DryOil();
    return setup;
}

// Right of the head pin, between it and pin 2: the pocket of a right-hander.
inline ThrowSetup PocketThrow() {
    return StraightThrow(6.0f, 85.0f);
}

inline ThrowSetup GutterThrow() {
    ThrowSetup setup = StraightThrow(0.5f, 85.0f);
    setup.ball.velocity.x = -4.0f;
    return setup;
}

inline bool Finite(const s_Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

inline f32 Dot(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline void ExpectOrthonormal(const Orientation_t& o, const char* what, s32 where) {
    EXPECT_NEAR(Dot(o.up, o.up), 1.0f, 1e-3f) << what << " " << where;
    EXPECT_NEAR(Dot(o.right, o.right), 1.0f, 1e-3f) << what << " " << where;
    EXPECT_NEAR(Dot(o.up, o.right), 0.0f, 1e-3f) << what << " " << where;
}

// The film's bookkeeping, the counters' caps, finite and orthonormal poses, and a
// sane lane state. The sweeper's orientation carries no meaning on the player's lane;
// the ball's poses interpolated in the coarse roll (frames below rollFrames) have
// unit axes that are not made orthogonal again.
inline void ExpectSoundFilm(const LaneContext& lane, s32 rollFrames = 0) {
    ASSERT_GE(lane.NumPhysFrames, 1);
    ASSERT_LE(lane.NumPhysFrames, PHYS_MAX_FRAMES - 1);
    ASSERT_LE(lane.OutputFramesUsed, PHYS_MAX_POSES - 1);
    EXPECT_EQ(lane.PhysDataIndex[0], 0);
    for (s32 n = 0; n < lane.NumPhysFrames; ++n) {
        const PinMask mask = lane.PhysPinsMask[n];
        EXPECT_EQ(mask & ~kFilmBodyBits, 0) << "frame " << n;
        const s32 end = lane.PhysDataIndex[n] + std::popcount(u32(mask & kFilmBodyBits));
        const s32 next = n + 1 < lane.NumPhysFrames ? lane.PhysDataIndex[n + 1] : lane.OutputFramesUsed;
        ASSERT_EQ(end, next) << "frame " << n;
        ForEachFramePose(lane, n, [&](s32 body, const RefFrame_t& pose) {
            EXPECT_TRUE(Finite(pose.position) && Finite(pose.O.up) && Finite(pose.O.right)) << "frame " << n;
            const bool interpolated = body == FILM_BODY_BALL && n < rollFrames && (n - 1) % 4 != 0;
            if (interpolated) {
                EXPECT_NEAR(Dot(pose.O.up, pose.O.up), 1.0f, 1e-3f) << "frame " << n;
                EXPECT_NEAR(Dot(pose.O.right, pose.O.right), 1.0f, 1e-3f) << "frame " << n;
            } else if (body != FILM_BODY_SWEEPER || lane.kind == LaneKind::Computer) {
                ExpectOrthonormal(pose.O, "frame", n);
            }
        });
    }
    EXPECT_EQ(lane.iPhysicsResult & ~PIN_MASK_ALL, 0);
    EXPECT_TRUE(Finite(lane.PhysBall.position) && Finite(lane.PhysBall.velocity));
    for (s32 i = 0; i < NUM_PINS; ++i) {
        const PinData& pin = lane.PhysPins[i];
        EXPECT_TRUE(Finite(pin.position) && Finite(pin.velocity) && Finite(pin.Omega)) << "pin " << i;
        EXPECT_GE(pin.state, InactivePin);
        EXPECT_LE(pin.state, ActivePin);
    }
}

// The film's arrays as bytes, for exact comparisons.
struct FilmCopy {
    explicit FilmCopy(const LaneContext& lane)
        : frames(lane.NumPhysFrames),
          poses(lane.OutputFramesUsed),
          data(std::make_unique<LaneContext>(lane)) {}
    bool SameAs(const LaneContext& lane) const {
        return frames == lane.NumPhysFrames && poses == lane.OutputFramesUsed &&
               std::memcmp(data->PhysPinsMask, lane.PhysPinsMask, sizeof(PinMask) * frames) == 0 &&
               std::memcmp(data->PhysDataIndex, lane.PhysDataIndex, sizeof(u16) * frames) == 0 &&
               std::memcmp(data->PhysOrientFrame, lane.PhysOrientFrame, sizeof(RefFrame_t) * poses) == 0;
    }
    s32 frames;
    s32 poses;
    std::unique_ptr<LaneContext> data;
};

}  // namespace wholethrow
