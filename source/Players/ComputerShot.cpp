// A computer bowler's shot: the pocket on a full rack, the middle of the leave on
// a spare, bowled as its statistics allow.
#include <algorithm>
#include <cmath>

#include "source/Physics/Physics.h"
#include "source/Players/Player.h"
#include "source/Players/PlayersInternal.h"

namespace {

// How hard a computer bowler throws: between these shares of its fastest ball.
constexpr f32 kLeastPower = 0.6f;
constexpr f32 kMostPower = 0.9f;
// A computer bowler's strike ball has this much of the spin its hook control allows;
// spares are bowled straight.
constexpr f32 kStrikeSpin = 0.6f;
// A careless bowler's power may be off by this much.
constexpr f32 kWorstPowerError = 0.1f;

constexpr s32 kLeftPocketPin = 1;   // the 2 pin
constexpr s32 kRightPocketPin = 2;  // the 3 pin

// The middle of the standing pins.
s_Vector3 LeaveCentre(PinMask standing) {
    s_Vector3 sum{};
    f32 count = 0.0f;
    for (s32 pin = 0; pin < NUM_PINS; ++pin) {
        if ((standing & PinBit(pin)) != 0) {
            const s_Vector3 spot = PinRackSpot(pin);
            sum.x += spot.x;
            sum.z += spot.z;
            count += 1.0f;
        }
    }
    return {sum.x / count, 0.0f, sum.z / count, 0.0f};
}

// Halfway between the head pin and the pin behind it on the side the ball hooks from.
s_Vector3 Pocket(bool leftHanded) {
    const s_Vector3 head = PinRackSpot(0);
    const s_Vector3 side = PinRackSpot(leftHanded ? kLeftPocketPin : kRightPocketPin);
    return {0.5f * (head.x + side.x), 0.0f, head.z, 0.0f};
}

// How far its hook carries a ball sideways by the time it reaches the pins, as a
// computer bowler's ball rolls (slick oil for the first 35 feet): a rule of thumb
// measured on the lane, growing with the spin and the ball's friction and falling
// with the cube of the speed.
constexpr f32 kHookOnOil = 0.64f;
constexpr f32 kHookPerFriction = 3.7f;
constexpr f32 kHookSpeed = 85.0f;

f32 HookDrift(const BallData_t& ball, const BallRecord& record) {
    const f32 slower = kHookSpeed / std::hypot(ball.velocity.x, ball.velocity.z);
    return -ball.VSpin.x * (kHookOnOil + kHookPerFriction * f32(record.ball_mu)) * slower * slower * slower;
}

}  // namespace

// The pins decide the shot, whichever ball of the rack it is. A full rack is
// bowled straight down the board that the hook carries into the pocket; a spare
// straight and from across the lane, so that a corner pin is met at an angle.
void CPlayer::calculateShot(PinMask standing, s32) {
    standing &= PIN_MASK_ALL;
    const bool fullRack = standing == PIN_MASK_ALL || standing == 0;
    const bool leftHanded = LeftHanded();
    const s_Vector3 target = fullRack ? Pocket(leftHanded) : LeaveCentre(standing);

    const f32 accuracy = StatShare(m_Accuracy);
    const f32 powerError = RandomSpread() * (1.0f - accuracy) * kWorstPowerError;
    m_Shot.Power = std::clamp(
        kLeastPower + (kMostPower - kLeastPower) * StatShare(m_ArmStrength) + powerError, 0.0f, 1.0f);
    m_Shot.Accuracy = accuracy;
    // A right-hander hooks left.
    m_Shot.Spin = fullRack ? (leftHanded ? kStrikeSpin : -kStrikeSpin) : 0.0f;

    const f32 aimAt = target.x - HookDrift(BuildAimedBall(m_Shot, *this), GetShotBallRecord());
    const f32 edge = PHYS_BALL_RADIUS + PHYS_BOARD_WIDTH;
    const f32 release = std::clamp(fullRack ? aimAt : kLaneWidth - aimAt, edge, kLaneWidth - edge);
    m_Shot.ReleaseX = release / kLaneWidth;
    m_Shot.AimX = std::clamp((release + (aimAt - release) * kArrowsZ / target.z) / kLaneWidth, 0.0f, 1.0f);
}
