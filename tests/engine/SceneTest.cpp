// The scene: a level model shared by name, animated by its own bank when there is
// one, lit by the nearest scene lights, fogged with fades that land on their
// target, and a skydome drawn around the camera.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "orblib47/source/Anim.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Scene.h"
#include "tests/engine/ModelDrawFixture.h"
#include "tests/support/VhmTestModel.h"
#include "tools/discbuild/VhaWriter.h"

namespace {

using namespace model_draw_test;

void* Image(const std::vector<u8>& chunk) {
    void* block = HeapMalloc(u32(chunk.size()), __FILE_NAME__, __LINE__);
    std::memcpy(block, chunk.data(), chunk.size());
    return block;
}

// A one-bone quad at the origin with one material; an alpha quad is drawn through
// an octree, as only those wait for the alpha pass.
s_model* LoadQuad(const char* name, u32 materialFlags = MATERIAL_FLAG_HAS_OPAQUE, u8 lit = 0) {
    discbuild::VhmModel source = vhmtest::StaticQuad();
    source.bones = {vhmtest::Bone(-1, -1, -1, 0, 0.0f)};
    source.meshes[0].radius = 1.0f;
    if (materialFlags & MATERIAL_FLAG_HAS_ALPHA)
        source.octTree = discbuild::OctreeNode{{0, 0, 0}, 1.0f, 0, {0}, {}};
    s_ORB_MATERIAL material{};
    material.flags = materialFlags;
    material.drawModes.zbuffer = DC_ZMODE_LESS_EQUAL;
    material.drawModes.zbufwrite = 1;
    material.drawModes.lighting = lit;
    source.materials = {material};
    const std::vector<u8> chunk = discbuild::VhmPayload(source);
    return ModelLoad(name, Image(chunk), u32(chunk.size()));
}

class SceneTest : public ModelDrawFixture {
protected:
    void SetUp() override {
        ModelDrawFixture::SetUp();
        const s_Vector3 target = {0, 0, 0, 0};
        s_Matrix4 camera;
        Matrix4LookAt(&camera, &target, &eye_);
        DrawSetCamera(&camera, &eye_);
        EventWait(2);  // frames of 1/60 s from here on
    }
    void TearDown() override {
        OrbScene.Shutdown();
        ModelDrawFixture::TearDown();
    }
    void Render() {
        drawn_.clear();
        COrbScene::RenderThread(nullptr, &OrbScene);
    }

    const s_Vector3 eye_ = {0, 0, 5, 0};
};

TEST_F(SceneTest, AWarmResetTakesTheDrawContextsFogAndAmbient) {
    f32 nearZ = 0, farZ = 0;
    u32 color = 0;
    OrbScene.GetFog(&nearZ, &farZ, &color);
    EXPECT_EQ(nearZ, DrawContext.fogNearZ);
    EXPECT_EQ(farZ, DrawContext.fogFarZ);
    EXPECT_EQ(color, DrawContext.fogColor);
    EXPECT_EQ(OrbScene.m_Ambient, DrawContext.ambientColor);
    EXPECT_EQ(OrbScene.SetEnable(0), 1);
    EXPECT_EQ(OrbScene.SetEnable(1), 0);
}

TEST_F(SceneTest, FogFadesLandOnTheirTarget) {
    OrbScene.Startup("NOLEVEL", nullptr);
    OrbScene.SetFog(10.0f, 100.0f, 0x102030FF);
    OrbScene.m_TargetFogNearZ = 37.3f;
    OrbScene.m_TargetFogFarZ = 911.7f;
    OrbScene.m_TargetFogColor = 0xC0A0E0FF;
    OrbScene.m_FogFadeTime = 0.5f;
    EventWait(15);
    EXPECT_GT(OrbScene.m_FogNearZ, 10.0f);
    EXPECT_LT(OrbScene.m_FogNearZ, 37.3f);
    EventWait(30);
    EXPECT_EQ(OrbScene.m_FogFadeTime, 0.0f);
    EXPECT_EQ(OrbScene.m_FogFadeTimer, 0.5f);
    EXPECT_EQ(OrbScene.m_FogNearZ, 37.3f);
    EXPECT_EQ(OrbScene.m_FogFarZ, 911.7f);
    EXPECT_EQ(OrbScene.m_FogColor, 0xC0A0E0FFu);
    EXPECT_EQ(DrawContext.fogColor, 0xC0A0E0FFu);  // the render task sets it
    EXPECT_EQ(DrawContext.fogFarZ, 911.7f);
}

TEST_F(SceneTest, AFadeOfTimeZeroNeverStarts) {
    OrbScene.Startup("NOLEVEL", nullptr);
    OrbScene.SetFog(10.0f, 100.0f, 0x102030FF);
    OrbScene.m_TargetFogNearZ = 50.0f;
    OrbScene.m_FogFadeTimer = 0.0f;
    EventWait(10);
    EXPECT_EQ(OrbScene.m_FogNearZ, 10.0f);
    EXPECT_EQ(OrbScene.m_FogFadeTimer, 0.0f);
}

TEST_F(SceneTest, ASceneWithoutAnAnimationBankDrawsUnanimated) {
    s_model* model = LoadQuad("LEVEL");
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(OrbScene.Startup("LEVEL", nullptr), RET_NO_ERROR);
    EXPECT_EQ(OrbScene.m_Model, model);
    EXPECT_EQ(model->dataEntry->refCount, 2);
    EXPECT_EQ(OrbScene.m_Anim, nullptr);
    EXPECT_EQ(OrbScene.m_HMatrix, nullptr);
    EXPECT_EQ(OrbScene.m_FMatrix, nullptr);
    EventWait(1);
    ASSERT_FALSE(drawn_.empty());
    EXPECT_NEAR(drawn_[0].modelView[2][3], -eye_.z, kTolerance);  // under the identity

    OrbScene.SetEnable(0);
    Render();
    EXPECT_TRUE(drawn_.empty());
    OrbScene.Shutdown();
    EXPECT_EQ(model->dataEntry->refCount, 1);
    EXPECT_EQ(OrbScene.m_RenderThreadPtr, nullptr);
    ModelFree(model);
}

TEST_F(SceneTest, AlphaMaterialsWaitForTheAlphaPass) {
    s_model* model = LoadQuad("LEVEL", MATERIAL_FLAG_HAS_ALPHA);
    ASSERT_NE(model->octTree, nullptr);
    OrbScene.Startup("LEVEL", nullptr);
    Render();
    EXPECT_TRUE(drawn_.empty());
    COrbScene::AlphaRenderThread(nullptr, &OrbScene);
    EXPECT_EQ(drawn_.size(), 1u);
    EXPECT_EQ(OrbMaterial.SetFilter(0), MATERIAL_FLAG_HAS_ALPHA | MATERIAL_FLAG_HAS_OPAQUE);
    EXPECT_EQ(DrawContext.fogNearZ, OrbScene.m_FogNearZ);  // the scene's fog is back
    OrbScene.Shutdown();
    ModelFree(model);
}

TEST_F(SceneTest, TheScenePlaysAnimationZeroOfItsBankOnARepeat) {
    s_model* model = LoadQuad("LEVEL");
    const std::vector<u8> bank = discbuild::VhaPayload({0, 1, {{"IDLE", 0, 0, 1, 0, {}}}});
    s_hanim_header* anim = HAnimLoad("LEVELANM", Image(bank), u32(bank.size()), 0);
    ASSERT_NE(anim, nullptr);
    OrbScene.Startup("LEVEL", nullptr);
    ASSERT_NE(OrbScene.m_Anim, nullptr);
    EXPECT_NE(OrbScene.m_HMatrix, nullptr);
    EXPECT_NE(OrbScene.m_FMatrix, nullptr);
    EventWait(90);  // past the end of the one-second animation
    EXPECT_FALSE(HAnimDone(OrbScene.m_Anim));
    EXPECT_NEAR(HAnimGetTime(OrbScene.m_Anim), 0.5f, 0.05f);
    EXPECT_EQ(anim->dataEntry->refCount, 2);
    OrbScene.Shutdown();
    EXPECT_EQ(anim->dataEntry->refCount, 1);
    HAnimFree(anim);
    ModelFree(model);
}

TEST_F(SceneTest, TheSkydomeFollowsTheCameraBehindEverything) {
    s_model* sky = LoadQuad("SKY");
    OrbScene.Startup("NOLEVEL", "SKY");
    ASSERT_EQ(OrbScene.m_SkydomeModel, sky);
    EXPECT_EQ(sky->orbMaterialList[0].drawModes.zbuffer, DC_ZMODE_ALWAYS);
    EXPECT_EQ(sky->orbMaterialList[0].drawModes.zbufwrite, 0);
    Render();
    ASSERT_FALSE(drawn_.empty());
    for (int r = 0; r < 3; ++r)
        EXPECT_NEAR(drawn_[0].modelView[r][3], 0.0f, kTolerance);  // its origin sits on the camera
    OrbScene.Shutdown();
    ModelFree(sky);
}

TEST_F(SceneTest, AMissingSkydomeIsLeftOut) {
    s_model* model = LoadQuad("LEVEL");
    OrbScene.Startup("LEVEL", "NOSKY");
    EXPECT_EQ(OrbScene.m_SkydomeModel, nullptr);
    Render();
    EXPECT_FALSE(drawn_.empty());
    OrbScene.Shutdown();
    ModelFree(model);
}

TEST_F(SceneTest, TheSceneKeepsItsSixteenNearestLights) {
    s_model* model = LoadQuad("LEVEL");
    OrbScene.Startup("LEVEL", nullptr);
    // Two point lights are measured per choice; the rest reach everything at the
    // unmeasured distance.
    const s_Vector4 white{1, 1, 1, 1};
    std::vector<scene_light*> lights;
    for (s32 i = 0; i < 20; ++i) {
        const s_Vector3 pos = {eye_.x, eye_.y + 1.0f + f32(i), eye_.z, 0};
        lights.push_back(SceneLightsAddPoint(&pos, &white, 2000000.0f, 1.0f, i));
    }
    Render();
    ASSERT_EQ(OrbScene.m_NumLights, COrbScene::MAX_LIGHTS);
    EXPECT_EQ(OrbScene.m_LightList[0], lights[18]);  // measured, nearer
    EXPECT_EQ(OrbScene.m_LightList[1], lights[19]);
    EXPECT_EQ(OrbScene.m_LightList[2]->distance, 1000000.0f);
    OrbScene.Shutdown();
    ModelFree(model);
}

// The skydome's material switches lighting off after the lights were switched on
// for it; the scene's lit materials still take the point lights near the camera.
TEST_F(SceneTest, PointLightsLightTheModelDrawnAfterAnUnlitSkydome) {
    s_model* sky = LoadQuad("SKY");
    s_model* model = LoadQuad("LEVEL", MATERIAL_FLAG_HAS_OPAQUE, 1);
    OrbScene.Startup("LEVEL", "SKY");
    OrbScene.m_Ambient = 0x202020FFu;
    const s_Vector3 near = {0.5f, 0.5f, 1.0f, 0};
    const s_Vector4 red{1, 0, 0, 1};
    scene_light* lamp = SceneLightsAddPoint(&near, &red, 100.0f, 0.5f, 0);
    DrawEnableLight(1);  // as a lit object drawn before leaves it
    for (int frame = 0; frame < 2; ++frame) {
        Render();
        ASSERT_EQ(drawn_.size(), 2u);
        for (const RasterVertex& v : drawn_[1].vertices)
            EXPECT_EQ(ColorOf(v), 0xFF2020FFu) << "frame " << frame;
    }

    SceneLightsFree(lamp);
    Render();
    ASSERT_EQ(drawn_.size(), 2u);
    for (const RasterVertex& v : drawn_[1].vertices)
        EXPECT_EQ(ColorOf(v), 0x202020FFu);  // the ambient alone
    OrbScene.Shutdown();
    ModelFree(model);
    ModelFree(sky);
}

}  // namespace
