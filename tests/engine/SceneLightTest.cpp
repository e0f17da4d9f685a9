// Scene lights: the pool, the choice of the lights that reach a position (nearest
// first, the global light ahead of all) and their conversion to draw lights.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/Texture.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr s_Vector4 kColor{0.8f, 0.6f, 0.4f, 1.0f};
constexpr s32 kPriority = 32767;
constexpr f32 kFar = 1000.0f;

s_Vector3 V(f32 x, f32 y, f32 z) {
    return {x, y, z, 0.0f};
}

f32 Length(const s_Vector4& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

class SceneLightTest : public EngineFixture {
protected:
    // A fresh pool of `count` lights.
    void Pool(s32 count) {
        SceneLightsShutdown();
        ASSERT_EQ(SceneLightsWarmReset(count), 1);
    }
    scene_light* Pseudo(s_Vector3 pos, f32 radius = kFar, f32 attenuation = kFar, s32 priority = kPriority) {
        return SceneLightsAddPseudoPoint(&pos, &kColor, radius, attenuation, priority);
    }
    scene_light* Point(s_Vector3 pos, f32 radius = kFar, f32 attenuation = kFar, s32 priority = kPriority) {
        return SceneLightsAddPoint(&pos, &kColor, radius, attenuation, priority);
    }
    scene_light* Spot(s_Vector3 pos) {
        scene_light* light = Point(pos);
        light->type = SCENE_LIGHT_SPOT;
        return light;
    }
    scene_light* Bar(s_Vector3 from, s_Vector3 to, f32 radius = kFar, f32 attenuation = kFar) {
        return SceneLightsAddBar(&from, &to, &kColor, radius, attenuation, kPriority);
    }
    scene_light* Global(s_Vector3 dir) { return SceneLightsAddGlobal(&dir, &kColor); }
    s32 Select(s_Vector3 pos, u32 mask = 31) { return count_ = SceneLightsGetLocal(chosen_, &pos, mask); }
    std::vector<scene_light*> Chosen() const { return {chosen_, chosen_ + count_}; }
    // Chooses for pos and loads the first chosen light; returns its draw light.
    const s_draw_light& Load(s_Vector3 pos, u32 flags = 0) {
        Select(pos);
        SceneLightsSetDrawLights(chosen_, count_, flags);
        return DrawContext.lights[0];
    }

    scene_light* chosen_[SCENE_LIGHT_MAX_LOCAL] = {};
    s32 count_ = 0;
};

TEST_F(SceneLightTest, ThePoolRunsOutAtItsSizeAndTakesFreedLightsBack) {
    Pool(2);
    scene_light* a = Pseudo(V(1, 0, 0));
    scene_light* b = Point(V(2, 0, 0));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Pseudo(V(3, 0, 0)), nullptr);
    EXPECT_EQ(NumSceneLights, 2);
    SceneLightsFree(a);
    EXPECT_EQ(NumSceneLights, 1);
    EXPECT_NE(Pseudo(V(3, 0, 0)), nullptr);

    SceneLightsShutdown();
    EXPECT_EQ(MaxSceneLights, 0);
    EXPECT_EQ(Pseudo(V(3, 0, 0)), nullptr);
    EXPECT_EQ(SceneLightsWarmReset(0), 0);
}

TEST_F(SceneLightTest, ALevelsPoolReplacesTheEnginesWithoutLeaking) {
    const u32 before = MainHeap.numHandles;
    ASSERT_NE(Pseudo(V(1, 0, 0)), nullptr);  // a light of the engine's pool
    ASSERT_EQ(SceneLightsWarmReset(3), 1);   // the level loads its own pool
    EXPECT_EQ(NumSceneLights, 0);
    EXPECT_EQ(MaxSceneLights, 3);
    EXPECT_EQ(MainHeap.numHandles, before);
}

TEST_F(SceneLightTest, ALightStartsWithItsColoursFullIntensityAndNoFlags) {
    scene_light* bar = Bar(V(1, 2, 3), V(1, 2, 7), 9.0f, 4.0f);
    EXPECT_EQ(bar->type, SCENE_LIGHT_BAR);
    EXPECT_EQ(bar->flags, 0u);
    EXPECT_EQ(bar->intensity, 1.0f);
    EXPECT_EQ(bar->specular.y, kColor.y);
    EXPECT_EQ(bar->barLength, 4.0f);
    EXPECT_EQ(bar->barDir.z, 1.0f);
    const s_Vector3 dir = V(0, -3, 4);
    const scene_light* dirLight = SceneLightsAddDir(&dir, &kColor, 5.0f, 1.0f);
    EXPECT_EQ(dirLight->priority, SCENE_LIGHT_DIR_PRIORITY);
    EXPECT_FLOAT_EQ(dirLight->direction.y, -0.6f);
}

TEST_F(SceneLightTest, TheGlobalLightIsReplacedNeverDuplicated) {
    Global(V(0, -2, 0));
    scene_light* second = Global(V(0, 0, -5));
    EXPECT_EQ(NumSceneLights, 1);
    EXPECT_EQ(SceneLightsGetGlobalSceneLight(), second);
    EXPECT_NE(second->flags & SCENE_LIGHT_FLAG_GLOBAL, 0u);
    EXPECT_EQ(second->radius, 1000000.0f);
    EXPECT_EQ(second->direction.z, -1.0f);
    SceneLightsFree(second);
    EXPECT_EQ(SceneLightsGetGlobalSceneLight(), nullptr);
    SceneLightsReset();
    EXPECT_EQ(NumSceneLights, 0);
}

TEST_F(SceneLightTest, NothingToChooseYieldsNoLightsAndStillResetsTheDrawLights) {
    DrawSetDefaultLights();
    ASSERT_EQ(DrawContext.numLights, 1);
    EXPECT_EQ(Select(V(0, 0, 0)), 0);
    SceneLightsSetDrawLights(chosen_, count_, 0);
    EXPECT_EQ(DrawContext.numLights, 0);
}

TEST_F(SceneLightTest, TheGlobalLightComesFirstForAllTypesOnly) {
    Pseudo(V(0, 1, 0));
    scene_light* global = Global(V(0, -1, 0));
    Point(V(0, 2, 0));
    Select(V(0, 0, 0));
    ASSERT_EQ(count_, 3);
    EXPECT_EQ(chosen_[0], global);
    EXPECT_EQ(chosen_[1]->type, SCENE_LIGHT_PSEUDO_POINT);
    Select(V(0, 0, 0), SCENE_LIGHT_POINT);
    ASSERT_EQ(count_, 1);
    EXPECT_EQ(chosen_[0]->type, SCENE_LIGHT_POINT);
    // The mask is taken modulo 32.
    EXPECT_EQ(Select(V(0, 0, 0), 32 | SCENE_LIGHT_DIR), 1);
}

TEST_F(SceneLightTest, OnlyTwoPointLightsAndOneSpotAreMeasuredPerChoice) {
    scene_light* low = Point(V(1, 0, 0), kFar, kFar, 1);
    scene_light* high = Point(V(3, 0, 0), kFar, kFar, 3);
    scene_light* mid = Point(V(2, 0, 0), kFar, kFar, 2);
    Spot(V(5, 0, 0));
    scene_light* spot = Spot(V(4, 0, 0));  // the newer of equal priority leads the list
    Select(V(0, 0, 0));
    EXPECT_EQ(Chosen(), (std::vector<scene_light*>{mid, high, spot}));
    EXPECT_EQ(low->distance, 0.0f);  // never stored
    // A reach of the unmeasured distance takes the third one, last.
    low->radius = 1000000.0f;
    Select(V(0, 0, 0), SCENE_LIGHT_POINT);
    EXPECT_EQ(Chosen(), (std::vector<scene_light*>{mid, high, low}));
    EXPECT_EQ(low->distance, 1000000.0f);
}

TEST_F(SceneLightTest, ALightExactlyAtItsRadiusIsChosenAndJustBeyondIsNot) {
    scene_light* light = Pseudo(V(3, 4, 1));
    const s_Vector3 pos = V(-1, 0.5f, 2);
    ASSERT_EQ(Select(pos), 1);
    const f32 reach = light->distance;
    for (const auto& [radius, chosen] : {std::pair{reach, 1}, {std::nextafter(reach, 0.0f), 0}}) {
        light->radius = radius;
        EXPECT_EQ(Select(pos), chosen) << radius;
    }
}

TEST_F(SceneLightTest, APositionOnALightIsJustBelowIt) {
    for (scene_light* light : {Pseudo(V(1, 2, 3)), Point(V(1, 2, 3))}) {
        Select(V(1, 5, 7));  // leaves the direction (0, 0.6, 0.8)
        Select(V(1, 2, 3));
        EXPECT_EQ(light->distance, 0.1f);
        EXPECT_EQ(light->direction.y, -1.0f);
        EXPECT_FLOAT_EQ(light->direction.z, 0.8f);
        SceneLightsFree(light);
    }
}

TEST_F(SceneLightTest, ABarLightsFromItsNearestPointClampedToItsEnds) {
    scene_light* bar = Bar(V(0, 0, 0), V(10, 0, 0));
    const struct {
        s_Vector3 pos;
        f32 ratio, distance;
        s_Vector3 direction;
    } cases[] = {
        {V(-3, 4, 0), 0.0f, 5.0f, V(-0.6f, 0.8f, 0)},
        {V(4, 0, -2), 0.4f, 2.0f, V(0, 0, -1)},
        {V(10, 3, 0), 1.0f, 3.0f, V(0, 1, 0)},
        {V(16, 0, 8), 1.0f, 10.0f, V(0.6f, 0, 0.8f)},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Select(c.pos), 1);
        EXPECT_FLOAT_EQ(bar->barPosRatio, c.ratio);
        EXPECT_FLOAT_EQ(bar->distance, c.distance);
        EXPECT_NEAR(bar->direction.x, c.direction.x, 1e-6f);
        EXPECT_NEAR(bar->direction.y, c.direction.y, 1e-6f);
        EXPECT_NEAR(bar->direction.z, c.direction.z, 1e-6f);
    }
}

TEST_F(SceneLightTest, NearestFirstAndEqualDistancesKeepListOrder) {
    scene_light* farther = Pseudo(V(0, 3, 0));
    scene_light* olderEqual = Pseudo(V(0, 2, 0));
    scene_light* newerEqual = Pseudo(V(0, -2, 0));
    scene_light* higherEqual = Pseudo(V(2, 0, 0), kFar, kFar, kPriority + 1);
    scene_light* nearest = Pseudo(V(1, 0, 0), kFar, kFar, 1);
    Select(V(0, 0, 0));
    EXPECT_EQ(Chosen(), (std::vector<scene_light*>{nearest, higherEqual, newerEqual, olderEqual, farther}));
}

TEST_F(SceneLightTest, AFullChoiceKeepsTheNearestThirtyTwoInListOrder) {
    Pool(40);
    scene_light* nearest = Pseudo(V(1, 0, 0));
    std::vector<scene_light*> equal;
    for (s32 i = 0; i < 33; ++i)
        equal.insert(equal.begin(), Pseudo(V(0, 2, 0)));  // the newest of equals leads the list
    Pseudo(V(0, 0, 3));
    ASSERT_EQ(Select(V(0, 0, 0)), SCENE_LIGHT_MAX_LOCAL);
    std::vector<scene_light*> expected{nearest};
    expected.insert(expected.end(), equal.begin(), equal.begin() + SCENE_LIGHT_MAX_LOCAL - 1);
    EXPECT_EQ(Chosen(), expected);
}

TEST_F(SceneLightTest, OnlyTheFirstEightChosenLightsReachTheHardware) {
    for (s32 i = 1; i <= 10; ++i)
        Pseudo(V(0, f32(i), 0));
    Load(V(0, 0, 0));
    ASSERT_EQ(count_, 10);
    EXPECT_EQ(DrawContext.numLights, DRAW_MAX_LIGHTS);
    EXPECT_EQ(numGXLights, DRAW_MAX_HW_LIGHTS);
    EXPECT_EQ(DrawContext.lights[0].direction.y, -1.0f);  // the nearest, below the lights
}

// Loading, type by type, for a position 4 below the light.
TEST_F(SceneLightTest, EachTypeLoadsItsDrawLight) {
    constexpr u32 kDirDiffuse = u_light_flags::light_directional | u_light_flags::light_diffuse;
    const s_Vector3 pos = V(0, -4, 0);

    scene_light* pseudo = Pseudo(V(0, 0, 0), 8.0f, 5.0f);
    pseudo->shadowFlags = u_draw_shadow_flags::projected_shadow;
    pseudo->shadowIntensity = 0.25f;
    const s_draw_light& near = Load(pos);
    EXPECT_EQ(near.flags & ~u_light_flags::light_in_use, kDirDiffuse);
    EXPECT_EQ(near.direction.y, -1.0f);
    EXPECT_EQ(near.diffuse.x, kColor.x);
    EXPECT_EQ(near.intensity, 1.0f);
    EXPECT_EQ(near.shadowFlags, u_draw_shadow_flags::projected_shadow);
    EXPECT_EQ(near.shadowIntensity, 0.25f);
    // Past the attenuation distance the colour fades towards the radius; alpha
    // and specular do not.
    pseudo->attenuation = 2.0f;
    const s_draw_light& faded = Load(pos);
    EXPECT_FLOAT_EQ(faded.intensity, 2.0f / 3.0f);
    EXPECT_FLOAT_EQ(faded.diffuse.y, kColor.y * 2.0f / 3.0f);
    EXPECT_EQ(faded.specular.y, kColor.y);
    // With the Attenuate flag the colours are scaled by the intensity first.
    pseudo->attenuation = kFar;
    pseudo->intensity = 0.5f;
    pseudo->flags |= SCENE_LIGHT_FLAG_ATTENUATE;
    const s_draw_light& dimmed = Load(pos);
    EXPECT_EQ(dimmed.specular.z, kColor.z * 0.5f);
    SceneLightsFree(pseudo);

    scene_light* point = Point(V(0, 0, 0), 8.0f, 2.0f);
    const s_draw_light& asDir = Load(pos, SCENE_LIGHT_LOAD_POINT_AS_DIR);
    EXPECT_EQ(asDir.flags & ~u_light_flags::light_in_use, kDirDiffuse);
    EXPECT_FLOAT_EQ(asDir.diffuse.x, kColor.x / 8.0f);  // 1 / (distance x attenuation)
    EXPECT_EQ(asDir.diffuse.w, kColor.w);
    const s_draw_light& positional = Load(pos);
    EXPECT_EQ(positional.flags & u_light_flags::light_positional, u_light_flags::light_positional);
    EXPECT_EQ(positional.flags & u_light_flags::light_directional, 0u);
    EXPECT_EQ(positional.intensity, 2.0f);  // the attenuation
    EXPECT_EQ(positional.position.y, 0.0f);
    SceneLightsFree(point);

    scene_light* spot = Spot(V(0, 0, 0));
    spot->direction = V(0, -1, 0);
    const s_draw_light& spotLoaded = Load(pos);
    EXPECT_EQ(spotLoaded.flags & ~u_light_flags::light_in_use, kDirDiffuse | u_light_flags::light_positional);
    EXPECT_EQ(spotLoaded.direction.y, -1.0f);
    SceneLightsFree(spot);

    Global(V(1, 0, 0));
    const s_draw_light& dir = Load(pos);
    EXPECT_EQ(dir.flags & ~u_light_flags::light_in_use, kDirDiffuse);
    EXPECT_EQ(dir.direction.x, 1.0f);
}

TEST_F(SceneLightTest, AFadeWithoutARangeKeepsFullIntensityUpToTheRadius) {
    scene_light* pseudo = Pseudo(V(0, 0, 0));
    const s_Vector3 pos = V(3, 1, 2);
    Select(pos);
    pseudo->radius = pseudo->attenuation = pseudo->distance;
    const s_draw_light& loaded = Load(pos);
    ASSERT_EQ(count_, 1);
    EXPECT_EQ(loaded.intensity, 1.0f);
    EXPECT_EQ(loaded.diffuse.x, kColor.x);
}

TEST_F(SceneLightTest, APointLightWithoutAttenuationLoadsUnscaledAsDirectional) {
    Point(V(0, 0, 0), 8.0f, 0.0f);
    const s_draw_light& loaded = Load(V(0, 3, 0), SCENE_LIGHT_LOAD_POINT_AS_DIR);
    EXPECT_EQ(loaded.diffuse.x, kColor.x);
    EXPECT_EQ(loaded.diffuse.z, kColor.z);
}

TEST_F(SceneLightTest, ABarLightIsTintedByItsRampAndComesFromAbove) {
    // One 4x4 RGBA8 tile of (255, 128, 0, 255): alpha-red pairs, then green-blue.
    std::vector<u8> tile(64);
    for (u32 i = 0; i < 16; ++i) {
        tile[2 * i] = 255;
        tile[2 * i + 1] = 255;
        tile[32 + 2 * i] = 128;
        tile[32 + 2 * i + 1] = 0;
    }
    s_texture* ramp = TextureCreate(4, 4, 32, 0, tile.data(), nullptr);
    scene_light* bar = Bar(V(0, 0, 0), V(10, 0, 0));
    bar->texture = ramp;
    // Flatter than 60 degrees below the bar, the light is turned down to it; from
    // straight above it comes straight down.
    const struct {
        s_Vector3 pos;
        f32 y;
    } cases[] = {{V(5, -3, 4), -0.866f}, {V(5, 4, 3), -0.866f}, {V(5, -9, 0), -1.0f}, {V(5, 6, 0), -1.0f}};
    for (const auto& c : cases) {
        const s_draw_light& loaded = Load(c.pos);
        EXPECT_FLOAT_EQ(loaded.diffuse.x, kColor.x);
        EXPECT_FLOAT_EQ(loaded.diffuse.y, kColor.y * 128.0f / 255.0f);
        EXPECT_EQ(loaded.diffuse.z, 0.0f);
        EXPECT_FLOAT_EQ(loaded.direction.y, c.y);
        EXPECT_NEAR(Length(loaded.direction), 1.0f, 1e-5f) << c.pos.y;
    }
    TextureFree(ramp);
}

}  // namespace
