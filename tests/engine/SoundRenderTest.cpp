// Sounds of a bank rendered through the mixer to the audio capture: pitch, level,
// pan, and how long a one-shot holds its channel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "console/ai/ai_control.h"
#include "tests/engine/SoundFixture.h"

namespace {

constexpr u32 kRate = AX_SAMPLE_RATE;
constexpr f32 kFullScale = 32767.0f;

struct Rendered {
    std::vector<s16> left, right;
};

class SoundRenderTest : public SoundFixture {
protected:
    void TearDown() override {
        HostAudioCaptureStop();
        SfxFree(bank_);
        SoundFixture::TearDown();
    }

    void LoadDefault(const std::vector<discbuild::SfxSound>& sounds) {
        bank_ = Load("RENDER", sounds);
        ASSERT_NE(bank_, nullptr);
        SfxSetDefaultBank(bank_);
    }
    static Rendered Render(u32 frames) {
        HostAudioCaptureStart();
        RunAudioFrames(frames);
        const std::vector<s16> stereo = HostAudioCaptureTake();
        Rendered out;
        for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
            out.left.push_back(stereo[i]);
            out.right.push_back(stereo[i + 1]);
        }
        return out;
    }
    static f32 Peak(const std::vector<s16>& samples) {
        s32 peak = 0;
        for (s16 s : samples)
            peak = std::max(peak, std::abs(s32(s)));
        return f32(peak) / kFullScale;
    }
    // Upward zero crossings per second.
    static f32 Frequency(const std::vector<s16>& samples) {
        u32 crossings = 0;
        for (size_t i = 1; i < samples.size(); ++i)
            crossings += samples[i - 1] < 0 && samples[i] >= 0;
        return f32(crossings) * f32(kRate) / f32(samples.size());
    }

    s_sfx_bank* bank_ = nullptr;
};

TEST_F(SoundRenderTest, ASoundPlaysAtItsOwnRateTimesItsPitch) {
    LoadDefault({Sound("A", Sine(1000.0, 32000, 32000), 32000, 0u),
                 Sound("B", Sine(500.0, 16000, 16000), 16000, 0u)});
    const struct {
        s32 index;
        f32 pitch;
        f32 hz;
    } kCases[] = {{0, 1.0f, 1000.0f}, {0, 0.5f, 500.0f}, {1, 1.0f, 500.0f}, {1, 2.0f, 1000.0f}};
    for (const auto& c : kCases) {
        const s32 channel = Play(c.index, 10, kFull, true);
        SfxSetPitch(channel, c.pitch);
        RunAudioFrames(2);
        const Rendered out = Render(100);
        EXPECT_NEAR(Frequency(out.left), c.hz, c.hz * 0.02f) << c.index << " at " << c.pitch;
        SfxStop(channel);
        RunAudioFrames(2);
    }
}

TEST_F(SoundRenderTest, AFullScaleSoundAtFullVolumePeaksAtTheMasterVolume) {
    LoadDefault({Sound("A", Sine(1000.0, 32000, 32000), 32000, 0u)});
    Play(0, 10, {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f}, true);
    RunAudioFrames(2);
    const Rendered out = Render(50);
    EXPECT_NEAR(Peak(out.left), MasterVolume, 0.01f);
    EXPECT_EQ(Peak(out.right), 0.0f);
}

TEST_F(SoundRenderTest, AOneShotSoundsForItsLengthAndFreesItsChannelWithinAnAudioFrame) {
    constexpr u32 kSamples = 96 * 50;
    LoadDefault({Sound("A", Sine(1000.0, 32000, kSamples))});
    HostAudioCaptureStart();
    const s32 channel = Play(0);
    std::vector<s16> stereo;
    while (SfxIsPlaying(channel) && stereo.size() < 200 * 96 * 2) {
        RunAudioFrames(1);
        const std::vector<s16> block = HostAudioCaptureTake();
        stereo.insert(stereo.end(), block.begin(), block.end());
    }
    const size_t freedAt = stereo.size() / 2;
    RunAudioFrames(3);  // what was mixed before the channel was freed
    const std::vector<s16> tail = HostAudioCaptureTake();
    stereo.insert(stereo.end(), tail.begin(), tail.end());
    size_t first = stereo.size(), last = 0;
    for (size_t i = 0; i < stereo.size(); i += 2) {
        if (stereo[i] != 0) {
            first = std::min(first, i / 2);
            last = i / 2;
        }
    }
    ASSERT_LT(first, last);
    EXPECT_NEAR(f64(last - first + 1), f64(kSamples), 4.0);  // the sine starts at 0
    // The mixer's blocks reach the output a frame after they are mixed: the sound
    // ends in the block that was still to play when its channel came free.
    EXPECT_GT(last + 1, freedAt);
    EXPECT_LE(last + 1, freedAt + AX_FRAME_SAMPLES);
    EXPECT_EQ(AudioQueueChannelExists(u32(channel)), 1);
}

class SoundRenderMonoTest : public SoundRenderTest {
protected:
    HostConfig Config() const override {
        HostConfig config = SoundRenderTest::Config();
        config.soundMode = OS_SOUND_MODE_MONO;
        return config;
    }
};

TEST_F(SoundRenderMonoTest, InMonoAOneSidedSoundPlaysAtHalfGainOnBothSides) {
    EXPECT_EQ(AudioMode, AUDIO_MODE_MONO);
    LoadDefault({Sound("A", Sine(1000.0, 32000, 32000), 32000, 0u)});
    Play(0, 10, {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f}, true);
    RunAudioFrames(2);
    const Rendered out = Render(50);
    EXPECT_NEAR(Peak(out.left), MasterVolume / 2, 0.01f);
    EXPECT_NEAR(Peak(out.right), MasterVolume / 2, 0.01f);
}

}  // namespace
