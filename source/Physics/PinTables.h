// The pin's profile and wobble tables shared by every lane: initial values, and the
// working copies the collision code reads, filled by InitLookupTables in the game's
// cold reset.
#pragma once

#include "orblib47/source/OrbTypes.h"

extern f64 NormTable1[64];
extern f64 NormTable2[64];
extern f64 NormTableX[64];
extern f64 ContactOffset[65];
extern f64 WobbleRingUp[27];
extern f64 WobbleRingDown[27];

void InitLookupTables();
