// The remote's throw: tilt to aim, hold B and swing, let go to release.
#include "source/Players/ThrowInput.h"

#include <algorithm>
#include <cmath>

#include "orblib47/source/NGC/Cont.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Pad.h"
#include "source/Players/PlayersInternal.h"

namespace {

// The roll of a remote held level, face up (at rest its acceleration is (0, 1, 0));
// rolling it to the right makes the roll smaller.
constexpr f32 kLevelRoll = 2.0f * 1.57080078125f;
// Rolling this far either way aims at the lane's edge.
constexpr f32 kFullAimRoll = 0.6f;
// Forward acceleration (in g, beyond the remote's at rest) of a swing at full
// power, and sideways acceleration of one at full spin: a brisk swing of 2.5 g
// gives about 0.7.
constexpr f32 kFullPowerAcc = 3.5f;
constexpr f32 kFullSpinAcc = 1.5f;
constexpr f32 kSwingTimeOut = 2.0f;  // seconds
constexpr u32 kThrowButton = PAD_B;

// The cross key moves the aim one board at a press; held past a pause it gathers
// speed up to a top speed, crossing the lane's 39 boards in about 2 seconds.
constexpr f32 kBoard = 1.0f / f32(OIL_BOARDS);  // of the lane's width
constexpr f32 kNudgePause = 0.25f;              // seconds
constexpr f32 kNudgeSpeedUp = 30.0f;            // boards a second, gained each second
constexpr f32 kNudgeTopSpeed = 30.0f;           // boards a second

// Boards moved by the cross key held for `held` seconds.
f32 NudgeBoards(f32 held) {
    const f32 moving = std::max(held - kNudgePause, 0.0f);
    const f32 speedingUp = std::min(moving, kNudgeTopSpeed / kNudgeSpeedUp);
    return 1.0f + 0.5f * kNudgeSpeedUp * speedingUp * speedingUp + kNudgeTopSpeed * (moving - speedingUp);
}

// Every frame counts at least one retrace, so that timing goes on even on a clock
// that stands still.
f32 FrameTime() {
    return std::max(RealDeltaTime, FrameDuration);
}

}  // namespace

void CThrowInput::Begin(s32 channel, const ShotParameters& start) {
    m_channel = std::clamp(channel, 0, PAD_COUNT - 1);
    m_phase = THROW_AIMING;
    m_aimX = std::isfinite(start.AimX) ? std::clamp(start.AimX, 0.0f, 1.0f) : 0.5f;
    m_roll = NAN;
    m_nudgeSide = 0;
    m_nudgeTime = 0.0f;
    m_power = 0.0f;
    m_spin = 0.0f;
    m_swingTime = 0.0f;
}

e_ThrowPhase CThrowInput::Update(const CPlayer& player, ShotParameters* shot) {
    switch (m_phase) {
        case THROW_AIMING:
            Aim(shot);
            break;
        case THROW_SWINGING:
            Swing();
            m_swingTime += FrameTime();
            if ((Pad[m_channel].bdown & kThrowButton) == 0 || m_swingTime >= kSwingTimeOut) {
                shot->Power = m_power;
                shot->Spin = m_spin;
                shot->Accuracy = StatShare(player.m_Accuracy);
                m_phase = THROW_RELEASED;
            }
            break;
        case THROW_RELEASED:
            break;
    }
    return m_phase;
}

// The bowler stands behind the aim: the ball is released on the board it is
// aimed along. The remote's tilt aims whenever it changes, so a still remote
// keeps the cross key's boards.
void CThrowInput::Aim(ShotParameters* shot) {
    f32 roll;
    if (ContGetTiltRoll(m_channel, &roll) != 0 && roll != m_roll) {
        m_roll = roll;
        m_aimX = std::clamp(0.5f + 0.5f * (kLevelRoll - roll) / kFullAimRoll, 0.0f, 1.0f);
    }
    Nudge(FrameTime());
    shot->AimX = m_aimX;
    shot->ReleaseX = m_aimX;
    if ((Pad[m_channel].bnew & kThrowButton) == 0)
        return;
    m_phase = THROW_SWINGING;
    if (ContGetPointerAcc(m_channel, m_restAcc) == 0)
        std::fill(std::begin(m_restAcc), std::end(m_restAcc), 0.0f);
}

// Left or right on the cross key: a board at the press, then faster while held.
void CThrowInput::Nudge(f32 dt) {
    const u32 held = Pad[m_channel].bdown;
    const s32 side = ((held & PAD_RIGHT) != 0 ? 1 : 0) - ((held & PAD_LEFT) != 0 ? 1 : 0);
    f32 boards;
    if (side != m_nudgeSide) {
        m_nudgeSide = side;
        m_nudgeTime = 0.0f;
        boards = NudgeBoards(0.0f);
    } else {
        boards = NudgeBoards(m_nudgeTime + dt) - NudgeBoards(m_nudgeTime);
        m_nudgeTime += dt;
    }
    m_aimX = std::clamp(m_aimX + f32(side) * boards * kBoard, 0.0f, 1.0f);
}

// Power is the swing's strongest forward push; spin its strongest sideways one,
// right positive.
void CThrowInput::Swing() {
    f32 acc[3];
    if (ContGetPointerAcc(m_channel, acc) == 0)
        return;
    const f32 forward = (acc[2] - m_restAcc[2]) / kFullPowerAcc;
    const f32 sideways = (acc[0] - m_restAcc[0]) / kFullSpinAcc;
    m_power = std::max(m_power, std::clamp(forward, 0.0f, 1.0f));
    if (std::fabs(sideways) > std::fabs(m_spin))
        m_spin = std::clamp(sideways, -1.0f, 1.0f);
}
