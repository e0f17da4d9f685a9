// Particle systems. For now only what the sprite-group passes read of a system
// that owns a group: where it is, and the routine that draws its groups itself.
#pragma once

#include "orblib47/source/OrbMath.h"

struct s_group_header;
struct s_particle_system;

using ParticleSystemRenderFunc = void (*)(s_group_header* group, const s_Vector3* position,
                                          s_particle_system* system);

struct s_particle_system {
    s_Vector3 pos;
    ParticleSystemRenderFunc renderFunc;  // none: its groups draw by their type
};
