// What sets one alley apart from another: the hall's colours, the art on the
// masking panels over the pin decks, the lanes' wood tone and the lamps' light.
// Geometry, pins, balls and the pinsetter are the same everywhere.
#pragma once

#include "source/Levels/AlleyLayout.h"
#include "tools/discbuild/TextureEncoder.h"

namespace modelgen {

struct AlleyLook {
    u32 wall, masking, carpet, ceiling;  // 0xRRGGBBAA
    u32 laneTint;                        // lights the lanes' and approach's textures
    const char* approachLamp;            // RRGGBB: the light behind the bowler
    const char* deckLamp;                // RRGGBB: the light under the masking
    // Paints the masking panels' picture (one a lane pair); none leaves them plain.
    void (*paintMasking)(discbuild::RgbaImage* image);
};

// By place (ALLEY_PLACE_WADS); the last, the home alley, is the demo alley's look.
const AlleyLook& AlleyLookOf(s32 place);

}  // namespace modelgen
