// A sky dome: an unlit sphere seen from inside, shaded from the zenith to the
// horizon and below it.
#pragma once

#include "tools/modelgen/ModelBuild.h"

namespace modelgen {

// Colours 0xRRGGBBAA; below the horizon the colour reaches `below` a quarter of the
// way down.
GeneratedModel SkyDome(f32 radius, u32 zenith, u32 horizon, u32 below);

}  // namespace modelgen
