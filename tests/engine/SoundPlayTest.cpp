// The sound-effect interface and the audio frame callback: playing by symbol id,
// the channel's life (start, stop, pause, resume, a lost or missing voice) and the
// sound-effect volume.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "console/ax.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/SymbolTrans.h"
#include "tests/engine/SoundFixture.h"
#include "tools/discbuild/SymTableWriter.h"

namespace {

constexpr s32 kHum = s32(0x80000000u);
constexpr s32 kDrone = s32(0x80000001u);
constexpr s32 kNoSound = s32(0x80000002u);
constexpr s32 kOtherHum = s32(0x80000003u);
constexpr s32 kBadIndex = s32(0x80000004u);

class SoundPlayTest : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        const std::vector<u8> table =
            discbuild::SymTableImage({0x00070000, 0x00070001, 0xFFFFFFFFu, 0x00080000, 0x00070009});
        ASSERT_EQ(SymbolTransLoadImage(table.data(), u32(table.size())), RET_NO_ERROR);
        before_ = Heaps();  // the table lives for the test
        bank_ = Load("PLAY", {Hum(), Sound("DRONE", Sine(1000.0, 32000, 32000), 32000, 0u)});
        other_ = Load("OTHER", {Hum()});
        DataRegister("PLAY", "SFX", 7);
        DataRegister("OTHER", "SFX", 8);
    }
    void TearDown() override {
        for (AXVPB* voice : held_)
            AXFreeVoice(voice);
        SfxFree(bank_);
        SfxFree(other_);
        SoundFixture::TearDown();
    }

    // Voices taken by the test at a priority that sounds cannot take from.
    void HoldVoices(u32 count) {
        for (u32 i = 0; i < count; ++i)
            held_.push_back(AXAcquireVoice(AX_PRIORITY_NODROP, nullptr, 0));
    }
    static u16 Flags(s32 channel) { return ChannelStatus[channel].header.flags; }

    s_sfx_bank* bank_ = nullptr;
    s_sfx_bank* other_ = nullptr;
    std::vector<AXVPB*> held_;
};

TEST_F(SoundPlayTest, OnlySymbolsThatStandForASoundPlay) {
    EXPECT_EQ(SfxPlay(0x00070000, &kFull, 10), -1);
    EXPECT_EQ(SfxPlay(-1, &kFull, 10), -1);
    EXPECT_EQ(SfxPlay(kNoSound, &kFull, 10), -1);
    EXPECT_EQ(AudioAllocChannel(1), 0);  // none was taken
    AudioFreeChannel(0);
    const s32 channel = SfxPlay(kHum, &kFull, 10);
    EXPECT_EQ(channel, 1);
    EXPECT_TRUE(SfxIsPlaying(channel));
    EXPECT_EQ(SfxGetId(channel), 0);
    EXPECT_EQ(ChannelStatus[channel].header.bank, bank_);
}

TEST_F(SoundPlayTest, WithEveryChannelTakenOnlyASoundThatMattersReportsItsFailure) {
    for (s32 i = 0; i < AUDIO_CHANNEL_COUNT; ++i)
        ASSERT_EQ(SfxPlayLooped(kHum, &kFull, 0xFFFF), i);
    report_->clear();
    EXPECT_EQ(SfxPlay(kHum, &kFull, 0), -1);
    EXPECT_EQ(report().text(), "");
    EXPECT_EQ(SfxPlay(kDrone, &kFull, 1), -1);
    EXPECT_EQ(report().text(), "SfxPlay: Unable to allocate sfx channel for sfx number 458753.\n");
    report_->clear();
    EXPECT_EQ(SfxPlayLooped(kDrone, &kFull, 1), -1);
    EXPECT_EQ(report().text(), "SfxPlayLooped: Unable to allocate sfx channel for sfx number 458753.\n");
}

TEST_F(SoundPlayTest, ASoundThatFailsOnAStolenChannelTakesTheOldSoundWithIt) {
    for (s32 i = 0; i < AUDIO_CHANNEL_COUNT; ++i)
        ASSERT_EQ(SfxPlayLooped(kHum, &kFull, 5), i);
    const AXVPB* voice = ChannelStatus[0].voiceData;
    EXPECT_EQ(SfxPlay(kBadIndex, &kFull, 10), -1);
    EXPECT_FALSE(SfxIsPlaying(0));
    EXPECT_EQ(voice->priority, AX_PRIORITY_FREE);
    EXPECT_EQ(AudioAllocChannel(1), 0);
    EXPECT_EQ(AudioAllocChannel(1), 1);  // channel 0 came free, and only once: the next is stolen
}

TEST_F(SoundPlayTest, IdsArePlayingOnlyOnTheirChannelFromTheirBank) {
    const s32 channel = SfxPlay(kHum, &kFull, 10);
    const struct {
        s32 id;
        bool playing;
    } kCases[] = {{kHum, true}, {0x00070000, true}, {kDrone, false}, {kOtherHum, false}, {0x00080000, false}};
    for (const auto& c : kCases)
        EXPECT_EQ(SfxIsIdPlaying(c.id, channel), c.playing) << std::hex << c.id;
    EXPECT_FALSE(SfxIsIdPlaying(kHum, channel + 1));
    EXPECT_FALSE(SfxIsIdPlaying(kHum, AUDIO_CHANNEL_COUNT));
}

TEST_F(SoundPlayTest, TheSfxVolumeScalesNewAndPlayingSoundsAndAMuteKeepsTheirLevels) {
    EXPECT_EQ(SfxVolume, 1.0f);
    const s_VOLUME_MIX mix = {0.8f, 0.4f, 0.0f, 0.0f, 0.0f, 0.0f};
    const s32 channel = SfxPlayLooped(kHum, &mix, 10);
    SfxSetSfxVolume(0.5f);
    f32 left = 0.0f, right = 0.0f;
    SfxGetVolume(channel, &left, &right);
    EXPECT_FLOAT_EQ(left, 0.4f);
    EXPECT_FLOAT_EQ(right, 0.2f);
    EXPECT_EQ(ChannelStatus[channel].voiceData->pb.mix.vL, u16(32768.0f * left * MasterVolume));

    SfxSetSfxVolume(0.0f);
    EXPECT_EQ(SfxVolume, 0.0001f);
    SfxGetVolume(channel, &left, &right);
    EXPECT_FLOAT_EQ(left, 0.4f);  // playing sounds keep their level
    const s32 quiet = SfxPlay(kHum, &mix, 10);
    SfxGetVolume(quiet, &left, &right);
    EXPECT_FLOAT_EQ(left, 0.8f * 0.0001f);
    SfxSetSfxVolume(1.0f);
    SfxGetVolume(quiet, &left, &right);
    EXPECT_FLOAT_EQ(left, 0.8f);
    SfxGetVolume(channel, &left, &right);
    EXPECT_FLOAT_EQ(left, 0.8f);
}

TEST_F(SoundPlayTest, AStopIsCarriedOutByTheNextAudioFrame) {
    const s32 a = SfxPlayLooped(kHum, &kFull, 10);
    const s32 b = SfxPlayLooped(kDrone, &kFull, 10);
    RunAudioFrames(1);
    EXPECT_EQ(Flags(a), CHANNEL_FLAG_IN_USE | CHANNEL_FLAG_LOOPED);
    const AXVPB* voice = ChannelStatus[a].voiceData;
    EXPECT_EQ(voice->pb.state, AX_PB_STATE_RUN);
    SfxStopAll();
    EXPECT_TRUE(Flags(a) & CHANNEL_FLAG_STOP_REQUEST);
    EXPECT_TRUE(SfxIsPlaying(b));
    RunAudioFrames(1);
    EXPECT_FALSE(SfxIsPlaying(a));
    EXPECT_FALSE(SfxIsPlaying(b));
    EXPECT_EQ(voice->priority, AX_PRIORITY_FREE);
    EXPECT_EQ(ChannelStatus[a].voiceData, nullptr);
}

TEST_F(SoundPlayTest, APausedSoundKeepsItsPlaceAndASoundNearItsEndIsLetGo) {
    const s32 drone = SfxPlayLooped(kDrone, &kFull, 10);
    const s32 hum = SfxPlayLooped(kHum, &kFull, 10);  // under 4096 bytes in all
    RunAudioFrames(1);
    SfxPause();
    EXPECT_TRUE(Flags(drone) & CHANNEL_FLAG_PAUSE_REQUEST);
    RunAudioFrames(1);
    EXPECT_FALSE(SfxIsPlaying(hum));
    ASSERT_TRUE(SfxIsPlaying(drone));
    EXPECT_EQ(Flags(drone), CHANNEL_FLAG_IN_USE | CHANNEL_FLAG_LOOPED | CHANNEL_FLAG_PAUSED);
    const AXVPB* voice = ChannelStatus[drone].voiceData;
    const u32 place = voice->pb.addr.currentAddress;
    RunAudioFrames(5);
    EXPECT_EQ(voice->pb.addr.currentAddress, place);
    EXPECT_EQ(SfxGetKeyStatus(drone), 1);

    SfxResume();
    EXPECT_EQ(Flags(drone), CHANNEL_FLAG_IN_USE | CHANNEL_FLAG_LOOPED | CHANNEL_FLAG_RESUME_REQUEST);
    RunAudioFrames(2);
    EXPECT_EQ(Flags(drone), CHANNEL_FLAG_IN_USE | CHANNEL_FLAG_LOOPED);
    EXPECT_NE(voice->pb.addr.currentAddress, place);
}

TEST_F(SoundPlayTest, ASoundThatGotNoVoiceKeepsItsMixAndFreesItsChannelAtTheNextAudioFrame) {
    HoldVoices(AX_MAX_VOICES);
    const s32 channel = SfxPlay(kHum, &kFull, 10);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(ChannelStatus[channel].voiceData, nullptr);
    const s_VOLUME_MIX quiet = {0.3f, 0.1f, 0.0f, 0.0f, 0.0f, 0.0f};
    SfxSetVolume(channel, &quiet);
    f32 left = 0.0f, right = 0.0f;
    SfxGetVolume(channel, &left, &right);
    EXPECT_EQ(left, 0.3f);
    EXPECT_EQ(right, 0.1f);
    RunAudioFrames(1);
    EXPECT_FALSE(SfxIsPlaying(channel));
    EXPECT_EQ(AudioQueueChannelExists(u32(channel)), 1);
}

TEST_F(SoundPlayTest, ASoundWhoseVoiceIsTakenGivesItsChannelBack) {
    HoldVoices(AX_MAX_VOICES - AUDIO_CHANNEL_COUNT);
    for (s32 i = 0; i < AUDIO_CHANNEL_COUNT; ++i)
        ASSERT_EQ(SfxPlayLooped(kHum, &kFull, 10), i);
    AXVPB* taken = AXAcquireVoice(20, nullptr, 0);  // from the sound acquired last
    ASSERT_NE(taken, nullptr);
    held_.push_back(taken);
    EXPECT_TRUE(report().contains("is being dropped context 31\n"));
    EXPECT_FALSE(SfxIsPlaying(31));
    EXPECT_EQ(ChannelStatus[31].voiceData, nullptr);
    EXPECT_EQ(AudioAllocChannel(1), 31);
    AudioFreeChannel(31);
}

// A warm reset makes the heap anew: no voice may go on reading the old one.
class SoundResetTest : public EngineFixture {};

TEST_F(SoundResetTest, TheWarmResetsOfSoundFreeTheVoicesOfTheLastRun) {
    const std::vector<u8> payload =
        discbuild::SfxPayload({{"HUM", std::vector<s16>(3200, 1000), 32000, 0u, 0}});
    void* image = HeapMalloc(u32(payload.size()), __FILE_NAME__, __LINE__);
    std::memcpy(image, payload.data(), payload.size());
    SfxSetDefaultBank(SfxLoad("HUM", image, u32(payload.size())));
    const s_VOLUME_MIX mix = {1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    const s32 channel = SfxPlayChannelLooped(0, &mix, 10, AudioAllocChannel(10));
    ASSERT_GE(channel, 0);
    const AXVPB* voice = ChannelStatus[channel].voiceData;
    AudioWarmReset(0, 0);
    SfxWarmReset();
    EXPECT_EQ(voice->priority, AX_PRIORITY_FREE);
    EXPECT_EQ(voice->pb.state, AX_PB_STATE_STOP);
    EXPECT_EQ(SfxDefaultBank, nullptr);
    for (s32 i = 0; i < AUDIO_CHANNEL_COUNT; ++i)
        EXPECT_EQ(AudioAllocChannel(1), i);
}

}  // namespace
