// Items shown on their own: the ball and the trophies (gold, silver and bronze of
// each tier).
#include "tools/modelgen/BowlerInternal.h"

namespace modelgen {

namespace {

constexpr f32 kScale = BOWLER_UNITS_PER_METRE;
constexpr f32 kBallRadius = 0.108f;  // an 8.5-inch ball

GeneratedModel BallModel() {
    const Mesh ball = Sphere(kBallRadius * kScale, 12, 16, 0xFFFFFFFFu);
    char texture[16];
    BowlerPartName(texture, BOWLER_TEX_BALL);
    return StaticModel({{ball, PlainMaterial(0xFFFFFFFFu, texture)}});
}

// A cup on a stem on a plinth; each tier taller, the highest with handles.
GeneratedModel TrophyModel(s32 tier, s32 place) {
    constexpr u32 kMetal[3] = {0xE8B830FFu, 0xC8C8D0FFu, 0xB87340FFu};
    const f32 h = (0.18f + 0.06f * f32(tier)) * kScale, r = (0.06f + 0.012f * f32(tier)) * kScale;
    const ProfilePoint cup[] = {{0, 0.3f * h},         {0.12f * r, 0.3f * h}, {0.12f * r, 0.55f * h},
                                {0.5f * r, 0.62f * h}, {0.9f * r, 0.8f * h},  {r, h},
                                {0.9f * r, h},         {0, 0.85f * h}};
    Mesh metal = Lathe(cup, 16, kMetal[place]);
    if (tier == 2) {
        for (f32 side : {-1.0f, 1.0f}) {
            const Mesh handle = Box({side * r - 0.15f * r, 0.6f * h, -0.06f * r, 0},
                                    {side * r + 0.15f * r, 0.9f * h, 0.06f * r, 0}, {1, 1, 1}, kMetal[place]);
            bowler::Append(&metal, handle);
        }
    }
    const Mesh plinth =
        Box({-0.9f * r, 0, -0.9f * r, 0}, {0.9f * r, 0.3f * h, 0.9f * r, 0}, {1, 1, 1}, 0x3A2418FFu);
    s_ORB_MATERIAL shiny = PlainMaterial(0xFFFFFFFFu);
    shiny.shininess = 24.0f;
    return StaticModel({{plinth, PlainMaterial(0xFFFFFFFFu)}, {metal, shiny}});
}

}  // namespace

std::vector<NamedModel> BowlerItemModels() {
    std::vector<NamedModel> models;
    char name[16];
    BowlerPartName(name, BOWLER_BALL);
    models.push_back({name, BallModel()});
    for (s32 index = 0; index < BOWLER_TROPHY_COUNT; ++index) {
        BowlerPartName(name, BOWLER_TROPHY, index);
        models.push_back({name, TrophyModel(index / 3, index % 3)});
    }
    return models;
}

}  // namespace modelgen
