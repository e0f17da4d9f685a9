// Shadow records, the light the single-light path follows and its smoothing, and
// the casters' material.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "orblib47/source/Collision.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Shadow.h"
#include "orblib47/source/TextureProject.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr u32 kPositional = u_light_flags::light_positional | u_light_flags::light_diffuse;
constexpr u32 kDirectional = u_light_flags::light_directional | u_light_flags::light_diffuse;

s_draw_light Light(u32 flags, s_Vector4 direction, f32 shadowIntensity, s_Vector4 diffuse = {1, 1, 1, 1}) {
    s_draw_light light = {};
    light.flags = flags;
    light.direction = direction;
    light.diffuse = diffuse;
    light.intensity = 0.25f;
    light.shadowIntensity = shadowIntensity;
    return light;
}

using ShadowTest = EngineFixture;

TEST_F(ShadowTest, TheWarmResetMakesOneRecordPerProjectionOfTheConfiguration) {
    std::vector<s_shadow*> taken;
    while (s_shadow* p = ShadowAlloc(nullptr, 1.0f, nullptr, nullptr, nullptr))
        taken.push_back(p);
    EXPECT_EQ(taken.size(), DefaultConfig.maxTextureProject);
    EXPECT_TRUE(report().contains("ShadowAlloc: Out of projection records!\n")) << report().text();

    ShadowFree(taken.back());
    EXPECT_NE(ShadowAlloc(nullptr, 1.0f, nullptr, nullptr, nullptr), nullptr);
    ShadowFree(nullptr);  // an owner that got no record frees nothing
}

TEST_F(ShadowTest, AllocClearsWhatTheLastOwnerLeftAndKeepsWhatItIsGiven) {
    s_Vector3 pos = {1, 2, 3, 0};
    s_shadow* used = ShadowAlloc(&pos, 1.0f, nullptr, nullptr, nullptr);
    std::memset(used, 0x5A, sizeof(*used));
    ShadowFree(used);

    s_hmodel hmodel = {};
    auto* model = reinterpret_cast<s_model*>(&pos);  // only its address is kept
    auto* cache = reinterpret_cast<s_collision_cache*>(&hmodel);
    s_shadow* p = ShadowAlloc(&pos, 2.5f, &hmodel, model, cache);
    ASSERT_EQ(p, used);
    EXPECT_EQ(p->position, &pos);
    EXPECT_EQ(p->radius, 2.5f);
    EXPECT_EQ(p->modelList[0].model, model);
    EXPECT_EQ(p->modelList[0].hmodel, &hmodel);
    EXPECT_EQ(p->cacheList[0], cache);
    EXPECT_EQ(p->cacheList[1], nullptr);
    EXPECT_EQ(p->flags, 0u);
    EXPECT_EQ(p->drawFunc, nullptr);
    EXPECT_EQ(p->blobBonesCount, 0);
    EXPECT_EQ(p->lightIntensity, 0.0f);
    for (int i = 1; i < SHADOW_MAX_MODELS; ++i)
        EXPECT_EQ(p->modelList[i].hmodel, nullptr) << i;
}

TEST_F(ShadowTest, CastersAndCachesGoIntoTheirSlots) {
    s_shadow* p = ShadowAlloc(nullptr, 1.0f, nullptr, nullptr, nullptr);
    s_hmodel ball = {};
    s_Vector3 token = {};
    auto* own = reinterpret_cast<s_model*>(&token);
    auto* other = reinterpret_cast<s_model*>(&ball);
    ball.model = own;

    ShadowAddModel(p, nullptr, &ball, 2);  // a null model takes the hmodel's own
    EXPECT_EQ(p->modelList[2].model, own);
    EXPECT_EQ(p->modelList[2].hmodel, &ball);
    ShadowAddModel(p, other, &ball, 5);
    EXPECT_EQ(p->modelList[5].model, other);
    ShadowRemoveModel(p, 2);
    EXPECT_EQ(p->modelList[2].model, nullptr);
    EXPECT_EQ(p->modelList[2].hmodel, nullptr);

    auto* cache = reinterpret_cast<s_collision_cache*>(&token);
    ShadowAddCache(p, cache, 1);
    EXPECT_EQ(p->cacheList[1], cache);
    ShadowFree(p);
}

using ShadowDeathTest = EngineDeathFixture;

TEST_F(ShadowDeathTest, SlotCallsWithoutARecordOrCasterAreFatal) {
    s_hmodel hmodel = {};
    EXPECT_DEATH(ShadowAddModel(nullptr, nullptr, &hmodel, 0), "ShadowAddModel: Bad SHADOW ptr!");
    s_shadow* p = ShadowAlloc(nullptr, 1.0f, nullptr, nullptr, nullptr);
    EXPECT_DEATH(ShadowAddModel(p, nullptr, nullptr, 0), "ShadowAddModel: Bad Hmodel ptr.");
    EXPECT_DEATH(ShadowAddModel(p, nullptr, &hmodel, SHADOW_MAX_MODELS), "ShadowAddModel: Bad index 6");
    EXPECT_DEATH(ShadowRemoveModel(nullptr, 0), "ShadowRemoveModel: Bad SHADOW ptr!");
    EXPECT_DEATH(ShadowAddCache(nullptr, nullptr, 0), "ShadowAddCache: Bad SHADOW ptr!");
    EXPECT_DEATH(ShadowAddCache(p, nullptr, -1), "ShadowAddCache: Bad index -1");
}

TEST_F(ShadowTest, TheSingleLightPathFollowsTheFirstLightThatIsNotPositional) {
    const s_draw_light point = Light(kPositional, {0, -1, 0, 0}, 0.9f);
    const s_draw_light sun = Light(kDirectional, {0.3f, -0.9f, 0.1f, 0}, 0.4f, {1, 0.5f, 0.25f, 1});
    const s_draw_light moon = Light(kDirectional, {0, -1, 0, 0}, 0.7f);
    const struct {
        const char* name;
        std::vector<s_draw_light> lights;
        s_Vector4 direction;
        s_Vector4 diffuse;
        f32 shadowIntensity;
    } cases[] = {
        {"no lights: the default light", {}, {0, -1, 0, 0}, {0.8f, 0.8f, 0.8f, 0}, 0.5f},
        {"only positional lights: the default light",
         {point, point},
         {0, -1, 0, 0},
         {0.8f, 0.8f, 0.8f, 0},
         0.5f},
        {"the first directional light after a positional one",
         {point, sun, moon},
         sun.direction,
         sun.diffuse,
         0.4f},
    };
    for (const auto& c : cases) {
        const s_draw_light chosen = ShadowChooseLight(c.lights.data(), s32(c.lights.size()));
        EXPECT_EQ(std::memcmp(&chosen.direction, &c.direction, sizeof(s_Vector4)), 0) << c.name;
        EXPECT_EQ(std::memcmp(&chosen.diffuse, &c.diffuse, sizeof(s_Vector4)), 0) << c.name;
        EXPECT_EQ(chosen.shadowIntensity, c.shadowIntensity) << c.name;
        EXPECT_EQ(chosen.intensity, 1.0f) << c.name;
    }
}

TEST_F(ShadowTest, ALightNearTheHorizonIsTiltedDownOnACopyOnly) {
    const struct {
        f32 y, expected;
    } cases[] = {{-0.2f, -0.866f}, {0.5f, -0.866f}, {-0.866f, -0.866f}, {-0.95f, -0.95f}};
    for (const auto& c : cases) {
        const s_draw_light light = Light(kDirectional, {0.7f, c.y, 0.1f, 0}, 0.5f);
        const s_draw_light chosen = ShadowChooseLight(&light, 1);
        EXPECT_EQ(chosen.direction.y, c.expected) << c.y;
        EXPECT_EQ(chosen.direction.x, 0.7f) << c.y;  // not renormalised
        EXPECT_EQ(chosen.direction.z, 0.1f) << c.y;
    }
}

TEST_F(ShadowTest, ProcessMovesTheSmoothedLightTowardsTheChosenOneAndLeavesTheCallersLights) {
    s_shadow* p = ShadowAlloc(nullptr, 1.0f, nullptr, nullptr, nullptr);
    s_draw_light lights[2] = {Light(kPositional, {0, -1, 0, 0}, 0.9f),
                              Light(kDirectional, {1.0f, -0.2f, 0, 0}, 0.5f, {0.5f, 1, 0.5f, 1})};
    s_draw_light before[2];
    std::memcpy(before, lights, sizeof(lights));

    const f32 speed = ShadowGetInterpSpeed();
    f32 intensity = 0.0f;
    s_Vector3 direction = {};
    s_Vector4 diffuse = {};
    for (int frame = 0; frame < 3; ++frame) {
        ShadowProcess(p, lights, 2, 0);
        direction = {direction.x + speed * (1.0f - direction.x),
                     direction.y + speed * (-0.866f - direction.y), 0.0f, 0.0f};
        diffuse = {diffuse.x + speed * (0.5f - diffuse.x), diffuse.y + speed * (1.0f - diffuse.y),
                   diffuse.z + speed * (0.5f - diffuse.z), diffuse.w + speed * (1.0f - diffuse.w)};
        intensity = Float32Interpolate(intensity, 1.0f, speed);
        EXPECT_FLOAT_EQ(p->lightDirection.x, direction.x) << frame;
        EXPECT_FLOAT_EQ(p->lightDirection.y, direction.y) << frame;
        EXPECT_FLOAT_EQ(p->lightDiffuse.y, diffuse.y) << frame;
        EXPECT_FLOAT_EQ(p->lightDiffuse.w, diffuse.w) << frame;
        EXPECT_FLOAT_EQ(p->lightIntensity, intensity) << frame;
    }
    EXPECT_EQ(std::memcmp(before, lights, sizeof(lights)), 0);
    ShadowRender(nullptr, lights, 2);  // no record: nothing
    ShadowFree(p);
}

TEST_F(ShadowTest, TheCastersMaterialWritesUnlitPixelsOverWhateverIsThere) {
    DrawSetCombineMode(DC_COMBINE_ALPHA);
    DrawSetZBufferMode(DC_ZMODE_LESS_EQUAL);
    DrawSetZBufferWrite(1);
    DrawEnableLight(1);
    OrbMaterial.Lock(&MaterialShadow);
    EXPECT_EQ(DrawContext.combineMode, DC_COMBINE_OVERWRITE);
    EXPECT_EQ(DrawContext.zBufferMode, DC_ZMODE_ALWAYS);
    EXPECT_EQ(DrawContext.zBufferWriteEnable, 0);
    EXPECT_EQ(DrawContext.cullMode, DC_CULL_BACK);
    EXPECT_EQ(DrawContext.samplerStateList[0].wrapMode[0], DC_TEXTURE_WRAP_CLAMP);
    EXPECT_EQ(DrawContext.flags & u_draw_flags::LightEnabled, 0u);
    OrbMaterial.Unlock();
    OrbMaterial.RestoreDrawContext();
    EXPECT_EQ(DrawContext.combineMode, DC_COMBINE_ALPHA);
    EXPECT_EQ(DrawContext.zBufferMode, DC_ZMODE_LESS_EQUAL);
}

}  // namespace
