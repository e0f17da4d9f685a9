#include "tools/modelgen/RenderTestScenes.h"

#include <filesystem>
#include <stdexcept>

#include "orblib47/source/Anim.h"
#include "tools/discbuild/TimWriter.h"
#include "tools/discbuild/WadWriter.h"
#include "tools/modelgen/BowlerInternal.h"
#include "tools/modelgen/Figure.h"
#include "tools/modelgen/Level.h"

namespace modelgen {

namespace {

namespace fs = std::filesystem;

using bowler::Placed;

constexpr f32 kStrollSlowdown = 1.5f;
constexpr f32 kStandTime = 1.0f;

struct Slab {
    s_Vector3 min, max;
    std::array<u32, 3> divisions;
    u32 color;
    const char* texture;  // null: none
};

// clang-format off
const Slab kArena[] = {
    // min                       max                       divisions    colour       texture
    {{-6.0f, -0.2f, -6.0f, 0},   {6.0f, 0.0f, 6.0f, 0},    {24, 1, 24}, 0xFFFFFFFFu, kLevelFloorTextureName},
    {{-6.4f, -0.2f, -6.4f, 0},   {6.4f, 3.0f, -6.0f, 0},   {24, 6, 1},  0xA8B8D0FFu, nullptr},
    {{-6.4f, -0.2f, -6.0f, 0},   {-6.0f, 3.0f, 6.0f, 0},   {1, 6, 24},  0xC8A888FFu, nullptr},
    {{6.0f, -0.2f, -6.0f, 0},    {6.4f, 3.0f, 6.0f, 0},    {1, 6, 24},  0xC8A888FFu, nullptr},
    {{-4.8f, 0.0f, -4.4f, 0},    {-4.0f, 0.8f, -3.6f, 0},  {2, 2, 2},   0xFFFFFFFFu, kLevelCrateTextureName},
    {{-4.6f, 0.8f, -4.3f, 0},    {-4.0f, 1.4f, -3.7f, 0},  {2, 2, 2},   0xFFFFFFFFu, kLevelCrateTextureName},
    {{3.6f, 0.0f, -4.6f, 0},     {4.6f, 1.0f, -3.6f, 0},   {2, 2, 2},   0xFFFFFFFFu, kLevelCrateTextureName},
    {{-0.5f, 0.0f, -4.5f, 0},    {0.5f, 0.6f, -3.5f, 0},   {2, 1, 2},   0x707888FFu, nullptr},
};
constexpr ProfilePoint kPillar[] = {{0, 0}, {0.45f, 0}, {0.45f, 0.2f}, {0.45f, 0.2f}, {0.3f, 0.3f},
                                    {0.3f, 2.6f}, {0.45f, 2.8f}, {0.45f, 2.8f}, {0.45f, 3.0f}, {0, 3.0f}};
// clang-format on

// Every animated channel held at the walk's first pose.
discbuild::VhaAnimation Stand(const discbuild::VhaAnimation& walk) {
    discbuild::VhaAnimation stand{"STAND", 0, 0, kStandTime, 0.25f, {}};
    for (const discbuild::VhaChannel& channel : walk.channels) {
        if (channel.type == ANIM_EVENT)
            continue;
        discbuild::VhaChannel held = channel;
        held.keys = {channel.keys.front(), channel.keys.front()};
        held.keys[1].time = kStandTime;
        stand.channels.push_back(held);
    }
    return stand;
}

discbuild::VhaAnimation Stroll(const discbuild::VhaAnimation& walk) {
    discbuild::VhaAnimation stroll = walk;
    stroll.name = "STROLL";
    stroll.timeEnd *= kStrollSlowdown;
    for (discbuild::VhaChannel& channel : stroll.channels)
        for (discbuild::VhaKey& key : channel.keys)
            key.time *= kStrollSlowdown;
    return stroll;
}

discbuild::WadChunk Texture(const char* name, const discbuild::RgbaImage& image) {
    discbuild::TimTexture texture;
    texture.image = image;
    return {name, "TIM", discbuild::TimPayload(texture), discbuild::kWadCompressed};
}

void Write(const std::vector<discbuild::WadChunk>& chunks, const fs::path& archive) {
    discbuild::WadWriter wad;
    for (const discbuild::WadChunk& chunk : chunks)
        wad.Add(chunk);
    fs::create_directories(archive.parent_path());
    if (!wad.Write(archive.string()))
        throw std::runtime_error("cannot write " + archive.string());
}

}  // namespace

GeneratedModel MakeArena() {
    std::vector<Part> parts;
    for (const Slab& slab : kArena)
        parts.push_back({Box(slab.min, slab.max, slab.divisions, slab.color),
                         PlainMaterial(0xFFFFFFFFu, slab.texture != nullptr ? slab.texture : "")});
    parts.push_back({Placed(Lathe(kPillar, 16, 0xE0E0E0FFu), {1, 1, 1, 0}, {2.0f, 0.0f, -5.0f, 0}),
                     PlainMaterial(0xFFFFFFFFu)});
    parts.push_back({Placed(Sphere(0.35f, 8, 12, 0xD04030FFu), {1, 1, 1, 0}, {0.0f, 0.95f, -4.0f, 0}),
                     PlainMaterial(0xFFFFFFFFu)});
    GeneratedModel arena = StaticModel(parts);
    SetMeshOctree(&arena.vhm);
    return arena;
}

Clonie MakeClonie() {
    Figure figure = MakeFigure();
    Clonie clonie;
    clonie.model = std::move(figure.model);
    clonie.model.vhm.animNames = {kClonieBankName};
    const discbuild::VhaAnimation& walk = figure.animations.animations.front();
    clonie.animations = figure.animations;
    clonie.animations.animations = {walk, Stroll(walk), Stand(walk)};
    return clonie;
}

void BuildDiscRenderTestScenes(const std::string& discDir) {
    const fs::path data = fs::path(discDir) / "DATA";
    const Level level = MakeLevel();
    Write({Texture(kLevelFloorTextureName, level.floorTexture),
           Texture(kLevelCrateTextureName, level.crateTexture),
           {kArenaSceneName, "VHM", discbuild::VhmPayload(MakeArena().vhm), discbuild::kWadCompressed}},
          data / "ARENA1.WAD");

    const Clonie clonie = MakeClonie();
    Write({Texture(kFigureTextureName, MakeFigure().texture),
           {kClonieBankName, "VHA", discbuild::VhaPayload(clonie.animations), discbuild::kWadCompressed, 0,
            kClonieBankId},
           {kClonieName, "VHM", discbuild::VhmPayload(clonie.model.vhm), discbuild::kWadCompressed}},
          data / "CLONIE.WAD");
}

}  // namespace modelgen
