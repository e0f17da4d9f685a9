// Textures through the GX calls: loading into maps, wrap, filters and levels of
// detail, split palettes, and the cache and its invalidation.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "console/gx.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_state.h"
#include "console/gx/gx_texdecode.h"
#include "gx_raster_support.h"

namespace {

using console::gx::Rgba8;
using console::gx::TexCoordSample;

// Texel x of a row in an 8x4 I8 tile; the texture is 8x4 with texel x = 16 * x + 16.
struct I8Row {
    alignas(32) std::array<u8, 32> bytes{};
    I8Row() {
        for (u32 y = 0; y < 4; ++y)
            for (u32 x = 0; x < 8; ++x)
                bytes[y * 8 + x] = u8(16 * x + 16);
    }
};

// An 8x4 C8 texture of index 1 whose two palettes, the halves of one 1024-byte
// block, are loaded into maps 0 (entry 1 red) and 1 (entry 1 blue), as a
// palettised texture is bound.
struct SplitPaletteC8 {
    alignas(32) std::array<u8, 32> indices{};
    alignas(32) std::array<u8, 1024> palettes{};
    GXTlutObj tlut[2];
    GXTexObj obj[2];

    SplitPaletteC8() {
        indices.fill(1);
        palettes[2] = 0xFC;  // RGB5A3 red
        palettes[512 + 2] = 0x80;
        palettes[512 + 3] = 0x1F;  // blue
        for (u32 i = 0; i < 2; ++i) {
            GXInitTlutObj(&tlut[i], palettes.data() + 512 * i, GX_TL_RGB5A3, 256);
            GXInitTexObjCI(&obj[i], indices.data(), 8, 4, GX_TF_C8, GX_REPEAT, GX_REPEAT, GX_FALSE,
                           GX_TLUT0 + i);
            GXLoadTlut(&tlut[i], GX_TLUT0 + i);
            GXLoadTexObj(&obj[i], GXTexMapID(i));
        }
    }
};

class GXTexture : public testing::Test {
protected:
    void SetUp() override { console::gx::GXReset(); }

    // As a draw reads a map: through the maps captured when it is queued.
    static Rgba8 Sample(u32 map, float s, float t, float footprint = 0.0f) {
        const TexCoordSample c{s, t, footprint, 0, 0, footprint};
        const console::gx::RasterState& state = console::gx::RasterStateCurrent();
        const std::shared_ptr<const void> maps = state.capture(state.samplerContext, 1u << map);
        return state.sampler(const_cast<void*>(maps.get()), map, c);
    }
};

// Eight texels across, and twelve (two tiles, texel x = 16 * x + 16 too), whose
// wraps near the texture and far from it take different ways.
TEST_F(GXTexture, NearestWrapModes) {
    I8Row tex;
    alignas(32) std::array<u8, 64> wide{};
    for (u32 y = 0; y < 4; ++y)
        for (u32 x = 0; x < 12; ++x)
            wide[(x / 8) * 32 + y * 8 + x % 8] = u8(16 * x + 16);
    GXTexObj obj;
    struct Case {
        u16 width;
        GXTexWrapMode wrap;
        float s;
        u8 expect;
    };
    const Case cases[] = {
        {8, GX_CLAMP, -0.5f, 16},
        {8, GX_CLAMP, 1.5f, 128},
        {8, GX_REPEAT, 1.0f + 1.5f / 8, 32},
        {8, GX_REPEAT, -0.5f / 8, 128},
        {8, GX_MIRROR, 1.0f + 0.5f / 8, 128},
        {8, GX_MIRROR, -0.5f / 8, 16},
        {8, GX_MIRROR, 2.0f + 0.5f / 8, 16},
        {12, GX_REPEAT, 1.0f + 1.5f / 12, 32},
        {12, GX_REPEAT, -0.5f / 12, 192},
        {12, GX_REPEAT, 5.0f + 1.5f / 12, 32},
        {12, GX_REPEAT, -3.0f - 0.5f / 12, 192},
        {12, GX_MIRROR, 1.0f + 0.5f / 12, 192},
        {12, GX_MIRROR, -0.5f / 12, 16},
        {12, GX_MIRROR, 4.0f + 2.5f / 12, 48},
        {12, GX_MIRROR, -3.0f + 0.5f / 12, 192},
    };
    for (const Case& c : cases) {
        GXInitTexObj(&obj, c.width == 8 ? tex.bytes.data() : wide.data(), c.width, 4, GX_TF_I8, c.wrap,
                     c.wrap, GX_FALSE);
        GXInitTexObjFilter(&obj, GX_NEAR, GX_NEAR);
        GXLoadTexObj(&obj, GX_TEXMAP0);
        EXPECT_EQ(Sample(0, c.s, 0.5f).r, c.expect) << c.width << ", " << int(c.wrap) << " at " << c.s;
    }
}

// Textures taller than a piece of the threads' decoding, of each tile shape,
// the last piece short and, for the taller tiles, ending inside a tile: every
// texel is what one decode of the whole level gives.
TEST_F(GXTexture, TallTexturesDecodeInPiecesAsAWhole) {
    struct Case {
        GXTexFmt format;
        u16 width, height;
    };
    const Case cases[] = {{GX_TF_RGBA8, 20, 70}, {GX_TF_RGB565, 12, 33}, {GX_TF_I8, 16, 100},
                          {GX_TF_I4, 24, 69},    {GX_TF_CMPR, 16, 75},   {GX_TF_IA4, 8, 32}};
    for (const Case& c : cases) {
        std::vector<u8> bytes(console::gx::TexLevelBytes(c.format, c.width, c.height) + 32);
        u8* const image = bytes.data() + (32 - reinterpret_cast<uintptr_t>(bytes.data()) % 32) % 32;
        for (u32 i = 0; i < console::gx::TexLevelBytes(c.format, c.width, c.height); ++i)
            image[i] = u8(i * 37 + i / 251);
        std::vector<Rgba8> whole(std::size_t(c.width) * c.height);
        console::gx::DecodeTexLevel(image, c.format, c.width, c.height, {}, whole.data());
        GXTexObj obj;
        GXInitTexObj(&obj, image, c.width, c.height, c.format, GX_CLAMP, GX_CLAMP, GX_FALSE);
        GXInitTexObjFilter(&obj, GX_NEAR, GX_NEAR);
        GXLoadTexObj(&obj, GX_TEXMAP0);
        u32 wrong = 0;
        for (u32 y = 0; y < c.height; ++y)
            for (u32 x = 0; x < c.width; ++x) {
                const Rgba8 texel = Sample(0, (x + 0.5f) / c.width, (y + 0.5f) / c.height);
                const Rgba8& expect = whole[std::size_t(y) * c.width + x];
                wrong +=
                    texel.r != expect.r || texel.g != expect.g || texel.b != expect.b || texel.a != expect.a;
            }
        EXPECT_EQ(wrong, 0u) << "format " << int(c.format) << ", " << c.width << "x" << c.height;
    }
}

TEST_F(GXTexture, BilinearBlendsNeighbours) {
    I8Row tex;
    GXTexObj obj;
    GXInitTexObj(&obj, tex.bytes.data(), 8, 4, GX_TF_I8, GX_CLAMP, GX_CLAMP, GX_FALSE);
    GXLoadTexObj(&obj, GX_TEXMAP0);
    EXPECT_EQ(Sample(0, 1.0f / 8, 0.5f).r, 24);  // half way between texels 0 and 1
    EXPECT_EQ(Sample(0, 0.5f / 8, 0.5f).r, 16);  // a texel centre
    EXPECT_EQ(Sample(0, 0.0f, 0.5f).r, 16);      // clamped at the edge
    GXInitTexObjWrapMode(&obj, GX_REPEAT, GX_REPEAT);
    GXLoadTexObj(&obj, GX_TEXMAP0);
    EXPECT_EQ(Sample(0, 0.0f, 0.5f).r, 72);  // the last and the first texels
}

TEST_F(GXTexture, LevelOfDetailPicksMipLevels) {
    // 8x4 I8 levels: 8x4 (16), 4x2 (100), 2x1 (200), 1x1 (250), one tile each.
    alignas(32) std::array<u8, 128> levels{};
    levels.fill(16);
    std::fill(levels.begin() + 32, levels.begin() + 64, 100);
    std::fill(levels.begin() + 64, levels.begin() + 96, 200);
    std::fill(levels.begin() + 96, levels.end(), 250);
    GXTexObj obj;
    GXInitTexObj(&obj, levels.data(), 8, 4, GX_TF_I8, GX_REPEAT, GX_REPEAT, GX_TRUE);
    struct Case {
        GXTexFilter min;
        float footprint, bias;
        u8 expect;
    };
    // A nearest-level filter rounds the level of detail, half way up.
    const Case cases[] = {
        {GX_LIN_MIP_NEAR, 1.0f / 8, 0, 16},       {GX_LIN_MIP_NEAR, 2.0f / 8, 0, 100},
        {GX_NEAR_MIP_NEAR, 4.0f / 8, 0, 200},     {GX_NEAR_MIP_NEAR, 64.0f / 8, 0, 250},
        {GX_NEAR_MIP_NEAR, 1.0f / 8, 1.0f, 100},  {GX_LIN_MIP_LIN, 1.5f / 8, 0, 65},
        {GX_NEAR_MIP_NEAR, 1.0f / 8, 0.49f, 16},  {GX_NEAR_MIP_NEAR, 1.0f / 8, 0.5f, 100},
        {GX_NEAR_MIP_NEAR, 1.0f / 8, 0.51f, 100},
    };
    for (const Case& c : cases) {
        GXInitTexObjLOD(&obj, c.min, GX_NEAR, 0.0f, 3.0f, c.bias, GX_FALSE, GX_FALSE, GX_ANISO_1);
        GXLoadTexObj(&obj, GX_TEXMAP0);
        EXPECT_NEAR(Sample(0, 0.3f, 0.3f, c.footprint).r, c.expect, 1) << int(c.min) << " " << c.footprint;
    }
}

// One index image, two palettes: the halves of a 1024-byte block, as a
// palettised texture is bound to two maps.
TEST_F(GXTexture, C8WithSplitPalette) {
    const SplitPaletteC8 texture;
    EXPECT_EQ(GXGetTexObjFmt(&texture.obj[0]), GXTexFmt(GX_TF_C8));
    const Rgba8 a = Sample(0, 0.5f, 0.5f), b = Sample(1, 0.5f, 0.5f);
    EXPECT_EQ(a.r, 255);
    EXPECT_EQ(a.b, 0);
    EXPECT_EQ(b.r, 0);
    EXPECT_EQ(b.b, 255);
}

// The two halves drawn in two stages, each modulated by a flat colour that is
// not white: a swapped channel or a wrong input shows in the sum.
TEST_F(GXTexture, SplitPaletteThroughTwoStages) {
    const SplitPaletteC8 texture;
    console::gx::RasterState s;
    s.cull = console::gx::Cull::None;
    s.sampler = console::gx::RasterStateCurrent().sampler;
    s.capture = console::gx::RasterStateCurrent().capture;
    s.samplerContext = console::gx::RasterStateCurrent().samplerContext;
    s.numTexGens = 1;
    s.numTevStages = 2;
    using console::gx::TevAlphaArg;
    using console::gx::TevColorArg;
    for (u8 i = 0; i < 2; ++i) {
        console::gx::TevStage& t = s.tevStages[i];
        t.texCoord = 0;
        t.texMap = i;
        t.color.in[1] = u8(TevColorArg::TexC);
        t.color.in[2] = u8(TevColorArg::RasC);
        t.color.in[3] = u8(i == 0 ? TevColorArg::Zero : TevColorArg::CPrev);
        t.alpha.in[3] = u8(TevAlphaArg::RasA);
    }
    auto at = [](float x, float y) { return gxtest::At(x, y, 0x80FF40FF); };
    console::gx::RasterTriangle(s, at(10, 10), at(20, 10), at(20, 20));
    u32 argb = 0;
    GXPeekARGB(18, 12, &argb);
    EXPECT_EQ(argb & 0xFFFFFF, 0x800040u);
}

TEST_F(GXTexture, CacheKeepsTexelsUntilInvalidated) {
    I8Row tex;
    GXTexObj obj;
    GXInitTexObj(&obj, tex.bytes.data(), 8, 4, GX_TF_I8, GX_CLAMP, GX_CLAMP, GX_FALSE);
    GXInitTexObjFilter(&obj, GX_NEAR, GX_NEAR);
    GXLoadTexObj(&obj, GX_TEXMAP0);
    GXLoadTexObj(&obj, GX_TEXMAP1);
    tex.bytes[0] = 0xEE;
    GXLoadTexObj(&obj, GX_TEXMAP0);
    EXPECT_EQ(Sample(0, 0.0f, 0.0f).r, 16) << "reloading reads the cache";

    // Map 1 was loaded through its own region: dropping map 0's leaves it.
    GXTexRegion region0;
    GXInitTexCacheRegion(&region0, GX_FALSE, 0, GX_TEXCACHE_32K, 0x80000, GX_TEXCACHE_32K);
    GXInvalidateTexRegion(&region0);
    EXPECT_EQ(Sample(0, 0.0f, 0.0f).r, 0xEE) << "a loaded map reads memory again";
    tex.bytes[0] = 0x55;
    EXPECT_EQ(Sample(1, 0.0f, 0.0f).r, 16) << "map 1 keeps what its region holds";
    GXInvalidateTexAll();
    EXPECT_EQ(Sample(1, 0.0f, 0.0f).r, 0x55);
}

// The cache holds 64 MB of decoded texels: 16 textures of 1024x1024, here at 32-byte
// steps through one image, so texture k's first texel is the byte at 32 k.
TEST_F(GXTexture, CacheStartsAgainPastItsSizeAndCountsFromThere) {
    struct alignas(32) Tile {
        std::array<u8, 32> bytes;
    };
    std::vector<Tile> image(1024 * 1024 / 32 + 24);
    auto load = [&](u32 k) {
        GXTexObj obj;
        GXInitTexObj(&obj, &image[k], 1024, 1024, GX_TF_I8, GX_CLAMP, GX_CLAMP, GX_FALSE);
        GXInitTexObjFilter(&obj, GX_NEAR, GX_NEAR);
        GXLoadTexObj(&obj, GX_TEXMAP0);
    };
    auto cached = [&](u32 k) {
        image[k].bytes[0] = 0xEE;
        load(k);
        return Sample(0, 0.0f, 0.0f).r != 0xEE;
    };
    for (u32 k = 20; k < 24; ++k)
        load(k);
    GXInvalidateTexAll();  // what is dropped is no longer counted
    for (u32 k = 0; k < 16; ++k)
        load(k);
    EXPECT_TRUE(cached(0)) << "16 fit";
    load(16);
    EXPECT_FALSE(cached(0)) << "the 17th starts the cache again";
    for (u32 k = 1; k < 15; ++k)
        load(k);
    EXPECT_TRUE(cached(16)) << "and 16 fit again";
}

GXTexRegion s_region;
const GXTexObj* s_regionObj = nullptr;

GXTexRegion* CountingRegion(const GXTexObj* obj, GXTexMapID) {
    s_regionObj = obj;
    return &s_region;
}

TEST_F(GXTexture, RegionCallbackAndUserData) {
    I8Row tex;
    GXTexObj obj;
    GXInitTexObj(&obj, tex.bytes.data(), 8, 4, GX_TF_I8, GX_CLAMP, GX_CLAMP, GX_FALSE);
    GXInitTexObjUserData(&obj, &s_region);
    EXPECT_EQ(GXGetTexObjUserData(&obj), &s_region);
    GXInitTexCacheRegion(&s_region, GX_TRUE, 0x40000, GX_TEXCACHE_32K, 0x48000, GX_TEXCACHE_32K);
    const GXTexRegionCallback old = GXSetTexRegionCallback(CountingRegion);
    EXPECT_NE(old, nullptr);
    GXLoadTexObj(&obj, GX_TEXMAP3);
    EXPECT_EQ(s_regionObj, &obj);
    tex.bytes[0] = 1;
    GXInvalidateTexRegion(&s_region);
    EXPECT_EQ(Sample(3, 0.0f, 0.0f).r, 1);
    EXPECT_EQ(GXSetTexRegionCallback(nullptr), CountingRegion);
}

// A modulated draw reads a map a group of pixels at a time when it can; the
// picture is the one the sampler gives pixel by pixel, in every wrap (the same or not in s and t), filter
// and size, in perspective and where q crosses zero.
TEST_F(GXTexture, GroupsOfPixelsReadAsOneByOne) {
    struct Case {
        u16 width, height;
        GXTexWrapMode wrapS, wrapT;
        GXTexFilter filter;
        float q0;  // q at the first corner, 1 at the others
        u8 texGens;
    };
    const Case cases[] = {
        {8, 8, GX_REPEAT, GX_REPEAT, GX_LINEAR, 1.0f, 1}, {8, 4, GX_MIRROR, GX_MIRROR, GX_LINEAR, 0.4f, 1},
        {8, 8, GX_CLAMP, GX_CLAMP, GX_LINEAR, 1.0f, 1},   {12, 4, GX_REPEAT, GX_REPEAT, GX_LINEAR, 0.6f, 1},
        {12, 8, GX_MIRROR, GX_MIRROR, GX_NEAR, 1.0f, 1},  {16, 4, GX_CLAMP, GX_CLAMP, GX_NEAR, 2.5f, 1},
        {8, 4, GX_REPEAT, GX_REPEAT, GX_NEAR, -0.5f, 1},  {12, 4, GX_MIRROR, GX_MIRROR, GX_LINEAR, -0.5f, 1},
        {8, 8, GX_REPEAT, GX_REPEAT, GX_LINEAR, 1.0f, 0}, {12, 8, GX_CLAMP, GX_MIRROR, GX_LINEAR, 0.6f, 1},
        {8, 4, GX_MIRROR, GX_REPEAT, GX_LINEAR, 1.0f, 1}, {12, 4, GX_REPEAT, GX_CLAMP, GX_LINEAR, -0.5f, 1},
    };
    alignas(32) std::array<u8, 12 * 8 * 4> texels;
    u32 seed = 99;
    for (u8& b : texels) {
        seed = seed * 1664525u + 1013904223u;
        b = u8(seed >> 24);
    }
    auto corner = [](float x, float y, float w, float s, float t, float q) {
        console::gx::RasterVertex v = gxtest::At(x, y, 0xC080FFE0);
        for (float& p : v.pos)
            p *= w;
        v.tex[0][0] = s;
        v.tex[0][1] = t;
        v.tex[0][2] = q;
        return v;
    };
    for (const Case& c : cases) {
        GXTexObj obj;
        GXInitTexObj(&obj, texels.data(), c.width, c.height, GX_TF_RGBA8, c.wrapS, c.wrapT, GX_FALSE);
        GXInitTexObjFilter(&obj, c.filter, c.filter);
        GXLoadTexObj(&obj, GX_TEXMAP0);
        console::gx::RasterState s = gxtest::ModulateMap0();
        console::gx::TexLevelView view;
        ASSERT_TRUE(s.viewer != nullptr && s.viewer(s.samplerContext, 0, &view));
        s.numTexGens = c.texGens;
        std::vector<u32> pictures[2];
        for (std::vector<u32>& picture : pictures) {
            console::gx::EfbReset();
            const float q = c.q0;
            console::gx::RasterTriangle(s, corner(3, 5, 1.0f, -1.3f * q, -0.7f * q, q),
                                        corner(75, 9, 1.7f, 2.2f, -0.4f, 1.0f),
                                        corner(11, 70, 1.2f, 0.3f, 2.6f, 1.0f));
            for (u32 y = 0; y < 72; ++y)
                for (u32 x = 0; x < 80; ++x)
                    picture.push_back(HostEFBColor(x, y));
            s.viewer = nullptr;
        }
        EXPECT_EQ(pictures[0], pictures[1]) << c.width << "x" << c.height << " wrap " << int(c.wrapS) << ","
                                            << int(c.wrapT) << " filter " << int(c.filter) << " q " << c.q0;
    }
}

// A textured stage and then a second texture, through a swap table, times
// what it gave (the engine's stencil stage): drawn a group of pixels at a time,
// read from views or through the sampler, they must be what the stages give one
// pixel at a time, here made to run so by a third stage that passes the colour.
TEST_F(GXTexture, TwoTexturedStagesDrawAsOneByOne) {
    struct Case {
        GXTexFilter filter0, filter1;
        float q0, q1;  // q at the first corner of each coordinate, 1 at the others
        u8 texGens;    // 1: the second stage reads its map at the origin
        bool viewer;
    };
    const Case cases[] = {
        {GX_LINEAR, GX_NEAR, 1.0f, 0.6f, 2, true},    {GX_NEAR, GX_LINEAR, 0.4f, 1.0f, 2, true},
        {GX_LINEAR, GX_LINEAR, -0.5f, 2.5f, 2, true}, {GX_LINEAR, GX_NEAR, 0.7f, 0.6f, 2, false},
        {GX_NEAR, GX_NEAR, 1.0f, 1.0f, 1, true},
    };
    alignas(32) std::array<u8, 12 * 8 * 4> texels;
    u32 seed = 7;
    for (u8& b : texels) {
        seed = seed * 1664525u + 1013904223u;
        b = u8(seed >> 24);
    }
    auto corner = [](float x, float y, u32 rgba, float w, float s, float t, float q0, float q1) {
        console::gx::RasterVertex v = gxtest::At(x, y, rgba);
        for (float& p : v.pos)
            p *= w;
        const float coords[2][3] = {{s * q0, t * q0, q0}, {t * q1, 1.0f - s * q1, q1}};
        std::memcpy(v.tex, coords, sizeof coords);
        return v;
    };
    using console::gx::TevAlphaArg;
    using console::gx::TevColorArg;
    for (const Case& c : cases) {
        GXTexObj obj[2];
        GXInitTexObj(&obj[0], texels.data(), 12, 8, GX_TF_RGBA8, GX_REPEAT, GX_MIRROR, GX_FALSE);
        GXInitTexObj(&obj[1], texels.data() + 64, 8, 4, GX_TF_RGBA8, GX_CLAMP, GX_CLAMP, GX_FALSE);
        GXInitTexObjFilter(&obj[0], c.filter0, c.filter0);
        GXInitTexObjFilter(&obj[1], c.filter1, c.filter1);
        GXLoadTexObj(&obj[0], GX_TEXMAP0);
        GXLoadTexObj(&obj[1], GX_TEXMAP7);
        console::gx::RasterState s;
        s.cull = console::gx::Cull::None;
        const console::gx::RasterState& current = console::gx::RasterStateCurrent();
        s.sampler = current.sampler;
        s.viewer = c.viewer ? current.viewer : nullptr;
        s.capture = current.capture;
        s.samplerContext = current.samplerContext;
        s.numTexGens = c.texGens;
        s.blendType = console::gx::BlendType::Blend;  // alpha counts too
        s.swapTables[3] = {3, 3, 1, 0};
        const u8 maps[2] = {0, 7};
        for (u8 i = 0; i < 3; ++i) {
            console::gx::TevStage& stage = s.tevStages[i];
            const bool textured = i < 2;
            stage.texCoord = textured ? i : console::gx::kTevNull;
            stage.texMap = textured ? maps[i] : console::gx::kTevNull;
            stage.texSwap = stage.rasSwap = i == 1 ? 3 : 0;
            const u8 colorIn = u8(i == 0 ? TevColorArg::RasC : TevColorArg::CPrev);
            const u8 alphaIn = u8(i == 0 ? TevAlphaArg::RasA : TevAlphaArg::APrev);
            if (textured) {
                stage.color = {
                    {u8(TevColorArg::Zero), u8(TevColorArg::TexC), colorIn, u8(TevColorArg::Zero)}};
                stage.alpha = {
                    {u8(TevAlphaArg::Zero), u8(TevAlphaArg::TexA), alphaIn, u8(TevAlphaArg::Zero)}};
            } else {
                stage.color = {
                    {u8(TevColorArg::Zero), u8(TevColorArg::Zero), u8(TevColorArg::Zero), colorIn}};
                stage.alpha = {
                    {u8(TevAlphaArg::Zero), u8(TevAlphaArg::Zero), u8(TevAlphaArg::Zero), alphaIn}};
            }
        }
        std::vector<u32> pictures[2];
        for (u8 stages : {2, 3}) {
            s.numTevStages = stages;
            console::gx::EfbReset();
            console::gx::RasterTriangle(s, corner(3, 5, 0xC080FFE0, 1.0f, -1.3f, -0.7f, c.q0, c.q1),
                                        corner(75, 9, 0x20F0409F, 1.7f, 2.2f, -0.4f, 1.0f, 1.0f),
                                        corner(11, 70, 0xFF10C0FF, 1.2f, 0.3f, 2.6f, 1.0f, 1.0f));
            for (u32 y = 0; y < 72; ++y)
                for (u32 x = 0; x < 80; ++x)
                    pictures[stages - 2].push_back(HostEFBColor(x, y));
        }
        EXPECT_EQ(pictures[0], pictures[1])
            << "filters " << int(c.filter0) << "," << int(c.filter1) << " q " << c.q0 << "," << c.q1
            << " texgens " << int(c.texGens) << " viewer " << c.viewer;
    }
}

// Upright rectangles, as a picture's copy is drawn back: texel for pixel,
// magnified, minified (past a group's window and across a few), mirrored,
// across the wraps and edges, in white and in a colour. Drawn a group of pixels at a time they must be what
// the sampler gives pixel by pixel.
TEST_F(GXTexture, UprightRectanglesReadAsOneByOne) {
    struct Case {
        float width;   // of the rectangle, in pixels; 16 rows
        float s0, s1;  // across it
        float t0, t1;  // down it
        GXTexWrapMode wrap;
        GXTexFilter filter;
        u32 rgba;
        u16 texWidth = 16;  // 8 rows
    };
    const Case cases[] = {
        {16, 0, 1, 0, 2, GX_CLAMP, GX_LINEAR, 0xFFFFFFFF},
        {64, 0, 4, 0, 2, GX_REPEAT, GX_LINEAR, 0xFFFFFFFF},
        {64, 0, 4, 0, 2, GX_MIRROR, GX_NEAR, 0xFFFFFFFF},
        {40, 0, 1, 0, 0.8f, GX_CLAMP, GX_LINEAR, 0xFFFFFFFF},
        {40, -0.3f, 1.2f, -0.2f, 1.1f, GX_CLAMP, GX_LINEAR, 0xC080FFE0},
        {40, -0.3f, 1.2f, -0.2f, 1.1f, GX_MIRROR, GX_LINEAR, 0xFFFFFFFF},
        {40, 1.2f, -0.3f, 0, 1, GX_REPEAT, GX_LINEAR, 0xFFFFFFFF},
        {6, 0, 1, 0, 1, GX_CLAMP, GX_LINEAR, 0xFFFFFFFF},
        {40, -0.3f, 1.2f, -0.2f, 1.1f, GX_CLAMP, GX_NEAR, 0xFFFFFFFF},
        {16, 0, 1, 0, 2, GX_REPEAT, GX_NEAR, 0x80FF40C0},
        {14, 0, 1, 0, 1, GX_CLAMP, GX_LINEAR, 0xFFFFFFFF},
        {14, 0, 1, 0, 1, GX_CLAMP, GX_NEAR, 0xFFFFFFFF},
        {24, 0, 1, 0, 1, GX_CLAMP, GX_LINEAR, 0xFFFFFFFF, 64},
        {20, -0.1f, 1.1f, 0, 1, GX_REPEAT, GX_LINEAR, 0xC080FFE0, 64},
        {8, 0, 1, 0, 1, GX_MIRROR, GX_LINEAR, 0xFFFFFFFF, 64},
    };
    alignas(32) std::array<u8, 64 * 8 * 4> texels;
    u32 seed = 5;
    for (u8& b : texels) {
        seed = seed * 1664525u + 1013904223u;
        b = u8(seed >> 24);
    }
    for (const Case& c : cases) {
        GXTexObj obj;
        GXInitTexObj(&obj, texels.data(), c.texWidth, 8, GX_TF_RGBA8, c.wrap, c.wrap, GX_FALSE);
        GXInitTexObjFilter(&obj, c.filter, c.filter);
        GXLoadTexObj(&obj, GX_TEXMAP0);
        console::gx::RasterState s = gxtest::ModulateMap0();
        auto corner = [&](float x, float y, float u, float v) {
            console::gx::RasterVertex vertex = gxtest::At(x, y, c.rgba);
            vertex.tex[0][0] = u;
            vertex.tex[0][1] = v;
            vertex.tex[0][2] = 1.0f;
            return vertex;
        };
        const float x0 = 3, y0 = 2, x1 = x0 + c.width, y1 = y0 + 16;
        std::vector<u32> pictures[2];
        for (std::vector<u32>& picture : pictures) {
            console::gx::EfbReset();
            console::gx::RasterTriangle(s, corner(x0, y0, c.s0, c.t0), corner(x1, y0, c.s1, c.t0),
                                        corner(x1, y1, c.s1, c.t1));
            console::gx::RasterTriangle(s, corner(x0, y0, c.s0, c.t0), corner(x1, y1, c.s1, c.t1),
                                        corner(x0, y1, c.s0, c.t1));
            for (u32 y = 0; y < 20; ++y)
                for (u32 x = 0; x < 72; ++x)
                    picture.push_back(HostEFBColor(x, y));
            s.viewer = nullptr;
        }
        EXPECT_EQ(pictures[0], pictures[1])
            << c.width << " px, s " << c.s0 << ".." << c.s1 << ", t " << c.t0 << ".." << c.t1 << ", wrap "
            << int(c.wrap) << ", filter " << int(c.filter) << ", colour " << std::hex << c.rgba << std::dec
            << ", " << c.texWidth << " texels across";
    }
}

TEST_F(GXTexture, UnloadedMapsAndBadObjectsReadWhite) {
    I8Row tex;
    GXTexObj obj;
    GXInitTexObj(&obj, tex.bytes.data(), 8, 4, GX_TF_I8, GX_CLAMP, GX_CLAMP, GX_FALSE);
    GXLoadTexObj(&obj, GX_TEXMAP0);
    EXPECT_EQ(Sample(5, 0.5f, 0.5f).g, 255);
    GXInitTexObj(&obj, tex.bytes.data(), 2048, 4, GX_TF_I8, GX_CLAMP, GX_CLAMP, GX_FALSE);
    GXLoadTexObj(&obj, GX_TEXMAP0);
    EXPECT_EQ(Sample(0, 0.5f, 0.5f).g, 255);
    GXInitTexObj(&obj, tex.bytes.data(), 8, 4, GXTexFmt(7), GX_CLAMP, GX_CLAMP, GX_FALSE);
    GXLoadTexObj(&obj, GX_TEXMAP0);
    EXPECT_EQ(Sample(0, 0.5f, 0.5f).g, 255);
}

}  // namespace
