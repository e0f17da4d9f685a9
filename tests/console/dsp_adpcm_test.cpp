// The disc tools' DSP-ADPCM encoder, decoded by the mixer.
#include <cmath>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "tests/console/ax_support.h"
#include "tools/discbuild/DspAdpcm.h"

namespace {

using DspAdpcmTest = ConsoleTest;

std::vector<s16> Sine(double hz, u32 count, double amplitude) {
    std::vector<s16> pcm(count);
    for (u32 i = 0; i < count; ++i)
        pcm[i] = s16(std::lround(amplitude * std::sin(2 * M_PI * hz * i / 32000.0)));
    return pcm;
}

// A voice that plays the encoded sound at unity gain, as the engine sets one up
// from the header.
AXVPB VoiceFor(const discbuild::DspAdpcmSound& sound) {
    const u32 start = 2 * PutSampleBytes(sound.data.data(), sound.data.size());
    const discbuild::DspAdpcmHeader& h = sound.header;
    AXVPB voice = UnityVoice(AX_PB_FORMAT_ADPCM, start + h.ca, start + h.ea);
    voice.pb.addr.loopFlag = h.loopFlag;
    voice.pb.addr.loopAddress = start + h.sa;
    for (u32 i = 0; i < 16; ++i)
        voice.pb.adpcm.a[i / 2][i % 2] = u16(h.coef[i]);
    voice.pb.adpcm.pred_scale = h.ps;
    voice.pb.adpcm.yn1 = u16(h.yn1);
    voice.pb.adpcm.yn2 = u16(h.yn2);
    voice.pb.adpcmLoop = {h.lps, u16(h.lyn1), u16(h.lyn2)};
    return voice;
}

double SnrDb(const std::vector<s16>& original, const std::vector<s16>& decoded) {
    double signal = 0, noise = 0;
    for (size_t i = 0; i < original.size(); ++i) {
        signal += double(original[i]) * original[i];
        noise += double(decoded[i] - original[i]) * (decoded[i] - original[i]);
    }
    return 10 * std::log10(signal / std::max(noise, 1.0));
}

TEST_F(DspAdpcmTest, SinesDecodeCloseToTheOriginal) {
    for (const double hz : {110.0, 440.0, 3000.0}) {
        const std::vector<s16> pcm = Sine(hz, 9600, 20000);
        const discbuild::DspAdpcmSound sound = discbuild::DspAdpcmEncode(pcm, 32000, std::nullopt);
        ASSERT_EQ(sound.data.size(), (9600 + 13) / 14 * 8u);
        AXVPB voice = VoiceFor(sound);
        std::vector<s16> left = Channel(MixFrames(&voice, 1, 9600 / AX_FRAME_SAMPLES + 1), 0);
        EXPECT_EQ(voice.pb.state, AX_PB_STATE_STOP);
        EXPECT_EQ(left[9600], 0);
        left.resize(pcm.size());
        EXPECT_GT(SnrDb(pcm, left), 35.0) << hz << " Hz";
    }
}

TEST_F(DspAdpcmTest, ALoopReplaysFromItsStartWithTheLoopContext) {
    const std::vector<s16> pcm = Sine(500, 1000, 12000);
    const u32 loopStart = 333;  // mid-frame
    const discbuild::DspAdpcmSound sound = discbuild::DspAdpcmEncode(pcm, 32000, loopStart);
    AXVPB voice = VoiceFor(sound);
    const std::vector<s16> left = Channel(MixFrames(&voice, 1, 20), 0);
    EXPECT_EQ(voice.pb.state, AX_PB_STATE_RUN);
    for (u32 i = 0; i < 200; ++i)
        ASSERT_EQ(left[1000 + i], left[loopStart + i]) << i;
}

TEST_F(DspAdpcmTest, HeaderFieldsAndTheirBigEndianLayout) {
    const std::vector<s16> pcm = Sine(440, 30, 1000);
    const discbuild::DspAdpcmSound sound = discbuild::DspAdpcmEncode(pcm, 22050, 16u);
    const auto b = discbuild::DspAdpcmHeaderBytes(sound.header);
    EXPECT_EQ(LoadBE32(&b[0]), 30u);
    EXPECT_EQ(LoadBE32(&b[4]), 16u + 16 + 2 + 2);  // two whole frames, then two samples
    EXPECT_EQ(LoadBE32(&b[8]), 22050u);
    EXPECT_EQ(LoadBE16(&b[12]), 1u);
    EXPECT_EQ(LoadBE16(&b[14]), 0u);
    EXPECT_EQ(LoadBE32(&b[16]), 16u + 4);  // sample 16: frame 1, third code
    EXPECT_EQ(LoadBE32(&b[20]), 32u + 3);  // sample 29: frame 2, second code
    EXPECT_EQ(LoadBE32(&b[24]), 2u);
    EXPECT_EQ(s16(LoadBE16(&b[28 + 2 * 3])), sound.header.coef[3]);
    EXPECT_EQ(LoadBE16(&b[62]), sound.data[0]);
    EXPECT_EQ(LoadBE16(&b[68]), sound.data[8]);
    EXPECT_EQ(s16(LoadBE16(&b[70])), sound.header.lyn1);
}

}  // namespace
