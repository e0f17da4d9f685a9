// THP audio: one frame's DSP-ADPCM track (layout in docs/thp.md) into interleaved
// stereo samples.
#include "console/ax/ax_adpcm.h"
#include "console/thp.h"

namespace {

constexpr u32 kHeaderBytes = 8;
constexpr u32 kChannelBytes = 36;  // 16 coefficients, yn1, yn2
using console::kAdpcmFrameBytes;
using console::kAdpcmFrameSamples;

u32 Be32(const u8* p) {
    return u32(p[0]) << 24 | u32(p[1]) << 16 | u32(p[2]) << 8 | p[3];
}

s16 Be16s(const u8* p) {
    return s16(u16(p[0] << 8 | p[1]));
}

// Decodes `samples` samples of one channel into every `stride`-th slot of out.
void DecodeChannel(const u8* info, const u8* adpcm, u32 samples, s16* out, u32 stride) {
    s16 hist1 = Be16s(info + 32);
    s16 hist2 = Be16s(info + 34);
    for (u32 i = 0; i < samples; ++i) {
        const u8* frame = adpcm + (i / kAdpcmFrameSamples) * kAdpcmFrameBytes;
        const u32 n = i % kAdpcmFrameSamples;
        const u32 pair = frame[0] >> 4 & 7;
        const s16 sample =
            console::AdpcmSample(console::AdpcmCode(frame[1 + n / 2], n % 2 != 0), frame[0] & 15,
                                 Be16s(info + 4 * pair), Be16s(info + 4 * pair + 2), hist1, hist2);
        hist2 = hist1;
        hist1 = sample;
        out[i * stride] = sample;
    }
}

}  // namespace

u32 THPAudioDecode(s16* buffer, u32 maxSamples, const void* data, u32 size) {
    const u8* in = static_cast<const u8*>(data);
    if (buffer == nullptr || in == nullptr || size < kHeaderBytes)
        return 0;
    const u32 channels = Be32(in);
    const u32 samples = Be32(in + 4);
    if (channels < 1 || channels > 2 || samples == 0 || samples > maxSamples)
        return 0;
    const u64 trackBytes = u64((samples + kAdpcmFrameSamples - 1) / kAdpcmFrameSamples) * kAdpcmFrameBytes;
    const u64 adpcmStart = kHeaderBytes + u64(channels) * kChannelBytes;
    if (adpcmStart + channels * trackBytes > size)
        return 0;
    for (u32 c = 0; c < channels; ++c)
        DecodeChannel(in + kHeaderBytes + c * kChannelBytes, in + adpcmStart + c * trackBytes, samples,
                      buffer + c, 2);
    if (channels == 1)
        for (u32 i = 0; i < samples; ++i)
            buffer[2 * i + 1] = buffer[2 * i];
    return samples;
}
