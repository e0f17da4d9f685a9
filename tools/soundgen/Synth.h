// The demo disc's sounds, synthesised: a few lane and menu effects and a looping
// menu tune. Everything is computed from fixed seeds, so every build writes the
// same samples.
#pragma once

#include <vector>

#include "console/types.h"

namespace soundgen {

constexpr u32 kSoundRate = 32000;

struct StereoPcm {
    std::vector<s16> left;
    std::vector<s16> right;
};

// A ball rolling down the lane: low filtered noise with a slow rumble, meant to
// loop (its end meets its start).
std::vector<s16> SynthBallRoll();
// Pins struck: a sharp wooden crack, then the clatter of pins falling.
std::vector<s16> SynthPinCrash();
// A ball dropping into the gutter: a hollow thud that rolls away.
std::vector<s16> SynthGutter();
// The pinsetter: a motor's hum with the deck's clunks.
std::vector<s16> SynthPinsetter();
// The sweeper bar: a rising and falling rush that ends on a knock.
std::vector<s16> SynthSweep();
// A crowd cheering a strike, with hand claps.
std::vector<s16> SynthStrikeCheer();
// A menu click: a short bright blip.
std::vector<s16> SynthClick();

// The menu tune: sixteen seconds of a four-chord loop with a plucked melody and
// a bass line; the last sample leads back into the first.
StereoPcm SynthMenuMusic();

}  // namespace soundgen
