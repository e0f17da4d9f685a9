// A human's throw from the remote: tilt aims, then the swing's acceleration while
// the throw button is held gives power and spin; letting go releases the ball.
#pragma once

#include "source/Players/Player.h"

enum e_ThrowPhase : s32 {
    THROW_AIMING,    // tilt moves the aim; the guide line shows it
    THROW_SWINGING,  // the throw button is held: the swing is being measured
    THROW_RELEASED,  // the shot is complete
};

class CThrowInput {
public:
    // A new throw on the remote of `channel`, aim starting from the shot given.
    void Begin(s32 channel, const ShotParameters& start);
    // One frame of input; fills the shot's aim, power, spin and accuracy (from the
    // player's statistics). Every swing ends: a throw button held too long releases.
    e_ThrowPhase Update(const CPlayer& player, ShotParameters* shot);

    // Meter fills for the HUD: 0..1 and -1..1.
    f32 PowerMeter() const { return m_power; }
    f32 SpinMeter() const { return m_spin; }
    e_ThrowPhase Phase() const { return m_phase; }

private:
    s32 m_channel = 0;
    e_ThrowPhase m_phase = THROW_AIMING;
    f32 m_power = 0.0f;
    f32 m_spin = 0.0f;
    s32 m_swingFrames = 0;
};
