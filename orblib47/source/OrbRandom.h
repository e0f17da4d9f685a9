// The engine's random numbers: two MT19937 generators, one selected at a time.
// The outputs are the reference generator's, shifted right by one bit.
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr int ORB_RANDOM_STATE_WORDS = 624;

struct s_orb_random {
    u32 state[ORB_RANDOM_STATE_WORDS];
    s32 left;  // outputs left before the next refill
    s32 seeded;
    u32* next;  // the next word of state to temper
    u32 lastSeed;
};

extern s_orb_random OrbRandom[2];
extern s_orb_random* OrbRandomPtr;
extern s32 OrbRandomListIdx;

// Both generators unseeded, generator 0 selected, as at start-up.
void OrbRandColdReset();
// Seeds both generators.
void OrbSRand(u32 seed);
// Selects generator i (0 or 1) and returns the index selected before; any other i
// leaves the selection as it is.
s32 OrbRandSetList(s32 i);
// 0..2147483647 from the selected generator; an unseeded generator seeds both
// with 5489 first.
s32 OrbRand();
// Refills the selected generator's state words.
void OrbRandNextState();
