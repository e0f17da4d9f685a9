// A human's throw from the remote: tilt aims and the cross key moves the aim a
// board at a time, then the swing's acceleration while the throw button is held
// gives power and spin; letting go releases the ball.
#pragma once

#include <cmath>

#include "source/Players/Player.h"

enum e_ThrowPhase : s32 {
    THROW_AIMING,    // tilt and the cross key move the aim; the guide line shows it
    THROW_SWINGING,  // the throw button is held: the swing is being measured
    THROW_RELEASED,  // the shot is complete
};

class CThrowInput {
public:
    // A new throw on the remote of `channel` (0..3); the start's aim stands until
    // the remote reports a tilt or the cross key moves it.
    void Begin(s32 channel, const ShotParameters& start);
    // One frame of input, after the pads were read; fills the shot's aim, power,
    // spin and accuracy (from the player's statistics). Every swing ends: a throw
    // button held too long releases, and a press without a swing bowls slowly.
    e_ThrowPhase Update(const CPlayer& player, ShotParameters* shot);

    // Meter fills for the HUD: 0..1 and -1..1.
    f32 PowerMeter() const { return m_power; }
    f32 SpinMeter() const { return m_spin; }
    e_ThrowPhase Phase() const { return m_phase; }

private:
    void Aim(ShotParameters* shot);
    void Nudge(f32 dt);
    void Swing();

    s32 m_channel = 0;
    e_ThrowPhase m_phase = THROW_AIMING;
    f32 m_aimX = 0.5f;
    f32 m_roll = NAN;        // the tilt that last aimed; NaN for none yet
    s32 m_nudgeSide = 0;     // the cross key held: -1 left, 1 right, 0 neither
    f32 m_nudgeTime = 0.0f;  // seconds it has been held
    f32 m_power = 0.0f;
    f32 m_spin = 0.0f;
    f32 m_swingTime = 0.0f;  // seconds the throw button has been held
    f32 m_restAcc[3] = {};   // the remote's acceleration when the swing began
};
