// Colour channels: material and ambient sources, diffuse and attenuation
// functions, the normal matrix, and the channel count.
#include <cmath>

#include "tests/console/gx_front_support.h"

namespace {

class GXLightingTest : public gxtest::GXFrontTest {
protected:
    void SetUp() override {
        GXFrontTest::SetUp();
        GXClearVtxDesc();
        GXSetVtxDesc(GX_VA_POS, GX_DIRECT);
        GXSetVtxDesc(GX_VA_NRM, GX_DIRECT);
        GXSetNumChans(1);
        GXSetChanAmbColor(GX_COLOR0A0, GXColor{32, 32, 32, 255});
        GXSetChanMatColor(GX_COLOR0A0, GXColor{255, 128, 0, 255});
    }

    // A unit quad at z = 0 with the given normal; the colour of its first vertex.
    std::vector<float> LitQuad(f32 nz) {
        primitives.clear();
        const f32 corners[][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        GXBegin(GX_QUADS, GX_VTXFMT0, 4);
        for (const auto& c : corners) {
            GXPosition3f32(c[0], c[1], 0);
            GXNormal3f32(0, 0, nz);
        }
        GXEnd();
        const float* color = primitives.at(0).vertices[0].color[0];
        return {color[0], color[1], color[2], color[3]};
    }

    static void LoadWhiteLight(f32 x, f32 y, f32 z) {
        GXLightObj light{};
        GXInitLightPos(&light, x, y, z);
        GXInitLightColor(&light, GXColor{255, 255, 255, 255});
        GXInitLightAttn(&light, 1, 0, 0, 1, 0, 0);
        GXLoadLightObjImm(&light, GX_LIGHT3);
    }
};

std::vector<float> Scaled(float r, float g, float b, float a) {
    return {r / 255, g / 255, b / 255, a / 255};
}

TEST_F(GXLightingTest, QuadFacingTheLightTakesTheMaterialFacingAwayTheAmbient) {
    GXSetChanCtrl(GX_COLOR0, GX_TRUE, GX_SRC_REG, GX_SRC_REG, GX_LIGHT3, GX_DF_CLAMP, GX_AF_NONE);
    LoadWhiteLight(0, 0, 1000);
    EXPECT_EQ(LitQuad(1), Scaled(255, 128, 0, 255));
    const std::vector<float> away = LitQuad(-1);
    EXPECT_FLOAT_EQ(away[0], 32.0f / 255);  // material x ambient
    EXPECT_FLOAT_EQ(away[1], 128.0f / 255 * 32 / 255);
    EXPECT_EQ(away[3], 1.0f);  // the alpha channel is unlit

    // The normal matrix turns the far side towards the light.
    const Mtx halfTurn = {{-1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -1, 0}};
    GXLoadNrmMtxImm(halfTurn, GX_PNMTX0);
    EXPECT_EQ(LitQuad(-1), Scaled(255, 128, 0, 255));
}

TEST_F(GXLightingTest, DistanceAndAngleAttenuation) {
    GXSetChanCtrl(GX_COLOR0, GX_TRUE, GX_SRC_REG, GX_SRC_REG, GX_LIGHT3, GX_DF_CLAMP, GX_AF_SPOT);
    GXSetChanAmbColor(GX_COLOR0, GXColor{0, 0, 0, 255});
    GXLightObj light{};
    GXInitLightPos(&light, 0, 0, 10);
    GXInitLightDir(&light, 0, 0, -1);
    GXInitLightColor(&light, GXColor{255, 255, 255, 255});
    GXInitLightSpot(&light, 90.5f, GX_SP_FLAT);           // beyond 90 degrees: no cone
    GXInitLightDistAttn(&light, 10, 0.5f, GX_DA_GENTLE);  // half as bright at 10 units
    GXLoadLightObjImm(&light, GX_LIGHT3);
    const f32 distance = std::sqrt(102.0f);  // to the corner (-1, -1, 0)
    EXPECT_NEAR(LitQuad(1)[0], 10 / distance / (1 + distance / 10), 1e-6);

    GXInitLightSpot(&light, 30, GX_SP_COS);
    GXInitLightPos(&light, 0, 0, 1);  // the corner is 55 degrees off the axis
    GXLoadLightObjImm(&light, GX_LIGHT3);
    EXPECT_EQ(LitQuad(1)[0], 0);
}

// Colour and alpha lit by one light, each through its own functions: facing
// away, the clamped diffuse gives nothing and no diffuse function the whole
// light, so one weight cannot serve both parts.
TEST_F(GXLightingTest, ColourAndAlphaLightWithTheirOwnFunctions) {
    GXSetChanCtrl(GX_COLOR0, GX_TRUE, GX_SRC_REG, GX_SRC_REG, GX_LIGHT3, GX_DF_CLAMP, GX_AF_NONE);
    GXSetChanCtrl(GX_ALPHA0, GX_TRUE, GX_SRC_REG, GX_SRC_REG, GX_LIGHT3, GX_DF_NONE, GX_AF_NONE);
    GXSetChanAmbColor(GX_COLOR0A0, GXColor{0, 0, 0, 0});
    GXSetChanMatColor(GX_COLOR0A0, GXColor{255, 255, 255, 255});
    LoadWhiteLight(0, 0, 1000);
    const std::vector<float> away = LitQuad(-1);
    EXPECT_EQ(away[0], 0.0f);  // clamped diffuse: unlit
    EXPECT_EQ(away[3], 1.0f);  // no diffuse function: fully lit
    GXSetChanCtrl(GX_COLOR0, GX_TRUE, GX_SRC_REG, GX_SRC_REG, GX_LIGHT3, GX_DF_NONE, GX_AF_NONE);
    GXSetChanCtrl(GX_ALPHA0, GX_TRUE, GX_SRC_REG, GX_SRC_REG, GX_LIGHT3, GX_DF_CLAMP, GX_AF_NONE);
    const std::vector<float> swapped = LitQuad(-1);
    EXPECT_EQ(swapped[0], 1.0f);
    EXPECT_EQ(swapped[3], 0.0f);
}

TEST_F(GXLightingTest, SpecularHighlightFollowsTheHalfAngle) {
    GXSetNumChans(2);
    GXSetChanCtrl(GX_COLOR1, GX_TRUE, GX_SRC_REG, GX_SRC_REG, GX_LIGHT3, GX_DF_NONE, GX_AF_SPEC);
    GXSetChanAmbColor(GX_COLOR1, GXColor{0, 0, 0, 0});
    GXSetChanMatColor(GX_COLOR1, GXColor{255, 255, 255, 255});
    GXLightObj light{};
    GXInitSpecularDir(&light, 0, 0, -1);  // shining away from the viewer: half-angle +z
    GXInitLightColor(&light, GXColor{255, 255, 255, 255});
    const f32 shininess = 4;
    GXInitLightAttn(&light, 0, 0, 1, shininess / 2, 0, 1 - shininess / 2);
    GXLoadLightObjImm(&light, GX_LIGHT3);

    LitQuad(1);
    EXPECT_FLOAT_EQ(primitives[0].vertices[0].color[1][0], 1.0f);
    LitQuad(-1);
    EXPECT_EQ(primitives[0].vertices[0].color[1][0], 0.0f);
}

TEST_F(GXLightingTest, VertexColourSourcesAndUnusedChannels) {
    GXSetVtxDesc(GX_VA_CLR0, GX_DIRECT);
    GXSetChanCtrl(GX_COLOR0A0, GX_FALSE, GX_SRC_REG, GX_SRC_VTX, 0, GX_DF_NONE, GX_AF_NONE);
    GXBegin(GX_POINTS, GX_VTXFMT0, 1);
    GXPosition3f32(0, 0, 0);
    GXNormal3f32(0, 0, 1);
    GXColor4u8(255, 0, 51, 102);
    GXEnd();
    const auto& v = primitives.at(0).vertices[0];
    EXPECT_EQ((std::vector<float>(v.color[0], v.color[0] + 4)), Scaled(255, 0, 51, 102));
    EXPECT_EQ((std::vector<float>(v.color[1], v.color[1] + 4)), (std::vector<float>{0, 0, 0, 0}));
}

// Vertices light in groups of four: a strip of seven, which ends with a group
// of three, lights each vertex as it would be lit alone, as a point.
// Among more vertices than a run that is shaded at a time, too, and its
// texture coordinate with it.
TEST_F(GXLightingTest, AVertexLightsTheSameInAGroupAsAlone) {
    GXSetChanCtrl(GX_COLOR0A0, GX_TRUE, GX_SRC_REG, GX_SRC_REG, GX_LIGHT3, GX_DF_SIGN, GX_AF_SPOT);
    LoadWhiteLight(0.5f, 2, 3);
    GXSetNumTexGens(1);
    GXSetTexCoordGen(GX_TEXCOORD0, GX_TG_MTX3x4, GX_TG_NRM, GX_IDENTITY);
    auto send = [](u32 i) {
        GXPosition3f32(f32(i) * 0.3f - 1, f32(i % 3) * 0.4f, -f32(i) * 0.2f);
        GXNormal3f32(std::sin(f32(i)), 0.5f, std::cos(f32(i)));
    };
    constexpr u32 kCount = 75;
    primitives.clear();
    GXBegin(GX_TRIANGLESTRIP, GX_VTXFMT0, kCount);
    for (u32 i = 0; i < kCount; ++i)
        send(i);
    GXEnd();
    for (u32 i = 0; i < kCount; ++i) {
        GXBegin(GX_POINTS, GX_VTXFMT0, 1);
        send(i);
        GXEnd();
    }
    ASSERT_EQ(primitives.size(), 1 + kCount);
    for (u32 i = 0; i < kCount; ++i) {
        const float* grouped = primitives[0].vertices[i].color[0];
        const float* alone = primitives[1 + i].vertices[0].color[0];
        EXPECT_EQ(std::vector<float>(grouped, grouped + 4), std::vector<float>(alone, alone + 4)) << i;
        const float* groupedTex = primitives[0].vertices[i].tex[0];
        const float* aloneTex = primitives[1 + i].vertices[0].tex[0];
        EXPECT_EQ(std::vector<float>(groupedTex, groupedTex + 3), std::vector<float>(aloneTex, aloneTex + 3))
            << i;
    }
}

}  // namespace
