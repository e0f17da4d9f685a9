// A shot turned into the ball the physics rolls.
#include <algorithm>
#include <cmath>

#include "source/Players/Player.h"
#include "source/Players/PlayersInternal.h"

namespace {

// Ball speeds in units per second (4.4 to a mile an hour), from no power to full
// power with the weakest and with the strongest arm. A human's swing rolls a soft
// 12 mph ball to a hard one of 21 to 23 mph; a computer bowler throws from 17 mph
// to 19.3 to 21.6 mph.
struct SpeedRange {
    f32 slowest, weakestArmTop, strongestArmTop;
};
constexpr SpeedRange kSwingSpeeds{52.8f, 92.4f, 101.2f};
constexpr SpeedRange kComputerSpeeds{75.0f, 85.0f, 95.0f};
// The sideways speed of the ball's surface at full spin, as the computer lanes use.
constexpr f32 kFullSpin = 0.25f;
// How far an aim with no accuracy at all may stray at the arrows (two inches).
constexpr f32 kWorstAimError = 0.5f;
// Ball weights: 16 lb for men, 10 lb for women.
constexpr u8 kMensBall = 16;
constexpr u8 kWomensBall = 10;

f32 Unit(f32 v) {
    return std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : 0.0f;
}

}  // namespace

BallData_t BuildAimedBall(const ShotParameters& shot, const CPlayer& player) {
    BallData_t ball{};
    const f32 release =
        std::clamp(LaneX(Unit(shot.ReleaseX)), PHYS_BALL_RADIUS, kLaneWidth - PHYS_BALL_RADIUS);
    ball.position = {release, 0.0f, 0.0f, 0.0f};

    const SpeedRange& range = player.bIsHumanPlayer ? kSwingSpeeds : kComputerSpeeds;
    const f32 topSpeed =
        range.weakestArmTop + (range.strongestArmTop - range.weakestArmTop) * StatShare(player.m_ArmStrength);
    const f32 speed = range.slowest + (topSpeed - range.slowest) * Unit(shot.Power);
    const f32 across = LaneX(Unit(shot.AimX)) - release;
    const f32 length = std::sqrt(across * across + kArrowsZ * kArrowsZ);
    ball.velocity = {speed * across / length, 0.0f, speed * kArrowsZ / length, 0.0f};

    // A ball hooks against its surface's sideways speed: hooking left needs a
    // positive one. Hook control gives the bowler between half and all of it.
    const f32 spin = std::isfinite(shot.Spin) ? std::clamp(shot.Spin, -1.0f, 1.0f) : 0.0f;
    ball.VSpin.x = -spin * kFullSpin * (0.5f + 0.5f * StatShare(player.m_HookControl));

    ball.mass = player.m_PlayerConstruction.m_CharacterAttributes.gender == 0 ? kMensBall : kWomensBall;
    return ball;
}

BallData_t BuildReleasedBall(const ShotParameters& shot, const CPlayer& player) {
    // One draw for every ball, however accurate, so the random sequence does not
    // depend on the bowler.
    ShotParameters scattered = shot;
    scattered.AimX =
        Unit(shot.AimX) + RandomSpread() * (1.0f - Unit(shot.Accuracy)) * kWorstAimError / kLaneWidth;
    return BuildAimedBall(scattered, player);
}
