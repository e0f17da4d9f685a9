// The network layer: this game plays no network game.
#pragma once

#include "orblib47/source/OrbTypes.h"

s32 NetColdReset(s32 maxConnections);
s32 NetWarmReset();
