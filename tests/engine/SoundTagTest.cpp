// Starting sound tags: which sound and how, the random volume and pitch, and the
// tag's play flags on its channel.
#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/SoundTag.h"
#include "tests/engine/SymbolBankFixture.h"
#include "tools/discbuild/StgWriter.h"

namespace {

constexpr s32 kHum = s32(0x80000000u);
constexpr s32 kDrone = s32(0x80000001u);
constexpr u32 kDraws = 24;  // fewer than the channels: nothing is stolen

class SoundTagTest : public SymbolBankFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        UseBank("TAGS", {Hum(), Sound("DRONE", Sine(500.0, 32000, 3200), 32000, 0u)});
    }
    void TearDown() override {
        for (s_SOUND_TAG_DEFAULT* tag : tags_)
            SoundTagFree(tag);
        DropBank();
        SoundFixture::TearDown();
    }

    s_SOUND_TAG_DEFAULT* Tag(const discbuild::SoundTagDef& def) {
        const std::vector<u8> chunk = discbuild::StgPayload(def);
        s_SOUND_TAG_DEFAULT* tag =
            SoundTagLoad(("TAG" + std::to_string(tags_.size())).c_str(), Image(chunk), u32(chunk.size()));
        EXPECT_NE(tag, nullptr);
        tags_.push_back(tag);
        return tag;
    }
    static discbuild::SoundTagDef Plain() {
        discbuild::SoundTagDef def;
        def.type = SOUND_TAG_TYPE_SFX;
        def.id = kHum;
        def.priority = 10;
        def.volumeMix = {0.5f, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f};
        return def;
    }
    static discbuild::SoundTagDef Spatial() {
        discbuild::SoundTagDef def = Plain();
        def.type = SOUND_TAG_TYPE_SPATIAL_SFX;
        def.flags = AUDIO_PLAY_IS_LOOPED;
        def.maxAudDist = 10.0f;
        return def;
    }

    std::vector<s_SOUND_TAG_DEFAULT*> tags_;
};

TEST_F(SoundTagTest, StreamTagsAndANullTagPlayNothing) {
    for (u32 type : {SOUND_TAG_TYPE_STREAM, SOUND_TAG_TYPE_SPATIAL_STREAM}) {
        discbuild::SoundTagDef def = Plain();
        def.type = type;
        EXPECT_EQ(SoundTagStart(Tag(def), -1, nullptr), -1) << type;
    }
    EXPECT_EQ(SoundTagStart(nullptr, kHum, nullptr), -1);
    EXPECT_EQ(SoundTagIsPlaying(nullptr, 0), 0);
    EXPECT_EQ(AudioAllocChannel(1), 0);  // no channel was taken
    AudioFreeChannel(0);
}

TEST_F(SoundTagTest, APlainTagPlaysItsSoundWithItsFlags) {
    discbuild::SoundTagDef def = Plain();
    def.flags = AUDIO_PLAY_IS_LOOPED | AUDIO_PLAY_DISABLE_PITCH_OFFSET;
    def.pitch = 1.5f;  // only the centre of a variance: no variance, no change
    s_SOUND_TAG_DEFAULT* tag = Tag(def);
    const s32 channel = SoundTagStart(tag, -1, nullptr);
    ASSERT_GE(channel, 0) << report().text();
    EXPECT_TRUE(SoundTagIsPlaying(tag, channel));
    EXPECT_EQ(ChannelStatus[channel].header.playFlags, def.flags);
    EXPECT_TRUE(ChannelStatus[channel].header.flags & CHANNEL_FLAG_LOOPED);
    EXPECT_EQ(SfxGetPitch(channel), 1.0f);
    EXPECT_EQ(ChannelStatus[channel].header.volumeMix.volL, 0.5f);

    // An id given to the start plays instead of the tag's.
    const s32 other = SoundTagStart(tag, kDrone, nullptr);
    ASSERT_GE(other, 0);
    EXPECT_TRUE(SfxIsIdPlaying(kDrone, other));
    EXPECT_FALSE(SoundTagIsPlaying(tag, other));
}

// The variance moves every audible speaker by one offset; silent ones stay silent.
TEST_F(SoundTagTest, VolumeVarianceOffsetsTheAudibleSpeakers) {
    discbuild::SoundTagDef def = Plain();
    def.volumeMix = {0.5f, 0.25f, 0.0f, 0.0f, 0.0f, 0.0f};
    def.volumeVariance = 0.2f;
    s_SOUND_TAG_DEFAULT* tag = Tag(def);
    for (u32 i = 0; i < kDraws; ++i) {
        const s32 channel = SoundTagStart(tag, -1, nullptr);
        ASSERT_GE(channel, 0);
        const s_VOLUME_MIX& mix = ChannelStatus[channel].header.volumeMix;
        EXPECT_NEAR(mix.volL - mix.volR, 0.25f, 1e-5f);
        EXPECT_GE(mix.volL, 0.3f);
        EXPECT_LT(mix.volL, 0.7f);
        EXPECT_EQ(mix.volC, 0.0f);
    }
}

// A draw above 2.0 is held at 2.0 (it used to snap back to 1.0).
TEST_F(SoundTagTest, PitchDrawsStayWithinThePlayableRange) {
    discbuild::SoundTagDef def = Plain();
    def.pitch = 1.9f;
    def.pitchVariance = 0.3f;
    s_SOUND_TAG_DEFAULT* tag = Tag(def);
    u32 held = 0;
    for (u32 i = 0; i < kDraws; ++i) {
        const s32 channel = SoundTagStart(tag, -1, nullptr);
        ASSERT_GE(channel, 0);
        const f32 pitch = SfxGetPitch(channel);
        EXPECT_GE(pitch, 1.6f);
        EXPECT_LE(pitch, 2.0f);
        held += pitch == 2.0f ? 1 : 0;
    }
    EXPECT_GT(held, 0u);
}

TEST_F(SoundTagTest, ASpatialTagIsNeverLouderThanFull) {
    discbuild::SoundTagDef def = Spatial();
    def.maxVol = 0.9f;
    def.volumeVariance = 0.3f;
    s_SOUND_TAG_DEFAULT* tag = Tag(def);
    const s_Vector3 pos = {0.0f, 0.0f, -5.0f, 0.0f};
    u32 full = 0;
    for (u32 i = 0; i < kDraws; ++i) {
        const s32 channel = SoundTagStart(tag, -1, &pos);
        ASSERT_GE(channel, 0);
        const s_spatial_sfx* record = SpatialSfxGet(channel);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->maxAudDistSq, 100.0f);
        EXPECT_GE(record->maxVol, 0.6f);
        EXPECT_LE(record->maxVol, 1.0f);
        full += record->maxVol == 1.0f ? 1 : 0;
    }
    EXPECT_GT(full, 0u);
}

}  // namespace
