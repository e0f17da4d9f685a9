// Stand-ins for sound functions whose owners have not landed them yet; each owner
// deletes its lines when its code lands.
#include "orblib47/source/SpatialSfx.h"

// tags: positional sound.
void SpatialSfxStopChannel(s32) {}
