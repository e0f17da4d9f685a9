// The sound channels: the free queue's order, stealing by priority, and the
// six-speaker mix helpers.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "tests/engine/SoundFixture.h"

namespace {

class SoundChannelTest : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        bank_ = Load("CHANNELS", {Hum()});
        SfxSetDefaultBank(bank_);
    }
    void TearDown() override {
        SfxFree(bank_);
        SoundFixture::TearDown();
    }

    // All 32 channels playing the hum at the given priorities.
    static void FillChannels(const std::array<u16, AUDIO_CHANNEL_COUNT>& priorities) {
        for (u16 priority : priorities)
            ASSERT_GE(Play(0, priority, kFull, true), 0);
    }

    s_sfx_bank* bank_ = nullptr;
};

TEST_F(SoundChannelTest, TheQueueHandsOutChannelsInOrderAndReusesThemFirstInFirstOut) {
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel)
        EXPECT_EQ(AudioAllocChannel(1), channel);
    EXPECT_EQ(AudioAllocChannel(1), -1);  // none free, none playing
    AudioFreeChannel(7);
    AudioFreeChannel(2);
    EXPECT_EQ(AudioAllocChannel(1), 7);
    EXPECT_EQ(AudioAllocChannel(1), 2);
}

TEST_F(SoundChannelTest, FreeingAFreeChannelWarnsAndLeavesTheQueue) {
    AudioFreeChannel(5);
    EXPECT_TRUE(report().contains("AudioFreeChannel: Channel 5 already exists on the queue.\n"));
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel)
        EXPECT_EQ(AudioAllocChannel(1), channel);
}

TEST_F(SoundChannelTest, StealingTakesTheFirstChannelOfLowestPriorityOnlyForAMoreImportantSound) {
    std::array<u16, AUDIO_CHANNEL_COUNT> priorities;
    priorities.fill(20);
    priorities[0] = 5, priorities[1] = 3, priorities[2] = 3, priorities[3] = 9;
    FillChannels(priorities);
    const struct {
        u32 priority;
        s32 channel;
    } kCases[] = {{4, 1}, {100, 1}, {3, -1}, {2, -1}, {0, -1}};
    for (const auto& c : kCases)
        EXPECT_EQ(AudioAllocChannel(c.priority), c.channel) << "priority " << c.priority;
}

TEST_F(SoundChannelTest, SoundsOfTheHighestPriorityAreNeverStolen) {
    std::array<u16, AUDIO_CHANNEL_COUNT> priorities;
    priorities.fill(0xFFFF);
    FillChannels(priorities);
    EXPECT_EQ(AudioAllocChannel(0xFFFF), -1);
    EXPECT_EQ(AudioAllocChannel(0x10000), -1);
}

using Mix = std::array<f32, 6>;

s_VOLUME_MIX ToMix(const Mix& m) {
    return {m[0], m[1], m[2], m[3], m[4], m[5]};
}
Mix FromMix(const s_VOLUME_MIX& m) {
    return {m.volL, m.volR, m.volC, m.volLS, m.volRS, m.volLFE};
}

TEST(SoundMixTest, ValidValuesLieInTheClosedRangeFromOneTenThousandthToOne) {
    s_VOLUME_MIX mix = ToMix({1.5f, 0.5f, 0.00005f, -1.0f, 1.0f, 0.0001f});
    AudioSetValidVolumeMix(&mix);
    EXPECT_EQ(FromMix(mix), (Mix{0.0f, 0.5f, 0.0f, 0.0f, 1.0f, 0.0001f}));
    mix = ToMix({NAN, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f});
    AudioSetValidVolumeMix(&mix);
    EXPECT_EQ(mix.volL, 0.0f);

    const struct {
        Mix mix;
        int audible;
    } kChecks[] = {{{0, 0, 0, 0, 0, 0}, 0}, {{0, 0, 0, 0, 0, 0.0001f}, 1}, {{2, -1, NAN, 0, 0, 0}, 0}};
    for (const auto& c : kChecks) {
        const s_VOLUME_MIX m = ToMix(c.mix);
        EXPECT_EQ(AudioCheckVolumeMix(&m), c.audible);
    }
}

TEST(SoundMixTest, OffsetsMoveOnlyValidValuesAndScalesOutsideZeroToOneDoNothing) {
    s_VOLUME_MIX mix = ToMix({0.5f, 0.0f, 1.0f, 0.2f, 0.0f, 0.0f});
    AudioSetVolumeMixOffset(&mix, 0.25f);
    EXPECT_EQ(FromMix(mix), (Mix{0.75f, 0.0f, 1.25f, 0.45f, 0.0f, 0.0f}));

    const struct {
        f32 scale;
        Mix expected;
    } kScales[] = {{1.5f, {0.5f, 0.25f, 1, 0, 0, 0}},
                   {-0.5f, {0.5f, 0.25f, 1, 0, 0, 0}},
                   {0.5f, {0.25f, 0.125f, 0.5f, 0, 0, 0}},
                   {0.0f, {0, 0, 0, 0, 0, 0}}};
    for (const auto& c : kScales) {
        mix = ToMix({0.5f, 0.25f, 1.0f, 0.0f, 0.0f, 0.0f});
        AudioSetVolumeMixScale(&mix, c.scale);
        EXPECT_EQ(FromMix(mix), c.expected) << "scale " << c.scale;
    }
}

}  // namespace
