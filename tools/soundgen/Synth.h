// The demo disc's sounds, synthesised: lane and menu effects and a looping
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
// The crash of `pins` falling, 1 to NUM_PINS (others throw std::out_of_range): the
// ball's crack and a clatter of wooden knocks, from a short knock for one pin
// (0.3 s) to a loud crash of 1.5 s for all ten.
std::vector<s16> SynthPinCrash(u32 pins);
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
// The HOME-button menu's sounds: a soft tick as the cursor moves, and a rising
// two-note chime as a choice is made.
std::vector<s16> SynthMenuTick();
std::vector<s16> SynthMenuChoose();

// The front end's interface sounds, soft notes of one family, -12 to -8 dBFS at
// their peaks. A screen opens: a short glide up with a breath of air.
std::vector<s16> SynthScreenOpen();
// A choice accepted: two bright notes rising a fifth.
std::vector<s16> SynthAccept();
// The cursor moves: a short soft tick.
std::vector<s16> SynthCursorMove();
// A screen closes: the opening glide going down.
std::vector<s16> SynthScreenClose();
// A choice refused: two low muted notes falling.
std::vector<s16> SynthRefused();

// The kudos' sounds: a rising fanfare for a strike, a turkey or a six-pack; a
// bright two-note chime for a split or a spare; a sliding "aww" for a gutter ball.
std::vector<s16> SynthKudosCheer();
std::vector<s16> SynthKudosPins();
std::vector<s16> SynthKudosGutter();

// The logo movies' sounds, `seconds` long, -12 dBFS at their peaks: the studio's
// breath and bell as its name forms, the engine's whoosh and warm chord.
std::vector<s16> SynthStudioChime(double seconds);
std::vector<s16> SynthEngineChime(double seconds);

// The menu tune: sixteen seconds of a four-chord loop with a plucked melody and
// a bass line; the last sample leads back into the first.
StereoPcm SynthMenuMusic();

}  // namespace soundgen
