// Sky domes: unlit spheres, or caps of them, seen from inside.
#pragma once

#include "tools/modelgen/ModelBuild.h"

namespace modelgen {

// Colours 0xRRGGBBAA; below the horizon the colour reaches `below` a quarter of the
// way down.
GeneratedModel SkyDome(f32 radius, u32 zenith, u32 horizon, u32 below);

// Only the cap above the elevation `lowest` (radians), shaded from its rim to the
// zenith: a backdrop overhead that costs nothing where a roof hides it.
GeneratedModel SkyCap(f32 radius, f32 lowest, u32 zenith, u32 rim);

}  // namespace modelgen
