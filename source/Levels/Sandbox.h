// Level start-up of the game's random generators.
#pragma once

#include "orblib47/source/OrbTypes.h"

namespace Sandbox {
// Reseeds both generators from the clock, or from the seed fixed by SetSeed.
void init();
// A fixed seed for every later init (tests, --seed); 0 goes back to the clock.
void SetSeed(u32 seed);
}  // namespace Sandbox
