// The voice mixer: decoding, addresses, rate conversion and gains.
#include <cmath>
#include <vector>

#include "console/ax/ax_adpcm.h"
#include "tests/console/ax_support.h"

namespace {

using AxMixTest = ConsoleTest;

std::vector<s16> Pcm16Ramp(int count) {
    std::vector<s16> samples;
    for (int i = 1; i <= count; ++i)
        samples.push_back(s16(i * 100));
    return samples;
}

TEST_F(AxMixTest, DecodesAnAdpcmFrameAsWorkedByHand) {
    // Pair 1 = (1.0, -0.5), shift 2; history 100, 50. Codes 7, -1; in the next
    // frame two codes 7 at shift 12 clamp.
    const u8 frames[16] = {0x12, 0x7F, 0, 0, 0, 0, 0, 0, 0x1C, 0x77, 0, 0, 0, 0, 0, 0};
    const u32 start = 2 * PutSampleBytes(frames, sizeof frames);
    AXVPB voice = UnityVoice(AX_PB_FORMAT_ADPCM, start, start + 16 + 3);
    voice.pb.adpcm.a[1][0] = 0x0800;
    voice.pb.adpcm.a[1][1] = 0xFC00;
    voice.pb.adpcm.pred_scale = 0x12;
    voice.pb.adpcm.yn1 = 100;
    voice.pb.adpcm.yn2 = 50;
    voice.pb.addr.currentAddress = start + 2;
    const std::vector<s16> left = Channel(MixFrames(&voice, 1, 1), 0);
    EXPECT_EQ(left[0], 103);  // (7*4*2048 + 2048*100 - 1024*50 + 1024) >> 11
    EXPECT_EQ(left[1], 49);   // (-4*2048 + 2048*103 - 1024*100 + 1024) >> 11
    // The second frame's header (pair 1, shift 12) is read on the way.
    EXPECT_GT(left[14], 28672);
    EXPECT_EQ(left[15], 32767);
    EXPECT_EQ(left[16], 0);
    EXPECT_EQ(voice.pb.state, AX_PB_STATE_STOP);
}

TEST_F(AxMixTest, EndAndLoopAddresses) {
    const std::vector<s16> ramp = Pcm16Ramp(10);
    const u32 start = PutSampleBytes(ramp.data(), ramp.size() * 2) / 2;
    struct Case {
        u16 loop;
        std::vector<s16> expected;  // first 16 samples
    } cases[] = {
        {0, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 0, 0, 0, 0, 0, 0}},
        {1, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 500, 600, 700, 800, 900, 1000}},
    };
    for (const Case& c : cases) {
        AXVPB voice = UnityVoice(AX_PB_FORMAT_PCM16, start, start + 9);
        voice.pb.addr.loopFlag = c.loop;
        voice.pb.addr.loopAddress = start + 4;
        std::vector<s16> left = Channel(MixFrames(&voice, 1, 1), 0);
        left.resize(16);
        EXPECT_EQ(left, c.expected) << "loop " << c.loop;
        EXPECT_EQ(voice.pb.state, c.loop ? AX_PB_STATE_RUN : AX_PB_STATE_STOP);
    }
}

TEST_F(AxMixTest, AdpcmLoopLoadsTheLoopContextUnlessStreaming) {
    // Two frames of code 1 at shift 0 with pair 0 = (1.0, 0): each sample is the
    // previous one plus one.
    const u8 frames[16] = {0x00, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
                           0x00, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11};
    const u32 start = 2 * PutSampleBytes(frames, sizeof frames);
    for (const u16 type : {AX_PB_TYPE_NORMAL, AX_PB_TYPE_STREAM}) {
        AXVPB voice = UnityVoice(AX_PB_FORMAT_ADPCM, start + 2, start + 31);
        voice.pb.type = type;
        voice.pb.adpcm.a[0][0] = 0x0800;
        voice.pb.addr.loopFlag = 1;
        voice.pb.addr.loopAddress = start + 18;
        voice.pb.adpcmLoop.loop_yn1 = 1000;
        const std::vector<s16> left = Channel(MixFrames(&voice, 1, 1), 0);
        EXPECT_EQ(left[27], 28);
        EXPECT_EQ(left[28], type == AX_PB_TYPE_NORMAL ? 1001 : 29) << "type " << type;
    }
}

// Zero crossings from negative to positive in the left channel.
int RisingCrossings(const std::vector<s16>& left) {
    int count = 0;
    for (size_t i = 1; i < left.size(); ++i)
        count += left[i - 1] < 0 && left[i] >= 0;
    return count;
}

TEST_F(AxMixTest, HalfRatioHalvesTheFrequency) {
    // 1 kHz at 32 kHz: 32 samples a period, 100 periods.
    std::vector<s16> sine(3200);
    for (size_t i = 0; i < sine.size(); ++i)
        sine[i] = s16(std::lround(10000 * std::sin(2 * M_PI * double(i) / 32.0 + 0.1)));
    const u32 start = PutSampleBytes(sine.data(), sine.size() * 2) / 2;
    const u32 frames = 3200 / AX_FRAME_SAMPLES;  // 0.1 s
    AXVPB voice = UnityVoice(AX_PB_FORMAT_PCM16, start, start + 3199);
    voice.pb.srcSelect = AX_SRC_TYPE_LINEAR;
    const int full = RisingCrossings(Channel(MixFrames(&voice, 1, frames), 0));
    voice = UnityVoice(AX_PB_FORMAT_PCM16, start, start + 3199);
    voice.pb.srcSelect = AX_SRC_TYPE_LINEAR;
    AXSetVoiceSrcRatio(&voice, 0.5f);
    const int half = RisingCrossings(Channel(MixFrames(&voice, 1, frames), 0));
    EXPECT_NEAR(full, 99, 1);
    EXPECT_NEAR(2 * half, full, 2);
}

TEST_F(AxMixTest, GainsEnvelopeAndSumClamp) {
    const std::vector<s16> level(AX_FRAME_SAMPLES, 20000);
    const u32 start = PutSampleBytes(level.data(), level.size() * 2) / 2;
    AXVPB voices[2] = {UnityVoice(AX_PB_FORMAT_PCM16, start, start + AX_FRAME_SAMPLES - 1),
                       UnityVoice(AX_PB_FORMAT_PCM16, start, start + AX_FRAME_SAMPLES - 1)};
    voices[0].pb.mix.vR = 0x2000;            // a quarter on the right
    voices[1].pb.ve.currentVolume = 0x4000;  // half through the envelope
    voices[1].pb.mix.vR = 0;
    std::vector<s16> out = MixFrames(voices, 2, 1);
    EXPECT_EQ(out[0], 30000);  // 20000 + 10000
    EXPECT_EQ(out[1], 5000);
    // A gain ramp moves per sample; two full voices clamp.
    voices[0] = UnityVoice(AX_PB_FORMAT_PCM16, start, start + AX_FRAME_SAMPLES - 1);
    voices[0].pb.mix.vL = 0;
    voices[0].pb.mix.vDeltaL = 0x100;
    voices[1] = voices[0];
    voices[1].pb.mix.vL = 0x8000;
    voices[1].pb.mix.vDeltaL = 0;
    out = MixFrames(voices, 2, 1);
    EXPECT_EQ(out[0], 20000);
    EXPECT_EQ(out[2], 20000 + 20000 * 0x100 / 0x8000);
    EXPECT_EQ(out[1], 32767);
    EXPECT_EQ(voices[0].pb.mix.vL, AX_FRAME_SAMPLES * 0x100);
    // Loud negative sums clamp too, and -32768 itself stays; a ramp stops at the top gain.
    const s16 low[] = {-20000, -16384};
    const u32 lowStart = PutSampleBytes(low, sizeof low, 0x1000) / 2;
    voices[0] = UnityVoice(AX_PB_FORMAT_PCM16, lowStart, lowStart + 1);
    voices[1] = voices[0];
    voices[0].pb.mix.vR = 0xFF80;
    voices[0].pb.mix.vDeltaR = 0x100;
    out = MixFrames(voices, 2, 1);
    EXPECT_EQ(out[0], -32768);
    EXPECT_EQ(out[2], -32768);
    EXPECT_EQ(voices[0].pb.mix.vR, 0xFFFF);
}

TEST_F(AxMixTest, AddressesOutsideTheArenasPlaySilence) {
    AXVPB voices[2] = {UnityVoice(AX_PB_FORMAT_ADPCM, 2 * 0x0F000000u + 2, 2 * 0x0F001000u),
                       UnityVoice(AX_PB_FORMAT_PCM16, 0x7FFFFFF0u, 0x7FFFFFFFu)};
    voices[0].pb.adpcm.a[0][0] = 0x0800;
    voices[0].pb.adpcm.yn1 = 0;
    const std::vector<s16> out = MixFrames(voices, 2, 2);
    EXPECT_EQ(out, std::vector<s16>(out.size(), 0));
}

TEST_F(AxMixTest, OneShotStopsInTheFrameItEnds) {
    const std::vector<s16> ramp = Pcm16Ramp(100);
    const u32 start = PutSampleBytes(ramp.data(), ramp.size() * 2) / 2;
    AXVPB voice = UnityVoice(AX_PB_FORMAT_PCM16, start, start + 99);
    voice.pb.srcSelect = AX_SRC_TYPE_LINEAR;
    MixFrames(&voice, 1, 1);
    EXPECT_EQ(voice.pb.state, AX_PB_STATE_RUN);
    MixFrames(&voice, 1, 1);
    EXPECT_EQ(voice.pb.state, AX_PB_STATE_STOP);
}

TEST_F(AxMixTest, PhysicalAddressesRoundTrip) {
    u8* mem1 = static_cast<u8*>(OSGetMEM1ArenaLo());
    u8* mem2 = static_cast<u8*>(OSGetMEM2ArenaLo()) + 64;
    EXPECT_LT(OSCachedToPhysical(mem1), OS_PHYSICAL_MEM2);
    EXPECT_NE(OSCachedToPhysical(mem1), 0u);
    EXPECT_EQ(OSCachedToPhysical(mem2), OS_PHYSICAL_MEM2 + 64);
    EXPECT_EQ(OSPhysicalToCached(OSCachedToPhysical(mem1)), mem1);
    EXPECT_EQ(OSPhysicalToCached(OSCachedToPhysical(mem2)), mem2);
    int host = 0;
    EXPECT_EQ(OSCachedToPhysical(&host), 0u);
    EXPECT_EQ(OSPhysicalToCached(OS_PHYSICAL_MEM2 + SmallConfig().mem2Size), nullptr);
}

}  // namespace
