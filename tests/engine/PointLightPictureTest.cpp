// A lit floor under one positional draw light, drawn as a model: brighter under the
// light than away from it, and brighter the stronger the light.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "console/gx/efb_control.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "tests/support/EngineFixture.h"
#include "tools/modelgen/ModelBuild.h"

namespace {

constexpr u32 kAmbient = 0x202020FFu;
constexpr u32 kAmbientGrey = 0x20;

class PointLightPictureTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        const std::vector<modelgen::Part> parts = {
            {modelgen::Box({-4, -0.2f, -4, 0}, {4, 0, 4, 0}, {16, 1, 16}, 0xFFFFFFFFu),
             modelgen::PlainMaterial(0xFFFFFFFFu)}};
        const std::vector<u8> chunk = discbuild::VhmPayload(modelgen::StaticModel(parts).vhm);
        void* block = HeapMalloc(u32(chunk.size()), __FILE_NAME__, __LINE__);
        std::memcpy(block, chunk.data(), chunk.size());
        floor_ = ModelLoad("LITFLOOR", block, u32(chunk.size()));
        ASSERT_NE(floor_, nullptr) << report().text();

        const s_Vector3 eye = {0, 9, 5, 0}, target = {0, 0, 0, 0}, up = {0, 1, 0, 0};
        s_Matrix4 camera;
        Matrix4LookUp(&camera, &eye, &target, &up);
        DrawSetCamera(&camera, &eye);
        DrawSetProjection(DC_PROJ_3D);
        DrawEnableLight(1);
        DrawSetAmbientLight(kAmbient);
    }
    void TearDown() override {
        ModelFree(floor_);
        EngineFixture::TearDown();
    }

    // The floor drawn under a white light at `position` fading as 1 / (fade x distance).
    void DrawUnder(const s_Vector4& position, f32 fade) {
        s_draw_light light{};
        light.flags = u_light_flags::light_positional | u_light_flags::light_diffuse;
        light.diffuse = {1, 1, 1, 1};
        light.position = position;
        light.intensity = fade;
        DrawResetLights();
        DrawAddLight(&light);
        ModelDraw(floor_, &IDMatrix4, nullptr, nullptr);
    }

    // The grey seen where the floor's point (x, 0, z) is.
    static u32 Grey(f32 x, f32 z) {
        s_Vector3 screen;
        const s_Vector3 world = {x, 0, z, 0};
        EXPECT_GT(DrawWorld2Screen(&screen, &world), 0.0f);
        return HostEFBColor(u32(std::lround(screen.x)), u32(std::lround(screen.y))) >> 8 & 0xFFu;
    }

    s_model* floor_ = nullptr;
};

TEST_F(PointLightPictureTest, TheFloorIsBrightestUnderTheLightAndFadesAwayFromIt) {
    DrawUnder({-3, 1, 0, 1}, 0.5f);
    const u32 under = Grey(-3, 0), middle = Grey(0, 0), far = Grey(3, 0);
    EXPECT_EQ(under, 0xFFu);
    EXPECT_GT(under, middle);
    EXPECT_GT(middle, far);
    EXPECT_GT(far, kAmbientGrey);
    // Off to the side of the light, as far away as the middle: as bright as the middle.
    EXPECT_NEAR(f32(Grey(-3, 3)), f32(middle), 4.0f);
}

TEST_F(PointLightPictureTest, AStrongerLightBrightensTheFloorAwayFromIt) {
    DrawUnder({-3, 1, 0, 1}, 1.0f);
    const u32 weak = Grey(3, 0);
    DrawUnder({-3, 1, 0, 1}, 0.05f);
    const u32 strong = Grey(3, 0);
    EXPECT_GT(weak, kAmbientGrey);
    EXPECT_GT(strong, weak + 0x20);
}

}  // namespace
