// Particle attributes from "PAT" chunks: the fields read and the values worked
// out at load, sharing by name and private copies, the sprite set they hold,
// archives, and chunks refused whole.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "orblib47/source/ChunkReader.h"
#include "tests/engine/ParticleFixture.h"
#include "tests/engine/WadFixture.h"

namespace {

using Bytes = std::vector<u8>;

class ParticleSystemAttrTest : public ParticleFixture {};

TEST_F(ParticleSystemAttrTest, ReadsTheChunkWorksOutItsTimesAndSharesItByName) {
    s_sprite_set* set = LoadSet();
    discbuild::ParticleDef def = Sparks();
    def.type = PARTSYS_TYPE_CUSTOM_4;
    def.flags = PARTSYS_USE_LOCAL_POSITION | PARTSYS_ALWAYS_ON;
    def.animCycles = 2.0f;
    def.midTime = 0.25f;
    def.colorStart = {1, 0.5f, 0, 1};
    def.colorMid = {0, 1, 0.5f, 0.5f};
    def.updateRate = TIME_20HZ;
    s_PARTSYS_ATTR* attr = LoadAttr("SPARK", def);
    ASSERT_NE(attr, nullptr) << report().text();
    const s_PARTSYS_ATTR_DEFAULT& a = Default(attr);
    EXPECT_EQ(a.type, PARTSYS_TYPE_CUSTOM_4);
    EXPECT_EQ(a.numElement, 4);
    EXPECT_EQ(a.updateRate, u32(TIME_20HZ));
    EXPECT_EQ(a.area.x, 0.5f);
    EXPECT_EQ(a.elemMaxVel.y, 4.0f);
    EXPECT_STREQ(a.spriteDef.name, kSet);
    EXPECT_EQ(a.spriteDef.spriteset, set);
    EXPECT_EQ(a.flags, PARTSYS_USE_LOCAL_POSITION | PARTSYS_ALWAYS_ON | PARTSYS_UPDATE_COLOR |
                           PARTSYS_STATIONARY | PARTSYS_UPDATE_DATA);
    EXPECT_EQ(a.elemMaxAgeRecip, 0.5f);
    EXPECT_EQ(a.midTime, 0.5f);  // seconds
    EXPECT_EQ(a.midTimeRecip, 2.0f);
    EXPECT_EQ(a.endTimeRecip, 1.0f / 1.5f);
    EXPECT_EQ(a.colorDelta.y, 0.5f);  // towards the middle colour
    EXPECT_EQ(a.dataEntry, DataFindEntry("SPARK", "PAT"));
    EXPECT_EQ(RefCount(kSet, "SPR"), 2);

    EXPECT_EQ(LoadAttr("SPARK", def), attr);  // the second image is freed
    EXPECT_EQ(ParticleSystemAttrLoad("SPARK", nullptr, 0, 0), attr);
    EXPECT_EQ(ParticleSystemAttrFind("SPARK"), attr);
    for (int i = 0; i < 3; ++i)
        ParticleSystemAttrFree(attr);
    EXPECT_EQ(ParticleSystemAttrFind("SPARK"), nullptr);
    EXPECT_EQ(RefCount(kSet, "SPR"), 1);  // the last release gave the set back
    SpriteFree(set);
    ParticleSystemAttrFree(nullptr);
}

TEST_F(ParticleSystemAttrTest, APrivateCopyNeedsRegisteredAttributesAndTakesNoReference) {
    EXPECT_EQ(ParticleSystemAttrLoad("SPARK", nullptr, 0, PARTSYS_INSTANCE_ATTR), nullptr);
    discbuild::ParticleDef def = Sparks();
    def.spriteType = SPRITE_TYPE_POINT;
    s_PARTSYS_ATTR* shared = LoadAttr("SPARK", def);
    s_PARTSYS_ATTR* copy = ParticleSystemAttrLoad("SPARK", nullptr, 0, PARTSYS_INSTANCE_ATTR);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, shared);
    EXPECT_EQ(Default(copy).elemMaxAge, 2.0f);
    EXPECT_EQ(RefCount("SPARK", "PAT"), 1);
    HeapMallocFree(copy);
    ParticleSystemAttrFree(shared);
}

// Run-time slots and values that would divide by zero never come from the file.
TEST_F(ParticleSystemAttrTest, LoadTimeValuesAreSafeWhateverTheFileHolds) {
    const struct {
        const char* what;
        u32 spriteType;
        f32 elemMaxAge, midTime;
        f32 wantRecip, wantMid;
    } cases[] = {
        {"no life", SPRITE_TYPE_LINE, 0.0f, 0.5f, 1.0f, 0.0f},
        {"middle at the end", SPRITE_TYPE_POINT, 2.0f, 1.0f, 0.5f, 1.98f},
        {"middle just before", SPRITE_TYPE_POINT, 2.0f, 0.5f, 0.5f, 1.0f},
    };
    for (const auto& c : cases) {
        discbuild::ParticleDef def = Sparks();
        def.spriteType = c.spriteType;
        def.elemMaxAge = c.elemMaxAge;
        def.midTime = c.midTime;
        Bytes chunk = discbuild::PatPayload(def);
        StoreBE32(&chunk[0], 0xDEADBEEF);   // registry entry
        StoreBE32(&chunk[68], 0xDEADBEEF);  // sprite set
        s_PARTSYS_ATTR* attr = ParticleSystemAttrLoad("SAFE", Image(chunk), u32(chunk.size()), 0);
        ASSERT_NE(attr, nullptr) << c.what;
        const s_PARTSYS_ATTR_DEFAULT& a = Default(attr);
        EXPECT_EQ(a.spriteDef.spriteset, nullptr) << c.what;
        EXPECT_EQ(a.elemMaxAgeRecip, c.wantRecip) << c.what;
        EXPECT_FLOAT_EQ(a.midTime, c.wantMid) << c.what;
        EXPECT_TRUE(std::isfinite(a.midTimeRecip) && std::isfinite(a.endTimeRecip)) << c.what;
        ParticleSystemAttrFree(attr);
    }
}

TEST_F(ParticleSystemAttrTest, RefusesABadChunkWithOneLine) {
    const Bytes good = discbuild::PatPayload(Sparks());
    const auto with = [&](u32 offset, u32 word) {
        Bytes chunk = good;
        StoreBE32(&chunk[offset], word);
        return chunk;
    };
    const u32 nan = std::bit_cast<u32>(std::numeric_limits<f32>::quiet_NaN());
    const u32 inf = std::bit_cast<u32>(std::numeric_limits<f32>::infinity());
    const struct {
        const char* what;
        Bytes chunk;
        const char* why;  // null: accepted
    } cases[] = {
        {"short", Bytes(good.begin(), good.end() - 1), "(short)"},
        {"last type", with(4, PARTSYS_TYPE_CUSTOM_4), nullptr},
        {"type past the table", with(4, PARTSYS_TYPE_COUNT), "(type)"},
        {"type far past", with(4, 0x80000000u), "(type)"},
        {"last sprite type", with(32, SPRITE_TYPE_QUAD), nullptr},
        {"sprite type", with(32, SPRITE_TYPE_COUNT), "(sprite type)"},
        {"last combine mode", with(36, DC_COMBINE_COUNT - 1), nullptr},
        {"combine mode", with(36, DC_COMBINE_COUNT), "(combine mode)"},
        {"rate 0", with(28, 0), "(update rate)"},
        {"slowest rate", with(28, TIME_6HZ), nullptr},
        {"rate 11", with(28, TIME_6HZ + 1), "(update rate)"},
        {"negative count", with(8, 0xFFFFFFFFu), "(element count)"},
        {"gravity NaN", with(260, nan), "(value not finite)"},
        {"area infinite", with(96, inf), "(value not finite)"},
    };
    for (const auto& c : cases) {
        report_->clear();
        s_PARTSYS_ATTR* attr = ParticleSystemAttrLoad("BADPAT", Image(c.chunk), u32(c.chunk.size()), 0);
        if (c.why == nullptr) {
            EXPECT_NE(attr, nullptr) << c.what;
            ParticleSystemAttrFree(attr);
            continue;
        }
        EXPECT_EQ(attr, nullptr) << c.what;
        EXPECT_EQ(report().text(),
                  std::string("ParticleSystemAttrLoad: BADPAT: bad PAT chunk ") + c.why + "\n")
            << c.what;
        EXPECT_EQ(DataFindEntry("BADPAT", "PAT"), nullptr) << c.what;
    }
}

class ParticleAttrArchiveTest : public WadFixture {};

TEST_F(ParticleAttrArchiveTest, AnArchiveLoadsAndFreesItsAttributes) {
    discbuild::ParticleDef def;
    def.spriteType = SPRITE_TYPE_POINT;
    def.elemMaxAge = 4.0f;
    discbuild::WadWriter wad;
    wad.Add(Chunk("DUST", "PAT", discbuild::PatPayload(def)));
    wad.Add(Chunk("SHORT", "PAT", Bytes(40, 0)));
    Write("FX.WAD", wad);
    const Usage before = InUse();

    s_wad* loaded = WadLoad("FX.WAD", 0);
    ASSERT_NE(loaded, nullptr) << report().text();
    const s_PARTSYS_ATTR* attr = ParticleSystemAttrFind("DUST");
    ASSERT_NE(attr, nullptr);
    EXPECT_EQ(attr->elemMaxAge, 4.0f);
    EXPECT_EQ(ParticleSystemAttrFind("SHORT"), nullptr);
    EXPECT_TRUE(report().contains("ParticleSystemAttrLoad: SHORT: bad PAT chunk (short)\n"));
    WadFree(loaded);
    EXPECT_EQ(ParticleSystemAttrFind("DUST"), nullptr);
    EXPECT_EQ(InUse(), before);
}

}  // namespace
