// The demo alley's archives and the names of what they hold: shared by the disc
// builder that makes them and the game that loads them.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Physics/PhysicsTypes.h"

// Archives in "DATA".
constexpr const char* ALLEY_LEVEL_WAD = "ALLEY";  // scene, world, game data, pins, balls, pinsetter
// Each place's alley, a full copy of ALLEY_LEVEL_WAD in its own look, by place:
// level 2 x place is its open play, the level after it its tournament. The last
// place, the home alley, is ALLEY_LEVEL_WAD itself.
constexpr const char* ALLEY_PLACE_WADS[] = {"ALLEY00", "ALLEY02", "ALLEY04",      "ALLEY06",
                                            "ALLEY08", "ALLEY10", "ALLEY12",      "ALLEY14",
                                            "ALLEY16", "ALLEY18", ALLEY_LEVEL_WAD};
constexpr s32 ALLEY_PLACES = s32(sizeof(ALLEY_PLACE_WADS) / sizeof(ALLEY_PLACE_WADS[0]));
constexpr const char* ALLEY_NPC_WAD = "NPC";            // the computer bowlers and walkers
constexpr const char* ALLEY_SFX_WAD = "GAMESFX";        // the lane's sound bank
constexpr const char* ALLEY_GLOBAL_WAD = "GLOBAL";      // what every level shares (the bowler parts)
constexpr const char* ALLEY_HUD_FONT_WAD = "IGFNT640";  // the in-game font

// Models and data in ALLEY_LEVEL_WAD.
constexpr const char* ALLEY_SCENE = "ALLEY";  // scene model, world and game data share it
constexpr const char* ALLEY_SKY = "ALLEYSKY";
// The pins: a model group of two levels of detail, near and far.
constexpr const char* ALLEY_PIN_MODEL = "PIN";
constexpr const char* ALLEY_NEAR_PIN_MODEL = "PINNEAR";
constexpr const char* ALLEY_FAR_PIN_MODEL = "PINFAR";
constexpr const char* ALLEY_BALL_MODEL = "BALL";
constexpr const char* ALLEY_PINSETTER_MODEL = "PINSETTR";
constexpr const char* ALLEY_SWEEPER_MODEL = "SWEEPER";
// The alley's particle effects: their sprites (a soft puff and a star), the dust
// off the pin deck and the burst over the lane on a strike.
constexpr const char* ALLEY_FX_SPRITES = "ALLEYFX";
constexpr const char* ALLEY_PIN_DUST = "PINDUST";
constexpr const char* ALLEY_STRIKE_BURST = "STRIKEFX";
// In ALLEY_NPC_WAD: the computer bowlers' ball, coloured apart from the player's.
constexpr const char* ALLEY_NPC_BALL_MODEL = "NPCBALL";

// Where the models' origins lie. All are in world units with +y up, and drawn
// upright with no turn (pins and balls through the film's poses):
// - PIN (both models): the pin's centre of mass, its base ALLEY_PIN_BASE_HEIGHT physics units below;
// - BALL, NPCBALL: the ball's centre;
// - SWEEPER: on the lane surface at the lane's middle (ALLEY_LANE_MIDDLE_X) under
//   the bar;
// - PINSETTR: the deck's underside above the rack's middle (ALLEY_LANE_MIDDLE_X,
//   ALLEY_RACK_MIDDLE_Z); it rests ALLEY_SETTER_REST_HEIGHT above the lane and
//   comes down to ALLEY_SETTER_LOW_HEIGHT, the tops of standing pins.
constexpr f32 ALLEY_PIN_BASE_HEIGHT = 1.5f;
constexpr f32 ALLEY_LANE_MIDDLE_X = 5.25f;
constexpr f32 ALLEY_RACK_MIDDLE_Z = 183.8971f;
constexpr f32 ALLEY_SETTER_REST_HEIGHT = 17.0f;
constexpr f32 ALLEY_SETTER_LOW_HEIGHT = 3.75f;

// Game-data instances of the alley.
constexpr const char* ALLEY_BOWLER_SPOT = "BOWLER_SPOT";    // where the bowler waits, facing the pins
constexpr const char* ALLEY_CAMERA_START = "CAMERA_START";  // the intro's first camera position
constexpr const char* ALLEY_LAMP_PREFIX = "LAMP_";          // scene lights: LAMP_RRGGBB, radius = reach
constexpr const char* ALLEY_WALKER_PATH = "WALKWAY";        // the path walkers follow behind the lanes
// Texture projectors (lights that cast the shadows of the objects near them) are
// named after the texture they project: a soft round spot.
constexpr const char* ALLEY_SPOT_TEXTURE = "SPOTLITE";

// The lane-pair layout in the physics' lane units (1 unit = 4 inches, see
// source/Physics/PhysicsTypes.h): the player's pair is the left lane at offset 0
// and the right one at ALLEY_RIGHT_LANE_OFFSET (the alley's lane pitch); the
// computer lanes lie at ALLEY_NPC_LANE_OFFSET[i].
constexpr f32 ALLEY_RIGHT_LANE_OFFSET = 17.91f;
constexpr s32 ALLEY_NPC_LANES = 3;
extern const f32 ALLEY_NPC_LANE_OFFSET[ALLEY_NPC_LANES];

// Sounds of the bank ALLEY_SFX_WAD, by their index in it.
enum e_AlleySound : s32 {
    ALLEY_SFX_BALL_ROLL,  // looped while the ball rolls
    // The pins' crash, one sound for each number of pins that fall (AlleyPinHitSound):
    // this one for one pin, the next NUM_PINS - 1 longer and louder.
    ALLEY_SFX_PIN_HIT,
    ALLEY_SFX_GUTTER = ALLEY_SFX_PIN_HIT + NUM_PINS,
    ALLEY_SFX_PINSETTER,
    ALLEY_SFX_SWEEP,
    ALLEY_SFX_STRIKE_CHEER,
    ALLEY_SFX_COUNT
};

// The bank's data-file id; a sound's id is the bank's id << 16 | its index.
constexpr s32 ALLEY_SFX_BANK_ID = 201;
constexpr s32 AlleySoundId(e_AlleySound sound) {
    return ALLEY_SFX_BANK_ID << 16 | sound;
}
// The crash of `down` pins falling; a ball that fells none gets the one-pin knock.
constexpr e_AlleySound AlleyPinHitSound(s32 down) {
    return e_AlleySound(ALLEY_SFX_PIN_HIT + (down < 1 ? 0 : down > NUM_PINS ? NUM_PINS - 1 : down - 1));
}
