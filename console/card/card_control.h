// Test controls of the memory card slots. CARDInit empties both slots and zeroes
// the probe counts.
#pragma once

#include "console/card.h"

// What CARDProbeEx answers for the slot from now on; the sizes go with
// CARD_RESULT_READY.
void HostCARDSetSlot(s32 chan, s32 probeResult, s32 memSize, s32 sectorSize);
// How many times the slot was probed.
u32 HostCARDProbeCount(s32 chan);
