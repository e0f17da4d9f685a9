#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Sprite.h"
#include "tests/engine/DataFixture.h"
#include "tests/engine/WadFixture.h"
#include "tools/discbuild/SprWriter.h"
#include "tools/discbuild/TimWriter.h"

namespace {

using namespace discbuild;

std::vector<u8> Tim() {
    TimTexture texture;
    texture.image = {4, 4, std::vector<u8>(64, 0xFF)};
    return TimPayload(texture);
}

FrameSprite Square(u32 cell, f32 half, u32 colour) {
    FrameSprite sprite{cell, {}};
    const f32 xs[4] = {-half, half, half, -half}, ys[4] = {half, half, -half, -half};
    for (u32 i = 0; i < 4; ++i)
        sprite.corners[i] = {xs[i], ys[i], f32(i), colour + i};
    return sprite;
}

// Two textures (only the first loaded by the tests), three cells, and two
// animations: two frames (one sprite, then two), and one frame.
SpriteSet Sheet() {
    SpriteSet set;
    set.textures = {"SHEET_A", "SHEET_B"};
    set.cells = {{1, 0, {0, 0, 0.5f, 0, 0.5f, 0.5f, 0, 0.5f}},
                 {2, 1, {0.5f, 0, 1, 0, 1, 0.5f, 0.5f, 0.5f}},
                 {3, 0, {0, 0.5f, 1, 0.5f, 1, 1, 0, 1}}};
    set.animations = {
        {5, {{Square(2, 4.0f, 0x10203040u)}, {Square(0, 1.0f, 0xFF0000FFu), Square(1, 2.0f, 0xFFu)}}},
        {6, {{Square(1, 8.0f, 0x00FF00FFu)}}}};
    return set;
}

class SpriteTest : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        TextureWarmReset(8, 0);
        before_ = Heaps();
    }

    static s_sprite_set* Load(const char* name, const std::vector<u8>& chunk) {
        return SpriteLoad(name, Image(chunk), u32(chunk.size()));
    }
    static s32 RefCount(const char* name, const char* type) {
        s_DATA_ENTRY* entry = DataFindEntry(name, type);
        return entry ? entry->refCount : 0;
    }
    // Every index the draw routines follow lies inside its table.
    static void ExpectIndicesInRange(const s_sprite_set& set) {
        for (s32 i = 0; i < set.numSprite; ++i)
            EXPECT_LT(set.sprites[i].textureId, set.numTexture);
        for (s32 a = 0; a < set.numAnimation; ++a)
            for (u32 f = 0; f < set.animations[a].numFrame; ++f) {
                const s_sanim_frame& frame = set.animations[a].frames[f];
                for (s32 s = 0; s < frame.numSprites; ++s) {
                    EXPECT_GE(frame.sprites[s].id, 0);
                    EXPECT_LT(frame.sprites[s].id, set.numSprite);
                }
            }
    }

    HeapState before_{};
};

void ExpectAnimation(const s_sanim_data& parsed, const SpriteAnimation& source) {
    EXPECT_EQ(parsed.flags, source.flags);
    ASSERT_EQ(parsed.numFrame, source.frames.size());
    for (u32 f = 0; f < parsed.numFrame; ++f) {
        const s_sanim_frame& frame = parsed.frames[f];
        ASSERT_EQ(frame.numSprites, s32(source.frames[f].size()));
        for (s32 s = 0; s < frame.numSprites; ++s) {
            const FrameSprite& want = source.frames[f][s];
            EXPECT_EQ(frame.sprites[s].id, s32(want.cell));
            for (u32 c = 0; c < 4; ++c) {
                const s_sanim_vertex& v = frame.sprites[s].vertex[c];
                const auto& w = want.corners[c];
                EXPECT_EQ(std::tie(v.x, v.y, v.z, v.color), std::tie(w.x, w.y, w.z, w.colour));
            }
        }
    }
}

TEST_F(SpriteTest, TheSetHoldsTheChunksCellsTexturesAndAnimations) {
    s_texture* texture = TextureLoad("SHEET_A", Image(Tim()), u32(Tim().size()));
    ASSERT_NE(texture, nullptr);
    const SpriteSet source = Sheet();
    s_sprite_set* set = Load("SHEET", SprPayload(source));
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->numSprite, 3);
    for (s32 i = 0; i < 3; ++i) {
        EXPECT_EQ(set->sprites[i].textureId, source.cells[i].texture);
        for (u32 c = 0; c < 8; ++c)
            EXPECT_EQ(set->sprites[i].uv[c / 2][c % 2], source.cells[i].uv[c]);
    }
    ASSERT_EQ(set->numTexture, 2);
    EXPECT_EQ(set->textures[0].texture, texture);
    EXPECT_STREQ(set->textures[1].name, "SHEET_B");
    EXPECT_EQ(set->textures[1].texture, nullptr);  // never loaded: drawn untextured
    ASSERT_EQ(set->numAnimation, 2);
    ExpectAnimation(set->animations[0], source.animations[0]);
    ExpectAnimation(set->animations[1], source.animations[1]);
    SpriteFree(set);
    TextureFree(texture);
    EXPECT_EQ(Heaps(), before_);
}

TEST_F(SpriteTest, ASharedSetReleasesItsTexturesOnceWithTheLastReference) {
    s_texture* texture = TextureLoad("SHEET_A", Image(Tim()), u32(Tim().size()));
    const std::vector<u8> chunk = SprPayload(Sheet());
    s_sprite_set* set = Load("SHEET", chunk);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(Load("SHEET", chunk), set);  // the second chunk is dropped
    EXPECT_EQ(SpriteLoad("SHEET"), set);
    EXPECT_EQ(RefCount("SHEET", "SPR"), 3);
    EXPECT_EQ(RefCount("SHEET_A", "TIM"), 2);

    SpriteFree(set);
    SpriteFree(set);
    EXPECT_EQ(RefCount("SHEET_A", "TIM"), 2);
    SpriteFree(set);
    EXPECT_EQ(DataFindEntry("SHEET", "SPR"), nullptr);
    EXPECT_EQ(RefCount("SHEET_A", "TIM"), 1);
    SpriteFree(nullptr);
    TextureFree(texture);
    EXPECT_EQ(Heaps(), before_);
}

TEST_F(SpriteTest, AnimationEntriesSharingAnOffsetBecomeSeparateRecords) {
    const SpriteSet source = Sheet();
    std::vector<u8> chunk = SprPayload(source);
    const u32 table = LoadBE32(&chunk[12]);
    StoreBE32(&chunk[table + 4], LoadBE32(&chunk[table]));
    s_sprite_set* set = Load("SHARED", chunk);
    ASSERT_NE(set, nullptr);
    ExpectAnimation(set->animations[0], source.animations[0]);
    ExpectAnimation(set->animations[1], source.animations[0]);
    EXPECT_NE(set->animations[0].frames, set->animations[1].frames);
    EXPECT_NE(set->animations[0].frames[1].sprites, set->animations[1].frames[1].sprites);
    SpriteFree(set);
    EXPECT_EQ(Heaps(), before_);
}

TEST_F(SpriteTest, BadChunksAreRefusedWithoutALeak) {
    const std::vector<u8> good = SprPayload(Sheet());
    const u32 size = u32(good.size());
    const auto word = [&](u32 at) { return LoadBE32(&good[at]); };
    const u32 cell0 = word(kSprHeaderSize);
    const u32 animation0 = word(word(12));
    const u32 frame0 = word(animation0 + 4);
    struct Case {
        const char* what;
        u32 offset;
        u32 value;
        bool half = false;
    } cases[] = {
        {"negative cell count", 24, 0xFFFFFFFFu},
        {"cell offsets past the end", 24, size / 4},
        {"cell past the end", kSprHeaderSize, size - 8},
        {"cell names a texture past the table", cell0 + 2, 2, true},
        {"texture table past the end", 20, size - 30},
        {"negative texture count", 16, 0x80000000u},
        {"animation table past the end", 12, size - 4},
        {"animation past the end", word(12) + 4, size - 2},
        {"frame table past the end", animation0 + 2, 0xFFFF, true},
        {"frame past the end", animation0 + 4, size},
        {"frame sprites past the end", frame0, size / kSprFrameSpriteSize},
        {"negative frame sprite count", frame0, 0xFFFFFFFFu},
        {"frame sprite names a cell past the set", frame0 + 4, 3},
        {"negative frame sprite id", frame0 + 4, 0xFFFFFFFFu},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<u8> chunk = good;
        if (c.half)
            StoreBE16(&chunk[c.offset], u16(c.value));
        else
            StoreBE32(&chunk[c.offset], c.value);
        const size_t printed = report().text().size();
        EXPECT_EQ(Load("BAD", chunk), nullptr);
        EXPECT_NE(report().text().find("SPRITE: BAD: bad SPR chunk", printed), std::string::npos);
        EXPECT_EQ(SpriteLoad("BAD"), nullptr);
        EXPECT_EQ(Heaps(), before_);
    }
}

// Frames shared many times over could ask for more than any heap holds.
TEST_F(SpriteTest, SharingThatMultipliesPastTheHeapIsRefused) {
    SpriteSet source;
    source.textures = {"T"};
    source.cells = {{}};
    SpriteAnimation animation;
    animation.frames.assign(8000, {});
    animation.frames[0].assign(1000, FrameSprite{});
    source.animations = {animation};
    std::vector<u8> chunk = SprPayload(source);
    const u32 frames = LoadBE32(&chunk[LoadBE32(&chunk[12])]) + 4;
    for (u32 f = 1; f < 8000; ++f)
        StoreBE32(&chunk[frames + 4 * f], LoadBE32(&chunk[frames]));
    const size_t printed = report().text().size();
    EXPECT_EQ(Load("HUGE", chunk), nullptr);
    EXPECT_NE(report().text().find("SPRITE: HUGE: bad SPR chunk (too large)", printed), std::string::npos);
    EXPECT_EQ(Heaps(), before_);
}

TEST_F(SpriteTest, TruncatedAndMutatedChunksNeverCrashOrLeak) {
    const std::vector<u8> chunk = SprPayload(Sheet());
    for (u32 size = 0; size < chunk.size(); ++size) {
        const std::vector<u8> cut(chunk.begin(), chunk.begin() + size);
        EXPECT_EQ(Load("CUT", cut), nullptr) << size;
    }
    for (u32 at = 0; at < chunk.size(); ++at) {
        for (u8 value : {u8(0x00), u8(0x02), u8(0x7F), u8(0xFF)}) {
            std::vector<u8> mutated = chunk;
            mutated[at] = value;
            if (s_sprite_set* set = Load("MUT", mutated)) {
                ExpectIndicesInRange(*set);
                SpriteFree(set);
            }
        }
    }
    EXPECT_EQ(Heaps(), before_);
}

using SpriteWadTest = WadFixture;

TEST_F(SpriteWadTest, AnArchiveLoadsASetOverItsTexturesAndItsFreeDropsIt) {
    const Usage before = InUse();
    std::vector<u8> bad = SprPayload(Sheet());
    StoreBE32(&bad[24], 0xFFFFFFFFu);
    WadWriter wad;
    wad.Add(Chunk("SHEET_A", "TIM", Tim()));
    wad.Add(Chunk("SHEET", "SPR", SprPayload(Sheet())));
    wad.Add(Chunk("BROKEN", "SPR", bad));
    Write("HUD.WAD", wad);

    s_wad* handle = WadLoad("HUD", 0);
    ASSERT_NE(handle, nullptr);
    s_sprite_set* set = SpriteLoad("SHEET");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->textures[0].texture, DataFindEntry("SHEET_A", "TIM")->record);
    EXPECT_EQ(SpriteLoad("BROKEN"), nullptr);
    EXPECT_EQ(RefCount("SHEET", "SPR"), 2);

    WadFree(handle);
    EXPECT_EQ(RefCount("SHEET", "SPR"), 1);
    EXPECT_EQ(RefCount("SHEET_A", "TIM"), 1);  // the set's own
    SpriteFree(set);
    EXPECT_EQ(DataFindEntry("SHEET_A", "TIM"), nullptr);
    EXPECT_EQ(InUse(), before);
}

}  // namespace
