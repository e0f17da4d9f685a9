#include <gtest/gtest.h>

#include "console/gx/gx_control.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "tests/support/EngineFixture.h"

namespace {

s_draw_light MakeLight(u32 flags) {
    s_draw_light light = ObjectDefaultLight;
    light.flags = flags;
    light.position = {1.0f, 2.0f, 3.0f, 1.0f};
    return light;
}

const s_draw_light kPoint = MakeLight(u_light_flags::light_diffuse | u_light_flags::light_positional);
const s_draw_light kDirectional = MakeLight(u_light_flags::light_diffuse | u_light_flags::light_directional);

class DrawLightsTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        DrawResetLights();
    }
};

TEST_F(DrawLightsTest, PointLightTakesTwoCountedHemispheres) {
    EXPECT_EQ(DrawAddLight(&kPoint), 1);
    EXPECT_EQ(DrawContext.numLights, 2);
    EXPECT_EQ(numGXLights, 2);
    EXPECT_EQ(DrawContext.lights[0].direction.x, 1.0f);
    EXPECT_EQ(DrawContext.lights[1].direction.x, -1.0f);
    EXPECT_TRUE(DrawContext.lights[1].flags & u_light_flags::light_spotlight);
    // The next light goes after the second hemisphere instead of over it.
    EXPECT_EQ(DrawAddLight(&kDirectional), 1);
    EXPECT_TRUE(DrawContext.lights[1].flags & u_light_flags::light_spotlight);
    EXPECT_EQ(GXLights[2].index, 2);
    EXPECT_EQ(DrawContext.lights[2].position.y, 2000000.0f);  // a very distant point
}

TEST_F(DrawLightsTest, HardwareLightsRunOutCleanly) {
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(DrawAddLight(&kPoint), 1);
    EXPECT_EQ(numGXLights, DRAW_MAX_HW_LIGHTS);
    EXPECT_EQ(DrawAddLight(&kDirectional), 0);
    EXPECT_EQ(DrawSetLight(&kDirectional, 0), -1);

    DrawResetLights();
    EXPECT_EQ(DrawSetLight(&kPoint, DRAW_MAX_LIGHTS - 1), DRAW_MAX_LIGHTS - 1);  // no slot after it
    EXPECT_EQ(numGXLights, 1);
    EXPECT_EQ(DrawSetLight(&kPoint, DRAW_MAX_LIGHTS), -1);
}

TEST_F(DrawLightsTest, SpecularDirectionalLightTakesASecondHardwareLight) {
    s_draw_light light = MakeLight(u_light_flags::light_diffuse | u_light_flags::light_specular |
                                   u_light_flags::light_directional);
    DrawSetLights(&light, 1);
    EXPECT_EQ(numGXLights, 2);
    EXPECT_EQ(GXLights[1].flags, HW_LIGHT_SPECULAR);
    EXPECT_EQ(DrawContext.lights[0].specular.x, 1.0f);
}

TEST_F(DrawLightsTest, SwitchOnBuildsLightsOnlyWhenEnabledAndPositionsOnlyAfterAReset) {
    DrawSetLights(&kPoint, 1);
    EXPECT_EQ(DrawLightsOn(), 0);
    EXPECT_FALSE(DrawContext.flags & u_draw_flags::LightOn);
    EXPECT_EQ(UpdateLights, 1);

    DrawEnableLight(1);
    s_Matrix4 camera = IDMatrix4;
    camera.element[3] = 10.0f;
    const s_Vector3 eye = {-10.0f, 0.0f, 0.0f, 0.0f};
    DrawSetCamera(&camera, &eye);
    DrawLightsOn();
    EXPECT_TRUE(DrawContext.flags & u_draw_flags::LightOn);
    EXPECT_EQ(GXLights[0].lightObj.pos[0], 11.0f);

    camera.element[3] = 20.0f;
    DrawSetCamera(&camera, &eye);
    DrawLightsOn();
    EXPECT_EQ(GXLights[0].lightObj.pos[0], 11.0f);  // colours only until a reset

    DrawResetLights();
    DrawSetLights(&kPoint, 1);
    DrawLightsOn();
    EXPECT_EQ(GXLights[0].lightObj.pos[0], 21.0f);
}

// An unlit material after a lit one switches lighting off: the next material,
// lit again or not, must not take the lights loaded before.
TEST_F(DrawLightsTest, SwitchingLightingOffSwitchesTheLightsOff) {
    DrawEnableLight(1);
    DrawSetLights(&kDirectional, 1);
    DrawLightsOn();
    ASSERT_TRUE(DrawContext.flags & u_draw_flags::LightOn);
    DrawEnableLight(0);
    EXPECT_FALSE(DrawContext.flags & u_draw_flags::LightOn);
    const s_ORB_MATERIAL material{};
    OrbMaterial.SetLighting(&material);
    EXPECT_EQ(HostGXState().front.chanCtrl[GX_COLOR0].lightMask, GX_LIGHT_NULL);
    DrawEnableLight(1);
    OrbMaterial.SetLighting(&material);
    EXPECT_EQ(HostGXState().front.chanCtrl[GX_COLOR0].lightMask, GX_LIGHT_NULL);
}

TEST_F(DrawLightsTest, MaterialSetUpLeavesTheMaterialAlone) {
    s_material_lighting material = {{0, 0, 0, 0}, {1, 1, 1, 1}, {1, 0, 0, 1}, 2.0f};
    NGCHardwareLighting(&material);
    EXPECT_EQ(material.ambient.x, 0.0f);
    EXPECT_EQ(HostGXState().front.ambColor[0].r, 51);  // white x DefaultAmbient
    EXPECT_EQ(HostGXState().raster.numChans, 2);
    EXPECT_EQ(specularStage, 1);

    material.shininess = 0.0f;
    NGCHardwareLighting(&material);
    EXPECT_EQ(HostGXState().raster.numChans, 1);
    EXPECT_FALSE(HostGXState().front.chanCtrl[GX_COLOR1].enable);
}

}  // namespace
