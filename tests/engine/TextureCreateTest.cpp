// Textures made in memory: what they own and give back, the depths they refuse,
// their pools, the bias clamp, binding, and texels read on the processor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "console/gx/gx_control.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/Texture.h"
#include "tests/support/EngineFixture.h"

namespace {

class TextureCreateTest : public EngineFixture {
protected:
    struct Pools {
        u32 textures, maps, extraAvail;
        bool operator==(const Pools&) const = default;
    };
    static Pools Now() { return {TextureRecords->count, TextureMapRecords->count, ExtraHeap.avail}; }

    static s32 LogCount(const std::string& call) {
        const std::vector<std::string>& log = HostGXCallLog();
        return s32(std::count(log.begin(), log.end(), call));
    }
};

TEST_F(TextureCreateTest, CallerMemoryIsNeverFreedOnlyTheRecordsReturn) {
    std::vector<u8> texels(GXGetTexBufferSize(16, 16, GX_TF_RGBA8, GX_FALSE, 0), 0x5A);
    std::vector<u8> indices(16 * 16, 1);
    std::vector<u8> palette(TEXTURE_PALETTE_BYTES, 0x33);
    const Pools before = Now();
    s_texture* direct = TextureCreate(16, 16, 32, 0, texels.data(), nullptr);
    s_texture* indexed = TextureCreate(16, 16, 8, 0, indices.data(), palette.data());
    ASSERT_NE(direct, nullptr);
    ASSERT_NE(indexed, nullptr);
    EXPECT_EQ(ExtraHeap.avail, before.extraAvail);  // nothing allocated for them
    // Freeing host memory through the heap would be a fatal assertion.
    TextureFree(direct);
    TextureFree(indexed);
    EventWait(4);
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(texels[0], 0x5A);
    EXPECT_EQ(palette[0], 0x33);
}

TEST_F(TextureCreateTest, OwnedTexelsAreFreedTwoFramesLaterAndAnOwnedPaletteAtOnce) {
    const Pools before = Now();
    s_texture* blank = TextureAlloc(64, 64, 32);
    s_texture* indexed = TextureCreate(64, 64, 8, 0, nullptr, nullptr);
    ASSERT_NE(blank, nullptr);
    ASSERT_NE(indexed, nullptr);
    EXPECT_EQ(indexed->file.maps[0].palette[0], 0);  // owned memory starts zeroed
    const u32 held = ExtraHeap.avail;
    TextureFree(indexed);
    const u32 afterPalette = ExtraHeap.avail;
    EXPECT_GT(afterPalette, held);  // the palette went at once, the texels did not
    TextureFree(blank);
    EXPECT_EQ(ExtraHeap.avail, afterPalette);
    EventWait(1);
    EXPECT_EQ(ExtraHeap.avail, afterPalette);  // the GPU may still read them
    EventWait(2);
    EXPECT_EQ(Now(), before);
}

TEST_F(TextureCreateTest, FormatsFollowDepthAndFlagsAndOtherDepthsAreRefused) {
    struct Case {
        const char* what;
        s_texture* (*make)(u32 depth);
        u32 depth;
        const char* format;  // null: refused
    };
    const auto alloc = [](u32 depth) { return TextureAlloc(8, 8, depth); };
    const auto create = [](u32 depth) { return TextureCreate(8, 8, depth, 0, nullptr, nullptr); };
    const auto compressed = [](u32 depth) {
        return TextureCreate(8, 8, depth, TEXTURE_FILE_COMPRESSED, nullptr, nullptr);
    };
    const Case cases[] = {
        {"alloc", alloc, 32, "GX_TF_RGBA8"},   {"alloc", alloc, 8, nullptr},
        {"alloc", alloc, 4, nullptr},          {"alloc", alloc, 16, nullptr},
        {"create", create, 32, "GX_TF_RGBA8"}, {"create", compressed, 32, "GX_TF_CMPR"},
        {"create", create, 8, "GX_TF_C8"},     {"create", create, 16, nullptr},
        {"create", create, 24, nullptr},       {"create", create, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " depth " + std::to_string(c.depth));
        const Pools before = Now();
        s_texture* texture = c.make(c.depth);
        if (c.format == nullptr) {
            EXPECT_EQ(texture, nullptr);
            EXPECT_TRUE(
                report().contains("TEXTURE: Unsupported texture depth: " + std::to_string(c.depth) + "!"));
            EXPECT_EQ(Now(), before);
        } else {
            ASSERT_NE(texture, nullptr);
            EXPECT_STREQ(TextureGetFormatName(texture), c.format);
            TextureFree(texture);
        }
    }
}

TEST_F(TextureCreateTest, OutOfRecordsGivesNullAndLeavesThePoolsAsTheyWere) {
    TextureWarmReset(4, 0);
    std::vector<u8> texels(GXGetTexBufferSize(4, 4, GX_TF_RGBA8, GX_FALSE, 0));
    std::vector<s_texture*> made;
    while (s_texture* texture = TextureCreate(4, 4, 32, 0, texels.data(), nullptr))
        made.push_back(texture);
    ASSERT_FALSE(made.empty());
    const Pools full = Now();
    EXPECT_EQ(TextureAlloc(4, 4, 32), nullptr);
    EXPECT_TRUE(report().contains("TEXTURE: Out of Texture Records!"));
    EXPECT_EQ(Now(), full);
    TextureFree(made.back());
    made.back() = TextureAlloc(4, 4, 32);
    EXPECT_NE(made.back(), nullptr);
    for (s_texture* texture : made)
        TextureFree(texture);
}

TEST_F(TextureCreateTest, MipMapBiasIsClampedAndReadBack) {
    s_texture* texture = TextureAlloc(8, 8, 32);
    ASSERT_NE(texture, nullptr);
    const struct {
        f32 in, out;
    } cases[] = {{5.0f, 3.99f}, {-9.0f, -4.0f}, {1.5f, 1.5f}, {-4.0f, -4.0f}, {NAN, -4.0f}};
    for (const auto& c : cases) {
        TextureSetLODBias(texture, 0, c.in);
        f32 bias = 0.0f;
        TextureGetLODBias(texture, &bias, nullptr);
        EXPECT_EQ(bias, c.out) << c.in;
    }
    TextureFree(texture);
}

TEST_F(TextureCreateTest, APalettisedTextureBindsTwoMapsWithTheirPalettesAndAnOrdinaryOne) {
    s_texture* indexed = TextureCreate(8, 8, 8, 0, nullptr, nullptr);
    s_texture* direct = TextureAlloc(8, 8, 32);
    const char* const calls[] = {"GXLoadTexObj(0)", "GXLoadTexObj(1)", "GXLoadTlut(0)", "GXLoadTlut(1)"};
    for (const auto& [texture, count] : {std::pair{indexed, 1}, {direct, 0}}) {
        HostGXSetCallLog(true);
        DrawSetTexture(texture);
        for (const char* call : calls)
            EXPECT_EQ(LogCount(call), call == calls[0] ? 1 : count) << call;
    }
    HostGXSetCallLog(false);
    TextureFree(indexed);
    TextureFree(direct);
    EXPECT_EQ(DrawContext.texture, nullptr);  // a free unbinds
}

TEST_F(TextureCreateTest, BoundTexturesKeepTheirCacheRegionAlsoAfterTheFifoIsReplaced) {
    s_texture* direct = TextureAlloc(8, 8, 32);
    const auto region = [](const s_texture* texture) {
        return GXGetTexObjUserData(&texture->file.maps[0].textureObj[0]);
    };
    DrawSetTexture(direct);
    const void* kept = region(direct);
    ASSERT_NE(kept, nullptr);
    DrawAllocPacketBuffers(GPU_FIFO_SIZE);
    s_texture* later = TextureAlloc(8, 8, 32);
    DrawSetTexture(later);
    EXPECT_NE(region(later), nullptr);  // the engine's callback again, not the default
    DrawSetTexture(direct);
    EXPECT_EQ(region(direct), kept);
    TextureFree(direct);
    TextureFree(later);
}

TEST_F(TextureCreateTest, TexelsAreReadFromRGBA8AndOtherwiseOpaqueWhite) {
    // One 4x4 tile of RGBA8: alpha-red pairs, then green-blue pairs; texel i has
    // red i, green 16 + i, blue 32 + i, alpha 48 + i.
    std::vector<u8> tile(64);
    for (u32 i = 0; i < 16; ++i) {
        tile[2 * i] = u8(48 + i);
        tile[2 * i + 1] = u8(i);
        tile[32 + 2 * i] = u8(16 + i);
        tile[32 + 2 * i + 1] = u8(32 + i);
    }
    s_texture* texture = TextureCreate(4, 4, 32, 0, tile.data(), nullptr);
    const auto texel = [](u32 i) { return u32(i) << 24 | u32(16 + i) << 16 | u32(32 + i) << 8 | (48 + i); };
    const struct {
        f32 u, v;
        u32 index;
    } cases[] = {{0.0f, 0.0f, 0},   {0.3f, 0.0f, 1}, {0.99f, 0.6f, 11}, {1.0f, 1.0f, 15},
                 {-2.0f, 5.0f, 12}, {NAN, 0.26f, 4}, {0.5f, NAN, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(TextureGetTexel(texture, c.u, c.v), texel(c.index)) << c.u << ", " << c.v;
    TextureFree(texture);

    s_texture* indexed = TextureCreate(8, 8, 8, 0, nullptr, nullptr);
    EXPECT_EQ(TextureGetTexel(indexed, 0.5f, 0.5f), 0xFFFFFFFFu);
    EXPECT_EQ(TextureGetTexel(nullptr, 0.5f, 0.5f), 0xFFFFFFFFu);
    TextureFree(indexed);
}

}  // namespace
