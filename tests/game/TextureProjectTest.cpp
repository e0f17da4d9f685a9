// The game's texture projectors drawn by the engine's projector manager: a spot
// light's texture added onto the floor where its frustum lands, through a shadow
// texture when objects cast shadows, and the message when that texture cannot be made.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "console/gx/efb_control.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Texture.h"
#include "source/TextureProject.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TestCollisionCache.h"

namespace {

constexpr u32 kBackground = 0x202020u;
// The white texture in white light at intensity 0.5 adds 127 to each channel.
constexpr u32 kLit = kBackground + 0x7F7F7Fu;
constexpr f32 kHeight = 5.0f, kAngle = 20.0f;

class TextureProjectorTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        ASSERT_EQ(ProjectorWarmReset(), 1);
        white_.assign(4 * 4 * 4, 0xFF);
        texture_ = TextureCreate(4, 4, 32, 0, white_.data(), nullptr);
        ASSERT_NE(texture_, nullptr);
        cache_.Receiver(0.0f, 0.0f, 10.0f);

        projector_ = std::make_unique<CTextureProject>();
        projector_->light.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
        projector_->light.position = {0.0f, kHeight, 0.0f, 1.0f};
        projector_->light.direction = {0.0f, -1.0f, 0.0f, 0.0f};
        projector_->light.intensity = 0.5f;
        projector_->light.angle = kAngle;
        projector_->texture = texture_;
        projector_->cache = cache_.get();
        projector_->locals.projectorCenter = {0.0f, 0.0f, 0.0f, 0.0f};
        projector_->locals.projectorRadius = kHeight;
        record_ = ProjectorAlloc(projector_.get());
        ASSERT_NE(record_, nullptr);
    }
    void TearDown() override {
        ProjectorFree(record_);
        ProjectorShutdownThreads();
        ProjectorShutdownMemory();
        projector_.reset();
        TextureFree(texture_);
        GameFixture::TearDown();
    }

    // Background, then the camera 10 above the origin looking down, and one frame of
    // the manager's tasks with the objects' updates in between.
    // Seen from above, or low along the floor (drawn first, for the light to fall on).
    void DrawFrame(s_hmodel* caster, bool lowOverTheFloor = false) {
        const s_Irect16 screen = {0, 0, s16(DrawContext.screenSize.x), s16(DrawContext.screenSize.y)};
        DrawSetProjection(DC_PROJ_ORTHO);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DrawSetTexture(nullptr);
        DrawSetFlatColor(kBackground << 8 | 0xFFu);
        DrawFilledIrect(&screen);
        DrawSetFlatColor(0xFFFFFFFFu);
        const s_Vector3 eye = lowOverTheFloor ? s_Vector3{0.3f, 0.8f, 6, 0} : s_Vector3{0, 10, 0, 0};
        const s_Vector3 origin = {0, 0, 0, 0};
        const s_Vector3 up = lowOverTheFloor ? s_Vector3{0, 1, 0, 0} : s_Vector3{0, 0, -1, 0};
        s_Matrix4 camera;
        Matrix4LookUp(&camera, &eye, &origin, &up);
        DrawSetCamera(&camera, &eye);
        if (lowOverTheFloor)
            DrawFloor();

        ProjectorUpdateThreadPtr->func(ProjectorUpdateThreadPtr, nullptr);
        projector_->AddShadowCaster(caster);
        ProjectorRenderThreadPtr->func(ProjectorRenderThreadPtr, nullptr);
    }
    // The receiver drawn for real, its depth kept, as the level's scene is; what is
    // drawn after it is depth-tested against it.
    static void DrawFloor() {
        DrawSetProjection(DC_PROJ_3D);
        const s32 writes = DrawSetZBufferWrite(1);
        DrawSetFlatColor(kBackground << 8 | 0xFFu);
        const s_Vector3 corners[4] = {{-10, 0, 10, 0}, {10, 0, 10, 0}, {10, 0, -10, 0}, {-10, 0, -10, 0}};
        DrawQuad(&corners[0], &corners[1], &corners[2], &corners[3]);
        DrawSetFlatColor(0xFFFFFFFFu);
        DrawSetZBufferWrite(writes);
        DrawSetZBufferMode(DC_ZMODE_LESS_EQUAL);
    }
    static u32 FloorRgb(f32 x, f32 z) {
        const s_Vector3 world = {x, 0.0f, z, 0.0f};
        s_Vector3 pixel;
        EXPECT_GT(DrawWorld2Screen(&pixel, &world), 0.0f);
        return HostEFBColor(u32(pixel.x), u32(pixel.y)) & 0x00FFFFFFu;
    }
    std::vector<u8> white_;
    s_texture* texture_ = nullptr;
    TestCollisionCache cache_{1};
    std::unique_ptr<CTextureProject> projector_;
    s_projector_list* record_ = nullptr;
};

TEST_F(TextureProjectorTest, TheRegisteredDrawingLightsTheFloorInsideTheFrustumOnly) {
    DrawFrame(nullptr);
    const f32 reach = kHeight * std::tan(kAngle * 3.14159265f / 180.0f);
    EXPECT_EQ(FloorRgb(0.0f, 0.0f), kLit);
    EXPECT_EQ(FloorRgb(0.7f * reach, -0.7f * reach), kLit);
    EXPECT_EQ(FloorRgb(1.3f * reach, 0.0f), kBackground);
    EXPECT_EQ(FloorRgb(0.0f, 2.0f * reach), kBackground);
    EXPECT_EQ(projector_->shadowTexture, nullptr);
}

// The light lies on the floor's own polygons, not behind them, wherever its
// clipped corners fall.
TEST_F(TextureProjectorTest, TheLightLandsOnTheFloorDrawnBeneathIt) {
    DrawFrame(nullptr, true);
    const f32 reach = kHeight * std::tan(kAngle * 3.14159265f / 180.0f);
    for (f32 x = -0.8f; x <= 0.8f; x += 0.1f)
        for (f32 z = -0.8f; z <= 0.8f; z += 0.1f)
            EXPECT_EQ(FloorRgb(x * reach, z * reach), kLit) << x << ", " << z;
}

// The objects' pass leaves lighting on: the light keeps its colour and strength.
TEST_F(TextureProjectorTest, TheLightAddsItsIntensityWhileLightingIsOn) {
    DrawEnableLight(1);
    DrawFrame(nullptr);
    EXPECT_EQ(FloorRgb(0.0f, 0.0f), kLit);
    EXPECT_NE(DrawEnableLight(1), 0);  // put back as it was
}

TEST_F(TextureProjectorTest, ShadowCastersGoThroughAShadowTextureMadeOnFirstUse) {
    s_hmodel caster{};  // no model bound: it draws nothing into the shadow texture
    DrawFrame(&caster);
    EXPECT_EQ(projector_->locals.numObjShadowCast, 1);
    EXPECT_NE(projector_->locals.flags & u_texproj_object_flags::activeRender, 0u);
    s_texture* shadow = projector_->shadowTexture;
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(FloorRgb(0.0f, 0.0f), kLit);

    DrawFrame(&caster);
    EXPECT_EQ(projector_->shadowTexture, shadow);
    EXPECT_EQ(projector_->locals.numObjShadowCast, 1);  // the update task started again from 0
}

TEST_F(TextureProjectorTest, WithoutATextureRecordForShadowsTheProjectorDrawsWithoutThem) {
    std::vector<s_texture*> taken;
    u32 texel = 0;
    while (s_texture* t = TextureCreate(1, 1, 32, 0, &texel, nullptr))
        taken.push_back(t);
    report_->clear();
    s_hmodel caster{};
    DrawFrame(&caster);
    EXPECT_TRUE(report().contains("ERROR! Cannot alloc texture for texture projection shadow!\n"))
        << report().text();
    EXPECT_EQ(projector_->shadowTexture, nullptr);
    EXPECT_EQ(FloorRgb(0.0f, 0.0f), kLit);
    for (s_texture* t : taken)
        TextureFree(t);
}

}  // namespace
