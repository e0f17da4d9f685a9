// Scene-light instances of a level: each becomes a point light while the instance
// is active. Its name carries the colour (LAMP_RRGGBB) and its radius the reach.
#pragma once

#include "orblib47/source/OrbTypes.h"

class CInstanceSceneLight {
public:
    // Registers the handler of scene-light instances; returns 0.
    static s32 ColdReset();
};
