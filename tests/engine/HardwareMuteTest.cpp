// Muting the sound channels while a disc error shows, and giving the mixes back.
#include <gtest/gtest.h>

#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/Sound.h"
#include "tests/support/EngineFixture.h"

namespace {

using HardwareMuteTest = EngineFixture;

constexpr s_VOLUME_MIX kSilence{};
constexpr s_VOLUME_MIX kMix{0.5f, 0.25f, 0.1f, 0.2f, 0.3f, 0.4f};
constexpr s_VOLUME_MIX kOther{0.9f, 0.8f, 0.0f, 0.0f, 0.0f, 0.0f};

void Use(s32 channel, const s_VOLUME_MIX& mix, s32 id = 1) {
    s_channel_status_header& header = ChannelStatus[channel].header;
    header.flags = CHANNEL_FLAG_IN_USE;
    header.id = id;
    header.volumeMix = mix;
}

::testing::AssertionResult Holds(s32 channel, const s_VOLUME_MIX& mix) {
    const s_VOLUME_MIX& got = ChannelStatus[channel].header.volumeMix;
    if (got.volL == mix.volL && got.volR == mix.volR && got.volC == mix.volC && got.volLS == mix.volLS &&
        got.volRS == mix.volRS && got.volLFE == mix.volLFE)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "channel " << channel << " holds (" << got.volL << ", " << got.volR << ", " << got.volC << ", "
           << got.volLS << ", " << got.volRS << ", " << got.volLFE << ")";
}

TEST_F(HardwareMuteTest, AMutedChannelGetsItsWholeMixBack) {
    Use(0, kMix);
    HardwareMuteAllChannels();
    EXPECT_TRUE(Holds(0, kSilence));
    HardwareMuteAllChannels();  // every frame of the error: the first mix is kept
    HardwareUnMuteAllChannels();
    EXPECT_TRUE(Holds(0, kMix));
}

// A channel silent when muted comes back silent, never with volumes saved for an
// earlier sound or an earlier error.
TEST_F(HardwareMuteTest, SilentChannelsComeBackSilent) {
    Use(1, kMix);
    HardwareMuteAllChannels();
    HardwareUnMuteAllChannels();
    SfxSetVolume(1, &kSilence);
    Use(2, kSilence);
    HardwareMuteAllChannels();
    HardwareUnMuteAllChannels();
    EXPECT_TRUE(Holds(1, kSilence));
    EXPECT_TRUE(Holds(2, kSilence));
}

TEST_F(HardwareMuteTest, OnlyTheSameSoundInAChannelInUseIsTouched) {
    ChannelStatus[3].header.volumeMix = kMix;  // not in use
    Use(4, kMix, 7);
    HardwareMuteAllChannels();
    EXPECT_TRUE(Holds(3, kMix));
    // Another sound took channel 4 while the error showed: its own mix stays.
    Use(4, kOther, 8);
    HardwareUnMuteAllChannels();
    EXPECT_TRUE(Holds(4, kOther));
}

TEST_F(HardwareMuteTest, TheLockKeepsChannelsMutedUntilItIsCleared) {
    Use(5, kMix);
    HardwareMuteAllChannels();
    HardwareSetMuteLock(1);
    HardwareUnMuteAllChannels();
    EXPECT_TRUE(Holds(5, kSilence));
    HardwareSetMuteLock(0);
    HardwareUnMuteAllChannels();
    EXPECT_TRUE(Holds(5, kMix));
}

}  // namespace
