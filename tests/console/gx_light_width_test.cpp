// Lighting eight vertices at a time gives the bits four at a time gives, for
// every diffuse and attenuation function and colour source, and on vertices
// where the sums go wrong: at a light, with no normal, beyond a spot's cutoff.
#include <bit>
#include <cmath>
#include <set>
#include <vector>

#include "console/gx/gx_lighting.h"
#include "tests/console/gx_front_support.h"

namespace {

using console::gx::EyeVertex;
using console::gx::RasterVertex;
using GXLightWidthTest = gxtest::GXFrontTest;

constexpr u32 kVertices = 21;  // two groups of eight and a tail

std::vector<EyeVertex> MakeVertices() {
    std::vector<EyeVertex> eye(kVertices);
    u32 seed = 4242;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return f32(seed >> 8) / f32(1u << 24) * 4 - 2;
    };
    for (EyeVertex& v : eye) {
        for (int r = 0; r < 3; ++r) {
            v.eye[r] = next();
            v.decoded.nrm[r] = next();
        }
        v.decoded.clr[0] = {u8(seed >> 3), u8(seed >> 11), u8(seed >> 19), u8(seed >> 5)};
        v.decoded.clr[1] = {u8(seed >> 7), u8(seed >> 13), u8(seed >> 17), u8(seed >> 23)};
    }
    const f32 atLight[3] = {1, 2, -3};
    std::copy_n(atLight, 3, eye[3].eye);  // no way to the light
    std::fill_n(eye[9].decoded.nrm, 3, 0.0f);
    return eye;
}

void LoadLights() {
    const GXSpotFn spots[] = {GX_SP_COS, GX_SP_SHARP, GX_SP_RING2};
    for (u32 i = 0; i < 3; ++i) {
        GXLightObj light{};
        GXInitLightPos(&light, 1 - f32(i), 2, -3);
        GXInitLightDir(&light, 0, -1, 0);
        GXInitLightColor(&light, GXColor{200, u8(90 * i), 255, 128});
        GXInitLightSpot(&light, 30, spots[i]);
        GXInitLightDistAttn(&light, 4, 0.5f, GX_DA_MEDIUM);
        GXLoadLightObjImm(&light, GXLightID(GX_LIGHT0 << i));
    }
    GXLightObj specular{};
    GXInitSpecularDir(&specular, 0.3f, -0.6f, -0.7f);
    GXInitLightColor(&specular, GXColor{255, 255, 255, 255});
    GXInitLightAttn(&specular, 0, 0, 1, 0, 0.5f, 0.5f);
    GXLoadLightObjImm(&specular, GX_LIGHT3);
}

struct Case {
    u8 numChans;
    GXColorSrc ambSrc, matSrc;
    GXDiffuseFn diffFn;
    GXAttnFn attnFn;
    u32 alphaLights;  // alpha 0 on its own functions when non-zero
};

constexpr Case kCases[] = {
    {1, GX_SRC_REG, GX_SRC_VTX, GX_DF_CLAMP, GX_AF_SPOT, 0},
    {1, GX_SRC_VTX, GX_SRC_REG, GX_DF_SIGN, GX_AF_SPOT, GX_LIGHT2},
    {2, GX_SRC_REG, GX_SRC_REG, GX_DF_NONE, GX_AF_SPEC, 0},
    {2, GX_SRC_VTX, GX_SRC_VTX, GX_DF_CLAMP, GX_AF_NONE, GX_LIGHT3},
};

TEST_F(GXLightWidthTest, EightLanesLightAsFourDo) {
    const std::vector<EyeVertex> eye = MakeVertices();
    std::vector<u32> which(kVertices);
    for (u32 i = 0; i < kVertices; ++i)
        which[i] = i;
    LoadLights();
    const Mtx rotate = {{0.8f, 0, 0.6f, 0}, {0, 1, 0, 0}, {-0.6f, 0, 0.8f, 0}};
    GXLoadNrmMtxImm(rotate, GX_PNMTX0);
    GXSetChanAmbColor(GX_COLOR0A0, GXColor{40, 50, 60, 70});
    GXSetChanMatColor(GX_COLOR0A0, GXColor{250, 128, 3, 99});
    GXSetChanMatColor(GX_COLOR1A1, GXColor{99, 250, 128, 3});
    for (const Case& c : kCases) {
        GXSetNumChans(c.numChans);
        const u32 lights = GX_LIGHT0 | GX_LIGHT1 | GX_LIGHT3;
        GXSetChanCtrl(GX_COLOR0A0, GX_TRUE, c.ambSrc, c.matSrc, lights, c.diffFn, c.attnFn);
        GXSetChanCtrl(GX_COLOR1A1, GX_TRUE, c.matSrc, c.ambSrc, lights, c.diffFn, c.attnFn);
        if (c.alphaLights != 0)
            GXSetChanCtrl(GX_ALPHA0, GX_TRUE, c.ambSrc, c.matSrc, c.alphaLights, GX_DF_CLAMP, GX_AF_NONE);
        const console::gx::LightPlan plan = console::gx::PlanLights();
        std::vector<RasterVertex> by4(kVertices), by8(kVertices), mixed(kVertices);
        LightVerticesBy4(plan, eye.data(), which.data(), kVertices, by4.data());
        const u32 wide = LightVerticesBy8(plan, eye.data(), which.data(), kVertices, by8.data());
        if (wide == 0)
            GTEST_SKIP() << "no AVX2 here";
        ASSERT_EQ(wide, 16u);
        LightVertices(plan, eye.data(), which.data(), kVertices, mixed.data());
        std::set<float> values;  // the lights reach the vertices
        for (const RasterVertex& v : by4)
            values.insert(&v.color[0][0], &v.color[0][0] + 8);
        EXPECT_GT(values.size(), kVertices);
        for (u32 i = 0; i < kVertices; ++i)
            for (int ch = 0; ch < 2; ++ch)
                for (int k = 0; k < 4; ++k) {
                    const u32 four = std::bit_cast<u32>(by4[i].color[ch][k]);
                    if (i < wide) {
                        EXPECT_EQ(std::bit_cast<u32>(by8[i].color[ch][k]), four) << i << " " << ch << k;
                    }
                    EXPECT_EQ(std::bit_cast<u32>(mixed[i].color[ch][k]), four) << i << " " << ch << k;
                }
    }
}

}  // namespace
