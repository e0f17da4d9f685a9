// THP audio: one frame's DSP-ADPCM track (layout in docs/thp.md) into interleaved
// stereo samples.
#include <algorithm>

#include "console/thp.h"

namespace {

constexpr u32 kHeaderBytes = 8;
constexpr u32 kChannelBytes = 36;  // 16 coefficients, yn1, yn2
constexpr u32 kFrameBytes = 8;
constexpr u32 kFrameSamples = 14;

u32 Be32(const u8* p) {
    return u32(p[0]) << 24 | u32(p[1]) << 16 | u32(p[2]) << 8 | p[3];
}

s16 Be16s(const u8* p) {
    return s16(u16(p[0] << 8 | p[1]));
}

// Decodes `samples` samples of one channel into every `stride`-th slot of out.
void DecodeChannel(const u8* info, const u8* adpcm, u32 samples, s16* out, u32 stride) {
    s32 hist1 = Be16s(info + 32);
    s32 hist2 = Be16s(info + 34);
    for (u32 i = 0; i < samples; ++i) {
        const u8* frame = adpcm + (i / kFrameSamples) * kFrameBytes;
        const u32 n = i % kFrameSamples;
        const u32 pair = frame[0] >> 4 & 7;
        const u32 shift = frame[0] & 15;
        const u8 byte = frame[1 + n / 2];
        const s32 nibble = s32((n % 2 == 0 ? byte >> 4 : byte & 15) << 28) >> 28;
        const s32 c0 = Be16s(info + 4 * pair);
        const s32 c1 = Be16s(info + 4 * pair + 2);
        const s32 v = ((nibble << shift) * 2048 + c0 * hist1 + c1 * hist2 + 1024) >> 11;
        hist2 = hist1;
        hist1 = std::clamp(v, -32768, 32767);
        out[i * stride] = s16(hist1);
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
    const u64 trackBytes = u64((samples + kFrameSamples - 1) / kFrameSamples) * kFrameBytes;
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
