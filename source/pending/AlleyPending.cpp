// Stand-ins until the demo alley lands; the owner deletes this file.
#include "source/Levels/AlleyLayout.h"

const f32 ALLEY_NPC_LANE_OFFSET[ALLEY_NPC_LANES] = {-30.0f, 30.0f, 60.0f};
