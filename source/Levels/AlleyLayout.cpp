#include "source/Levels/AlleyLayout.h"

// Two lanes left of the player's pair and the first of the pair to its right.
const f32 ALLEY_NPC_LANE_OFFSET[ALLEY_NPC_LANES] = {-2 * ALLEY_RIGHT_LANE_OFFSET, -ALLEY_RIGHT_LANE_OFFSET,
                                                    2 * ALLEY_RIGHT_LANE_OFFSET};
