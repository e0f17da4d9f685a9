// The bowling level's idle callback: the physics of every lane in idle time.
#pragma once

#include "orblib47/source/OrbTypes.h"

// The computer bowler that gets the next slice.
extern s32 g_NPCPhysicsBowlerIndex;

// One slice for the player's lane, then one for a computer bowler's; non-zero
// while either had work.
s32 PhysicsIdleProcess(s32 busy);
