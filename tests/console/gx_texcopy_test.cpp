// The copy to texture: tiled RGBA8 texels of the buffer's rectangle, half size
// for a mip level, the optional clear, and the texels drawn back as a texture.
#include "console/gx/gx_texcopy.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "console/gx.h"
#include "console/gx/gx_efb.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_sampler.h"
#include "console/gx/gx_state.h"
#include "console/gx/gx_texdecode.h"
#include "gx_raster_support.h"

namespace {

using namespace console::gx;

u32 Pattern(u32 x, u32 y) {
    return 0x80000000u | (x * 7 & 0xFF) << 16 | (y * 13 & 0xFF) << 8 | ((x + y) & 0xFF);
}

class GXTexCopy : public testing::Test {
protected:
    void SetUp() override {
        GXReset();
        for (u32 y = 0; y < 64; ++y)
            for (u32 x = 0; x < 64; ++x)
                EfbGet().color[y * kEfbWidth + x] = Pattern(x, y);
    }

    // The copy's memory is the pixel threads' until a draw done.
    static std::vector<Rgba8> Decoded(const u8* texels, u32 w, u32 h) {
        GXDrawDone();
        std::vector<Rgba8> out(w * h);
        DecodeTexLevel(texels, GX_TF_RGBA8, w, h, {}, out.data());
        return out;
    }
};

// Whole groups of four texels and a row's last few, in part-filled tiles, and
// tile rows whole in a band of rows, split by a band's edge or cut short by
// the rectangle's; the texels the copy hands the texture cache read as its
// memory decoded.
TEST_F(GXTexCopy, RectangleRoundTripsThroughTiles) {
    for (const auto& [top, w, h] :
         {std::tuple<u16, u16, u16>{12, 8, 7}, {12, 11, 7}, {14, 11, 23}, {0, 16, 40}}) {
        alignas(32) std::array<u8, 16 * 40 * 4> texels{};
        GXSetTexCopySrc(4, top, w, h);
        GXSetTexCopyDst(w, h, GX_TF_RGBA8, GX_FALSE);
        GXCopyTex(texels.data(), GX_FALSE);
        const std::shared_ptr<const DecodedTexture> copied = CopiedTexture(texels.data(), w, h);
        ASSERT_NE(copied, nullptr);
        const std::vector<Rgba8> out = Decoded(texels.data(), w, h);
        for (u32 y = 0; y < h; ++y)
            for (u32 x = 0; x < w; ++x) {
                const u32 argb = Pattern(4 + x, top + y);
                const Rgba8 t = out[y * w + x];
                ASSERT_EQ(u32(t.a) << 24 | u32(t.r) << 16 | u32(t.g) << 8 | t.b, argb)
                    << top << "/" << w << ": " << x << "," << y;
                const Rgba8 c = copied->levels[0].texels[y * w + x];
                ASSERT_EQ(std::tie(c.r, c.g, c.b, c.a), std::tie(t.r, t.g, t.b, t.a))
                    << top << "/" << w << ": " << x << "," << y;
            }
        EXPECT_EQ(CopiedTexture(texels.data(), w, h + 1), nullptr) << "a texture the copy does not fill";
    }
    EXPECT_EQ(EfbGet().color[12 * kEfbWidth + 4], Pattern(4, 12)) << "no clear asked";
}

TEST_F(GXTexCopy, MipLevelAveragesTwoByTwo) {
    alignas(32) std::array<u8, 4 * 4 * 4> texels{};
    GXSetTexCopySrc(0, 0, 8, 8);
    GXSetTexCopyDst(4, 4, GX_TF_RGBA8, GX_TRUE);
    GXCopyTex(texels.data(), GX_FALSE);
    const Rgba8 t = Decoded(texels.data(), 4, 4)[1 * 4 + 2];  // source pixels 4..5 x 2..3
    EXPECT_EQ(t.r, (4 * 7 + 5 * 7 + 4 * 7 + 5 * 7 + 2) / 4);
    EXPECT_EQ(t.g, (2 * 13 + 2 * 13 + 3 * 13 + 3 * 13 + 2) / 4);
    EXPECT_EQ(t.b, (6 + 7 + 7 + 8 + 2) / 4);
}

TEST_F(GXTexCopy, ClearTouchesOnlyTheRectangle) {
    alignas(32) std::array<u8, 4 * 4 * 4> texels{};
    GXSetCopyClear({10, 20, 30, 40}, 0x123456);
    GXSetTexCopySrc(8, 8, 4, 4);
    GXSetTexCopyDst(4, 4, GX_TF_RGBA8, GX_FALSE);
    GXCopyTex(texels.data(), GX_TRUE);
    EXPECT_EQ(Decoded(texels.data(), 4, 4)[0].r, u8(Pattern(8, 8) >> 16)) << "copied before the clear";
    EXPECT_EQ(EfbGet().color[8 * kEfbWidth + 8] & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(EfbGet().depth[11 * kEfbWidth + 11], 0x123456u);
    EXPECT_EQ(EfbGet().color[12 * kEfbWidth + 8], Pattern(8, 12));
    EXPECT_EQ(EfbGet().color[8 * kEfbWidth + 12], Pattern(12, 8));
}

// A copied texture drawn back with the texture modulated by the vertex colour.
TEST_F(GXTexCopy, CopiedTexelsDrawAsATexture) {
    alignas(32) std::array<u8, 8 * 8 * 4> texels{};
    GXSetTexCopySrc(0, 0, 8, 8);
    GXSetTexCopyDst(8, 8, GX_TF_RGBA8, GX_FALSE);
    GXCopyTex(texels.data(), GX_FALSE);
    GXTexObj obj;
    GXInitTexObj(&obj, texels.data(), 8, 8, GX_TF_RGBA8, GX_CLAMP, GX_CLAMP, GX_FALSE);
    GXInitTexObjFilter(&obj, GX_NEAR, GX_NEAR);
    GXLoadTexObj(&obj, GX_TEXMAP0);

    const RasterState s = gxtest::ModulateMap0();
    // An 8x8 square at (100, 100), the texture once across it, half-bright red.
    auto at = [](float x, float y, float sc, float tc) {
        RasterVertex v = gxtest::At(100 + x, 100 + y, 0xFF8080FF);
        v.tex[0][0] = sc;
        v.tex[0][1] = tc;
        v.tex[0][2] = 1.0f;
        return v;
    };
    RasterTriangle(s, at(0, 0, 0, 0), at(8, 0, 1, 0), at(8, 8, 1, 1));
    RasterTriangle(s, at(0, 0, 0, 0), at(8, 8, 1, 1), at(0, 8, 0, 1));
    const u32 drawn = EfbGet().color[103 * kEfbWidth + 105];
    const u32 source = Pattern(5, 3);
    EXPECT_EQ(drawn >> 16 & 0xFF, source >> 16 & 0xFF);
    EXPECT_NEAR(double(drawn >> 8 & 0xFF), (source >> 8 & 0xFF) * 128 / 255.0, 1.0);
}

// A texture's first two bilinear draws read its texels, the next its
// footprints: with every wrap both give the same pixels. The texture lies
// aslant, so that a group's texels are never on one row.
TEST_F(GXTexCopy, LargeTextureDrawsTheSameBeforeAndAfterItsFootprints) {
    std::vector<u8> texels(256 * 256 * 4);
    u32 seed = 5;
    for (u8& b : texels) {
        seed = seed * 1664525u + 1013904223u;
        b = u8(seed >> 24);
    }
    auto at = [](float x, float y) {
        RasterVertex v = gxtest::At(x, y, 0xFFFFFFFF);
        v.tex[0][0] = x / 290.0f - 0.01f;
        v.tex[0][1] = y / 290.0f + x / 870.0f - 0.01f;
        v.tex[0][2] = 1.0f;
        return v;
    };
    for (const GXTexWrapMode wrap : {GX_CLAMP, GX_REPEAT, GX_MIRROR}) {
        std::vector<u32> pictures[3];
        for (std::vector<u32>& picture : pictures) {
            EfbReset();
            GXTexObj obj;
            GXInitTexObj(&obj, texels.data(), 256, 256, GX_TF_RGBA8, wrap, wrap, GX_FALSE);
            GXInitTexObjFilter(&obj, GX_LINEAR, GX_LINEAR);
            GXLoadTexObj(&obj, GX_TEXMAP0);
            // The texture from a little before its start to past its end, magnified.
            const RasterState s = gxtest::ModulateMap0();
            RasterTriangle(s, at(0, 0), at(300, 0), at(300, 300));
            for (u32 y = 0; y < 300; ++y)
                for (u32 x = y; x < 300; ++x)
                    picture.push_back(EfbGet().color[y * kEfbWidth + x]);
        }
        EXPECT_EQ(pictures[0], pictures[2]) << wrap;
    }
}

}  // namespace
