// What the particle system files share among themselves.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/SpriteGroup.h"

// Particles draw from the engine's second generator, so that effects never move
// the numbers the game's play draws from the first.
constexpr s32 kParticleRandomList = 1;

// A fraction in [0, 1) from the selected generator (the update tasks select
// kParticleRandomList).
f32 ParticleRandom();

// Colour and position of one drawing element; a line takes the colour at both
// ends and the position as its start and end.
void ParticleSetElementColor(void* sprite, e_SPRITE_TYPE type, const s_Vector4* color);
void ParticleSetElementPos(void* sprite, e_SPRITE_TYPE type, const s_Vector3* pos);
