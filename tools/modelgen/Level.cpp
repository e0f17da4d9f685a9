#include "tools/modelgen/Level.h"

#include <array>
#include <cmath>
#include <string>

#include "orblib47/source/Collision.h"
#include "orblib47/source/Instance.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/World.h"
#include "tools/modelgen/CollisionMesh.h"
#include "tools/modelgen/SkyDome.h"
#include "tools/modelgen/SphereTree.h"

namespace modelgen {

namespace {

constexpr u16 kSolid = COLLISION_PLAYER_OBS | COLLISION_CAMERA_OBS | COLLISION_SHADOW_OBS;

struct Slab {
    s_Vector3 min, max;
    std::array<u32, 3> divisions;  // fine enough for the lights to shade across
    u32 color;                     // of the vertices, which the lit materials take
    const char* texture;           // null: none
};

// clang-format off
const Slab kRoom[] = {
    // min                      max                       divisions     colour       texture
    {{-6.0f, -0.2f, -6.0f, 0},  {6.0f, 0.0f, 6.0f, 0},    {24, 1, 24},  0xFFFFFFFFu, kLevelFloorTextureName},
    {{-6.4f, -0.2f, -6.4f, 0},  {6.0f, 4.0f, -6.0f, 0},   {24, 8, 1},   0xC8A888FFu, nullptr},
    {{-6.4f, -0.2f, -6.0f, 0},  {-6.0f, 3.0f, 6.0f, 0},   {1, 6, 24},   0x98A8C0FFu, nullptr},
    {{-2.8f, 0.0f, -3.8f, 0},   {-2.2f, 3.6f, -3.2f, 0},  {1, 8, 1},    0xE0E0E0FFu, nullptr},
    {{2.0f, 0.0f, -4.0f, 0},    {4.0f, kLevelLedgeTopY, -2.0f, 0}, {4, 2, 4}, 0x707888FFu, nullptr},
};
// clang-format on

// Instance and placeholder kinds and flags, as the level's game data stores them.
constexpr u32 kCameraInitPlaceholder = 1;
constexpr u32 kPlayerInitPlaceholder = 2;

GeneratedModel Scene() {
    std::vector<Part> parts;
    for (const Slab& slab : kRoom)
        parts.push_back({Box(slab.min, slab.max, slab.divisions, slab.color),
                         PlainMaterial(0xFFFFFFFFu, slab.texture ? slab.texture : "")});
    GeneratedModel scene = StaticModel(parts);
    SetMeshOctree(&scene.vhm);
    for (const Slab& slab : kRoom)
        AddCollisionFaces(&scene.vhm, Box(slab.min, slab.max, {1, 1, 1}, 0), kSolid);
    SetCollisionOctree(&scene.vhm);
    return scene;
}

GeneratedModel Crate() {
    const f32 h = kLevelCrateHalfSize;
    GeneratedModel crate = StaticModel({{Box({-h, 0, -h, 0}, {h, 2 * h, h, 0}, {2, 2, 2}, 0xFFFFFFFFu),
                                         PlainMaterial(0xFFFFFFFFu, kLevelCrateTextureName)}});
    for (discbuild::VhmMesh& mesh : crate.vhm.meshes)
        mesh.flags |= WORLD_DRAW_OPAQUE;
    SetMeshOctree(&crate.vhm);
    return crate;
}

discbuild::WrlAtom Placed(f32 x, f32 y, f32 z, f32 turn) {
    discbuild::WrlAtom atom;
    Matrix4RotateY(&atom.matrix, turn);
    atom.matrix.at(0, 3) = x;
    atom.matrix.at(1, 3) = y;
    atom.matrix.at(2, 3) = z;
    atom.center = {x, y + kLevelCrateHalfSize, z};
    atom.groupId = kLevelCrateGroupId;
    atom.flags = WORLD_DRAW_OPAQUE;
    return atom;
}

discbuild::WrlWorld World() {
    discbuild::WrlWorld world;
    world.name = kLevelName;
    world.atoms = {Placed(4.6f, kLevelFloorY, 0.5f, 0.2f), Placed(4.4f, kLevelFloorY, 1.5f, -0.3f),
                   Placed(3.0f, kLevelLedgeTopY, -3.0f, 0.6f)};
    std::vector<ItemSphere> spheres;
    for (size_t a = 0; a < world.atoms.size(); ++a) {
        const std::array<f32, 3>& c = world.atoms[a].center;
        spheres.push_back({{c[0], c[1], c[2], 0}, kLevelCrateHalfSize * std::sqrt(3.0f), u16(a)});
    }
    world.octTree = SphereTree(std::move(spheres));
    return world;
}

discbuild::GamLevel GameData() {
    discbuild::GamLevel data;
    data.instances = {LevelLamp(-3.5f, 3.0f, -2.0f, "FFD8A8", 14.0f),
                      LevelLamp(3.5f, 2.5f, 2.5f, "A8C8FF", 12.0f)};
    discbuild::GamPlaceholder player;
    player.name = kLevelPlayerStartName;
    player.pos = {0.0f, kLevelFloorY, 0.5f};
    player.type = kPlayerInitPlaceholder;
    discbuild::GamPlaceholder camera;
    camera.name = kLevelCameraStartName;
    camera.pos = {1.5f, 3.2f, 7.5f};
    camera.type = kCameraInitPlaceholder;
    data.placeholders = {player, camera};
    return data;
}

// Square tiles with darker grout, alternating warm shades.
discbuild::RgbaImage Tiles() {
    constexpr u32 kSize = 128, kTile = 8;
    discbuild::RgbaImage image{kSize, kSize, std::vector<u8>(kSize * kSize * 4)};
    for (u32 y = 0; y < kSize; ++y)
        for (u32 x = 0; x < kSize; ++x) {
            const bool grout = x % kTile == 0 || y % kTile == 0;
            const bool light = ((x / kTile) + (y / kTile)) % 2 == 0;
            u8* texel = &image.rgba[(y * kSize + x) * 4];
            const u32 c = grout ? 0x605850u : light ? 0xE8DCC8u : 0xB89878u;
            texel[0] = u8(c >> 16);
            texel[1] = u8(c >> 8);
            texel[2] = u8(c);
            texel[3] = 255;
        }
    return image;
}

// Boards across the face inside a darker frame.
discbuild::RgbaImage Planks() {
    constexpr u32 kSize = 32, kFrame = 3, kBoard = 6;
    discbuild::RgbaImage image{kSize, kSize, std::vector<u8>(kSize * kSize * 4)};
    for (u32 y = 0; y < kSize; ++y)
        for (u32 x = 0; x < kSize; ++x) {
            const bool frame = x < kFrame || y < kFrame || x >= kSize - kFrame || y >= kSize - kFrame;
            const bool seam = (y - kFrame) % kBoard == 0;
            u8* texel = &image.rgba[(y * kSize + x) * 4];
            const u32 c = frame ? 0x6A4020u : seam ? 0x805030u : 0xB07840u;
            texel[0] = u8(c >> 16);
            texel[1] = u8(c >> 8);
            texel[2] = u8(c);
            texel[3] = 255;
        }
    return image;
}

}  // namespace

// Created at once, wherever the camera looks: they light what is in view.
discbuild::GamInstance LevelLamp(f32 x, f32 y, f32 z, const char* rrggbb, f32 reach) {
    discbuild::GamInstance lamp;
    lamp.pos = {x, y, z};
    lamp.type = INSTANCE_TYPE_INSTANCE_SCENE_LIGHT;
    lamp.name = std::string(kLevelLampPrefix) + rrggbb;
    lamp.radius = reach;
    lamp.flags = u_INSTANCE_FLAGS::Force_Create;
    return lamp;
}

Level MakeLevel() {
    Level level;
    level.scene = Scene();
    level.sky = SkyDome(40.0f, 0x2050A0FFu, 0xB0C8E0FFu, 0x8090A0FFu);
    level.crate = Crate();
    discbuild::GrpModelDef def;
    def.name = kLevelCrateName;
    level.crateGroup = {kLevelCrateGroupId, GROUP_TYPE_WORLD, kLevelCrateGroupName, {def}};
    level.world = World();
    level.gameData = GameData();
    level.floorTexture = Tiles();
    level.crateTexture = Planks();
    return level;
}

}  // namespace modelgen
