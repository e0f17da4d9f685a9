// The test level: a room (floor, two walls, a pillar and a ledge) whose faces are
// also its collision world, a sky dome round it, a crate placed several times as
// the static world's atoms, and the game data that lights the room and says where
// the player and the camera start.
#pragma once

#include <vector>

#include "tools/discbuild/GamWriter.h"
#include "tools/discbuild/GrpWriter.h"
#include "tools/discbuild/TextureEncoder.h"
#include "tools/discbuild/WrlWriter.h"
#include "tools/modelgen/ModelBuild.h"

namespace modelgen {

// The scene model, the world and the game data share the level's name.
constexpr const char* kLevelName = "LEVEL";
constexpr const char* kLevelSkyName = "LEVELSKY";
constexpr const char* kLevelCrateName = "CRATE";
constexpr const char* kLevelCrateGroupName = "CRATEGRP";
constexpr u32 kLevelCrateGroupId = 1400;  // the group chunk's data-file id
constexpr const char* kLevelFloorTextureName = "LVLFLOOR";
constexpr const char* kLevelCrateTextureName = "LVLCRATE";

// Where the room's surfaces lie, for the ones who place things in it.
constexpr f32 kLevelFloorY = 0.0f;
constexpr f32 kLevelHalfWidth = 6.0f;      // the floor runs -6..6 in x and z
constexpr f32 kLevelBackWallZ = -6.0f;     // the back wall's face, towards +z
constexpr f32 kLevelLeftWallX = -6.0f;     // the left wall's face, towards +x
constexpr f32 kLevelLedgeTopY = 0.8f;      // the ledge's top, x 2..4, z -4..-2
constexpr f32 kLevelCrateHalfSize = 0.4f;  // crates stand on the floor about their atoms

// Scene-light instances are named kLevelLampPrefix and their colour as six hex
// digits (RRGGBB); their radius is their reach.
constexpr const char* kLevelLampPrefix = "LAMP_";
constexpr const char* kLevelPlayerStartName = "PLAYER_START";
constexpr const char* kLevelCameraStartName = "CAMERA_START";

struct Level {
    GeneratedModel scene;  // drawn through its mesh octree; carries the collision faces
    GeneratedModel sky;    // an inside-out unlit sphere shaded from zenith to horizon
    GeneratedModel crate;  // its mesh drawn by the world's opaque pass
    discbuild::GrpGroup crateGroup;
    discbuild::WrlWorld world;  // the placed crates
    discbuild::GamLevel gameData;
    discbuild::RgbaImage floorTexture, crateTexture;
};

Level MakeLevel();

// A scene-light instance kLevelLampPrefix + rrggbb at (x, y, z) reaching `reach`.
discbuild::GamInstance LevelLamp(f32 x, f32 y, f32 z, const char* rrggbb, f32 reach);

}  // namespace modelgen
