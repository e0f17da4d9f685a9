// Sound tags from "STG" chunks: the fields read, sharing by name, archives, and
// chunks refused for their size, type or values.
#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/SoundTag.h"
#include "tests/engine/DataFixture.h"
#include "tests/engine/WadFixture.h"
#include "tools/discbuild/StgWriter.h"

namespace {

using Bytes = std::vector<u8>;

discbuild::SoundTagDef PinHit() {
    discbuild::SoundTagDef def;
    def.type = SOUND_TAG_TYPE_SPATIAL_SFX;
    def.idName = "SFX_PIN_HIT";
    def.id = s32(0x80000007u);
    def.flags = AUDIO_PLAY_IS_LOOPED;
    def.priority = 300;
    def.pitch = 1.25f;
    def.pitchVariance = 0.125f;
    def.volumeVariance = 0.25f;
    def.volumeMix = {0.5f, 0.25f, 0.0f, 0.0f, 0.0f, 0.0f};
    def.maxVol = 0.875f;
    def.maxAudDist = 12.0f;
    return def;
}

class SoundTagLoadTest : public LeakCheckedFixture {
protected:
    static s_SOUND_TAG_DEFAULT* Load(const char* name, const Bytes& chunk) {
        return SoundTagLoad(name, Image(chunk), u32(chunk.size()));
    }
};

TEST_F(SoundTagLoadTest, ReadsTheChunkAndSharesItByName) {
    const Bytes chunk = discbuild::StgPayload(PinHit());
    ASSERT_EQ(chunk.size(), SOUND_TAG_CHUNK_SIZE);
    s_SOUND_TAG_DEFAULT* tag = Load("PINHIT", chunk);
    ASSERT_NE(tag, nullptr) << report().text();
    EXPECT_EQ(tag->type, SOUND_TAG_TYPE_SPATIAL_SFX);
    EXPECT_STREQ(tag->idName, "SFX_PIN_HIT");
    EXPECT_EQ(tag->id, s32(0x80000007u));
    EXPECT_EQ(tag->flags, AUDIO_PLAY_IS_LOOPED);
    EXPECT_EQ(tag->priority, 300u);
    EXPECT_EQ(tag->pitch, 1.25f);
    EXPECT_EQ(tag->pitchVariance, 0.125f);
    EXPECT_EQ(tag->volumeVariance, 0.25f);
    EXPECT_EQ(tag->volumeMix.volL, 0.5f);
    EXPECT_EQ(tag->volumeMix.volR, 0.25f);
    EXPECT_EQ(tag->maxVol, 0.875f);
    EXPECT_EQ(tag->maxAudDist, 12.0f);
    EXPECT_EQ(tag->dataEntry, DataFindEntry("PINHIT", "STG"));

    // The second buffer is freed (the fixture counts the blocks).
    EXPECT_EQ(Load("PINHIT", chunk), tag);
    SoundTagFree(tag);
    EXPECT_NE(DataFindEntry("PINHIT", "STG"), nullptr);
    SoundTagFree(tag);
    EXPECT_EQ(DataFindEntry("PINHIT", "STG"), nullptr);
    SoundTagFree(nullptr);
}

// An unterminated name is cut at its last byte rather than read past.
TEST_F(SoundTagLoadTest, KeepsAFullNameFieldTerminated) {
    Bytes chunk = discbuild::StgPayload(PinHit());
    std::fill(chunk.begin() + 8, chunk.begin() + 40, u8('N'));
    s_SOUND_TAG_DEFAULT* tag = Load("FULLNAME", chunk);
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(std::string(tag->idName), std::string(31, 'N'));
    SoundTagFree(tag);
}

TEST_F(SoundTagLoadTest, RefusesABadChunkWithOneLine) {
    const Bytes good = discbuild::StgPayload(PinHit());
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
        const char* why;
    } cases[] = {
        {"short", Bytes(good.begin(), good.end() - 1), "(short)"},
        {"type count", with(4, SOUND_TAG_TYPE_COUNT), "(type)"},
        {"type invalid", with(4, SOUND_TAG_TYPE_INVALID), "(type)"},
        {"pitch NaN", with(52, nan), "(value not finite)"},
        {"mix LFE infinite", with(84, inf), "(value not finite)"},
        {"distance infinite", with(92, inf), "(value not finite)"},
    };
    for (const auto& c : cases) {
        report_->clear();
        EXPECT_EQ(Load("BADTAG", c.chunk), nullptr) << c.what;
        EXPECT_EQ(report().text(), std::string("SoundTagLoad: BADTAG: bad STG chunk ") + c.why + "\n")
            << c.what;
        EXPECT_EQ(DataFindEntry("BADTAG", "STG"), nullptr) << c.what;
    }
}

class SoundTagArchiveTest : public WadFixture {};

TEST_F(SoundTagArchiveTest, AnArchiveLoadsAndFreesItsTags) {
    discbuild::WadWriter wad;
    wad.Add(Chunk("PINHIT", "STG", discbuild::StgPayload(PinHit())));
    wad.Add(Chunk("SHORT", "STG", Bytes(40, 0)));
    Write("TAGS.WAD", wad);
    const Usage before = InUse();

    s_wad* loaded = WadLoad("TAGS.WAD", 0);
    ASSERT_NE(loaded, nullptr) << report().text();
    const auto* tag = static_cast<const s_SOUND_TAG_DEFAULT*>(DataFind("PINHIT", "STG"));
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->maxAudDist, 12.0f);
    EXPECT_EQ(DataFind("SHORT", "STG"), nullptr);
    EXPECT_TRUE(report().contains("SoundTagLoad: SHORT: bad STG chunk (short)\n"));
    WadFree(loaded);
    EXPECT_EQ(DataFind("PINHIT", "STG"), nullptr);
    EXPECT_EQ(InUse(), before);
}

}  // namespace
