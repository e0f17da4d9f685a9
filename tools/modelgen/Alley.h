// The demo alley: six lanes in a hall, placed in world coordinates exactly where
// the lane physics shows its balls and pins (LaneWorldTransform), and the models the
// lane play moves about: pins lathed to a pin's profile, balls, the pinsetter's deck
// and the sweeper bar. Names and origins are those of source/Levels/AlleyLayout.h.
#pragma once

#include <string>
#include <vector>

#include "tools/discbuild/GamWriter.h"
#include "tools/discbuild/GrpWriter.h"
#include "tools/discbuild/TextureEncoder.h"
#include "tools/discbuild/WrlWriter.h"
#include "tools/modelgen/AlleyLooks.h"
#include "tools/modelgen/ModelBuild.h"

namespace modelgen {

constexpr const char* kAlleyBallReturnName = "BALLRET";
constexpr const char* kAlleyBallReturnGroupName = "BALLRETGRP";
constexpr u32 kAlleyBallReturnGroupId = 1410;  // the group chunk's data-file id
// The pin group's far model is drawn from kAlleyFarPinDistance world units,
// beyond every pin the close-up pin view shows.
constexpr u32 kAlleyPinGroupId = 1411;
constexpr f32 kAlleyFarPinDistance = 16.0f;

// The lanes' offsets in physics units, left to right: two pairs and the player's
// pair in the middle (offsets 0 and ALLEY_RIGHT_LANE_OFFSET).
constexpr s32 kAlleyLanes = 6;
constexpr s32 kAlleyFirstLane = -2;  // lane k lies at k x ALLEY_RIGHT_LANE_OFFSET

struct AlleyTexture {
    std::string name;
    discbuild::RgbaImage image;
};

struct Alley {
    GeneratedModel scene;  // lanes, gutters, approach, pin decks, pits and hall; its collision faces
    GeneratedModel sky;
    GeneratedModel pin, farPin, ball, npcBall, pinsetter, sweeper;
    discbuild::GrpGroup pinGroup;
    GeneratedModel ballReturn;  // placed by the world between the lanes of each pair
    discbuild::GrpGroup ballReturnGroup;
    discbuild::WrlWorld world;
    discbuild::GamLevel gameData;
    std::vector<AlleyTexture> textures;  // those the scene and the player's ball name
    AlleyTexture npcBallTexture;         // goes with npcBall in ALLEY_NPC_WAD
};

// The alley in a place's look; by default the home alley's.
Alley MakeAlley(const AlleyLook& look = AlleyLookOf(ALLEY_PLACES - 1));

// A point given in lane coordinates (physics units: x across to the bowler's
// right from the lane's left edge, height up from the lane surface, z from the foul
// line to the pins) in the world, as the lane at `laneOffset` shows it.
s_Vector3 AlleyWorldPoint(f32 x, f32 height, f32 z, f32 laneOffset = 0);

}  // namespace modelgen
