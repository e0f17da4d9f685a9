// Texture-projector instances of a level: each becomes a spot light shining down
// (turned by the instance's rotation) that lays the texture its name gives on the
// level's polygons within its radius, with the shadows of the objects near it.
#pragma once

#include "orblib47/source/OrbTypes.h"

class CInstanceTextureProject {
public:
    // Registers the handler of texture-projector instances; returns 0.
    static s32 ColdReset();
};
