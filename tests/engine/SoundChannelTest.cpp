// The sound channels: the free queue's order, stealing by priority, and the
// six-speaker mix helpers.
#include <gtest/gtest.h>

#include <array>
#include <utility>
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

TEST_F(SoundChannelTest, StealingTakesTheFirstChannelOfLowestPriorityBelowTheTopWhateverTheNewSounds) {
    const struct {
        u16 held;                                 // every channel's priority but those below
        std::vector<std::pair<s32, u16>> except;  // channel, priority
        std::vector<std::pair<u32, s32>> allocs;  // new sound's priority, channel taken
    } kCases[] = {
        {20, {{0, 5}, {1, 3}, {2, 3}, {3, 9}}, {{4, 1}, {100, 1}, {2, 1}, {0, 1}}},
        {7, {}, {{7, 0}, {0xFFFF, 0}}},
        {0xFFFF, {{31, 0xFFFE}}, {{1, 31}}},
        {0xFFFF, {}, {{0xFFFF, -1}, {0x10000, -1}, {0, -1}}},
    };
    for (const auto& c : kCases) {
        std::array<u16, AUDIO_CHANNEL_COUNT> priorities;
        priorities.fill(c.held);
        for (const auto& [channel, priority] : c.except)
            priorities[channel] = priority;
        for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel)
            ASSERT_EQ(Play(0, priorities[channel], kFull, true), channel);
        for (const auto& [priority, channel] : c.allocs)
            EXPECT_EQ(AudioAllocChannel(priority), channel) << "held " << c.held << ", new " << priority;
        SfxStopAll();
        RunAudioFrames(2);  // the sounds start, then stop
    }
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
