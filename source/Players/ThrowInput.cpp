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

}  // namespace

void CThrowInput::Begin(s32 channel, const ShotParameters& start) {
    m_channel = std::clamp(channel, 0, PAD_COUNT - 1);
    m_phase = THROW_AIMING;
    m_aimX = std::isfinite(start.AimX) ? std::clamp(start.AimX, 0.0f, 1.0f) : 0.5f;
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
            // Every frame counts at least one retrace, so the time-out comes even
            // on a clock that stands still.
            m_swingTime += std::max(RealDeltaTime, FrameDuration);
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
// aimed along.
void CThrowInput::Aim(ShotParameters* shot) {
    f32 roll;
    if (ContGetTiltRoll(m_channel, &roll) != 0)
        m_aimX = std::clamp(0.5f + 0.5f * (kLevelRoll - roll) / kFullAimRoll, 0.0f, 1.0f);
    shot->AimX = m_aimX;
    shot->ReleaseX = m_aimX;
    if ((Pad[m_channel].bnew & kThrowButton) == 0)
        return;
    m_phase = THROW_SWINGING;
    if (ContGetPointerAcc(m_channel, m_restAcc) == 0)
        std::fill(std::begin(m_restAcc), std::end(m_restAcc), 0.0f);
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
