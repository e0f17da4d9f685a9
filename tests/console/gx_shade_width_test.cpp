// Lighting and texture-coordinate generation eight and sixteen vertices at a
// time give the bits four at a time give, for every light function, colour source and kind
// of generator, and on vertices where the sums go wrong: at a light, with no
// normal, beyond a spot's cutoff.
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <set>
#include <vector>

#include "console/gx/gx_lighting.h"
#include "console/gx/gx_texgen.h"
#include "tests/console/gx_front_support.h"

namespace {

using console::gx::EyeVertex;
using console::gx::RasterVertex;

constexpr u32 kVertices = 21;  // a group of sixteen, two of eight, and a tail

// A field of floats, as one array.
template <std::size_t N, typename T>
std::array<float, N> Floats(const T& field) {
    static_assert(sizeof field == N * sizeof(float));
    std::array<float, N> out;
    std::memcpy(out.data(), &field, sizeof field);
    return out;
}

class GXShadeWidthTest : public gxtest::GXFrontTest {
protected:
    GXShadeWidthTest() : eye(kVertices), which(kVertices) {
        u32 seed = 4242;
        auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return f32(seed >> 8) / f32(1u << 24) * 4 - 2;
        };
        for (u32 i = 0; i < kVertices; ++i) {
            which[i] = i;
            console::gx::DecodedVertex& v = eye[i].decoded;
            for (int r = 0; r < 3; ++r) {
                eye[i].eye[r] = next();
                v.pos[r] = next();
                v.nrm[r] = next();
            }
            for (auto& st : v.tex)
                st[0] = next(), st[1] = next();
            v.clr[0] = {u8(seed >> 3), u8(seed >> 11), u8(seed >> 19), u8(seed >> 5)};
            v.clr[1] = {u8(seed >> 7), u8(seed >> 13), u8(seed >> 17), u8(seed >> 23)};
        }
        const f32 atLight[3] = {1, 2, -3};
        std::copy_n(atLight, 3, eye[3].eye);  // no way to the light
        std::fill_n(eye[9].decoded.nrm, 3, 0.0f);
    }

    // Runs the widths on their own and together over the vertices; `field`
    // picks the floats to compare. False when there is no AVX2 to compare with.
    template <typename Plan, typename Field>
    bool ExpectSameBits(const Plan& plan, auto by4, auto by8, auto by16, auto together, Field field) {
        std::vector<RasterVertex> four(kVertices), mixed(kVertices);
        by4(plan, eye.data(), which.data(), kVertices, four.data());
        together(plan, eye.data(), which.data(), kVertices, mixed.data());
        std::vector<std::vector<RasterVertex>> wide;
        for (auto byWide : {by8, by16}) {
            std::vector<RasterVertex> out(kVertices);
            const u32 done = byWide(plan, eye.data(), which.data(), kVertices, out.data());
            if (done == 0)
                continue;
            EXPECT_EQ(done, 16u);
            out.resize(done);
            wide.push_back(out);
        }
        if (wide.empty())
            return false;
        std::set<float> values;  // the inputs reach the outputs
        for (u32 i = 0; i < kVertices; ++i) {
            const auto expected = field(four[i]);
            values.insert(expected.begin(), expected.end());
            for (std::size_t k = 0; k < expected.size(); ++k) {
                const u32 bits = std::bit_cast<u32>(expected[k]);
                for (const std::vector<RasterVertex>& out : wide) {
                    if (i < out.size()) {
                        EXPECT_EQ(std::bit_cast<u32>(field(out[i])[k]), bits) << i << " " << k;
                    }
                }
                EXPECT_EQ(std::bit_cast<u32>(field(mixed[i])[k]), bits) << i << " " << k;
            }
        }
        EXPECT_GT(values.size(), kVertices);
        return true;
    }

    std::vector<EyeVertex> eye;
    std::vector<u32> which;
};

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

struct LightCase {
    u8 numChans;
    GXColorSrc ambSrc, matSrc;
    GXDiffuseFn diffFn;
    GXAttnFn attnFn;
    u32 alphaLights;  // alpha 0 on its own functions when non-zero
};

constexpr LightCase kLightCases[] = {
    {1, GX_SRC_REG, GX_SRC_VTX, GX_DF_CLAMP, GX_AF_SPOT, 0},
    {1, GX_SRC_VTX, GX_SRC_REG, GX_DF_SIGN, GX_AF_SPOT, GX_LIGHT2},
    {2, GX_SRC_REG, GX_SRC_REG, GX_DF_NONE, GX_AF_SPEC, 0},
    {2, GX_SRC_VTX, GX_SRC_VTX, GX_DF_CLAMP, GX_AF_NONE, GX_LIGHT3},
};

TEST_F(GXShadeWidthTest, WideLanesLightAsFourDo) {
    LoadLights();
    const Mtx rotate = {{0.8f, 0, 0.6f, 0}, {0, 1, 0, 0}, {-0.6f, 0, 0.8f, 0}};
    GXLoadNrmMtxImm(rotate, GX_PNMTX0);
    GXSetChanAmbColor(GX_COLOR0A0, GXColor{40, 50, 60, 70});
    GXSetChanMatColor(GX_COLOR0A0, GXColor{250, 128, 3, 99});
    GXSetChanMatColor(GX_COLOR1A1, GXColor{99, 250, 128, 3});
    for (const LightCase& c : kLightCases) {
        GXSetNumChans(c.numChans);
        const u32 lights = GX_LIGHT0 | GX_LIGHT1 | GX_LIGHT3;
        GXSetChanCtrl(GX_COLOR0A0, GX_TRUE, c.ambSrc, c.matSrc, lights, c.diffFn, c.attnFn);
        GXSetChanCtrl(GX_COLOR1A1, GX_TRUE, c.matSrc, c.ambSrc, lights, c.diffFn, c.attnFn);
        if (c.alphaLights != 0)
            GXSetChanCtrl(GX_ALPHA0, GX_TRUE, c.ambSrc, c.matSrc, c.alphaLights, GX_DF_CLAMP, GX_AF_NONE);
        if (!ExpectSameBits(console::gx::PlanLights(), console::gx::LightVerticesBy4,
                            console::gx::LightVerticesBy8, console::gx::LightVerticesBy16,
                            console::gx::LightVertices,
                            [](const RasterVertex& v) { return Floats<8>(v.color); }))
            GTEST_SKIP() << "no AVX2 here";
    }
}

// Every source, both matrix sizes, normalised or not, with and without a
// post-transform matrix, in one plan: each generator runs on its own.
TEST_F(GXShadeWidthTest, WideLanesGenerateAsFourDo) {
    const Mtx scroll = {{1, 0.5f, 0, 0.25f}, {0, 1, 0, 0.5f}, {0, 0, 1, 0}};
    const Mtx project = {{0.5f, 0, 0.5f, 0}, {0, -0.5f, 0.5f, 0}, {0.1f, 0.2f, 1, 0.3f}};
    GXLoadTexMtxImm(scroll, GX_TEXMTX0, GX_MTX2x4);
    GXLoadTexMtxImm(project, GX_TEXMTX1, GX_MTX3x4);
    GXLoadTexMtxImm(project, GX_PTTEXMTX0, GX_MTX3x4);
    GXLoadTexMtxImm(scroll, GX_PTTEXMTX1, GX_MTX3x4);
    GXSetNumTexGens(4);
    GXSetTexCoordGen2(GX_TEXCOORD0, GX_TG_MTX2x4, GX_TG_TEX0, GX_TEXMTX0, GX_FALSE, GX_PTIDENTITY);
    GXSetTexCoordGen2(GX_TEXCOORD1, GX_TG_MTX3x4, GX_TG_POS, GX_TEXMTX1, GX_TRUE, GX_PTTEXMTX0);
    GXSetTexCoordGen2(GX_TEXCOORD2, GX_TG_MTX3x4, GX_TG_NRM, GX_IDENTITY, GX_TRUE, GX_PTIDENTITY);
    GXSetTexCoordGen2(GX_TEXCOORD3, GX_TG_MTX2x4, GX_TG_TEX1, GX_IDENTITY, GX_FALSE, GX_PTTEXMTX1);
    if (!ExpectSameBits(console::gx::PlanTexGens(), console::gx::TexCoordsBy4, console::gx::TexCoordsBy8,
                        console::gx::TexCoordsBy16, console::gx::GenerateTexCoords,
                        [](const RasterVertex& v) { return Floats<24>(v.tex); }))
        GTEST_SKIP() << "no AVX2 here";
}

}  // namespace
