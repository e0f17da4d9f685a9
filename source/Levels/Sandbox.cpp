#include "source/Levels/Sandbox.h"

#include "orblib47/source/NGC/Clock.h"
#include "orblib47/source/OrbRandom.h"

namespace {
u32 s_seed = 0;  // 0: from the clock
}

void Sandbox::init() {
    OrbSRand(s_seed != 0 ? s_seed : ClockGetTime());
}

void Sandbox::SetSeed(u32 seed) {
    s_seed = seed;
}
