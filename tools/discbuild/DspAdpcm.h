// A DSP-ADPCM encoder for the disc's sounds: 16-bit PCM in, the standard 96-byte
// sound header and the 8-byte frames (a predictor/scale byte and 14 4-bit codes)
// out. The eight coefficient pairs are fitted to the sound.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "console/types.h"

namespace discbuild {

constexpr u32 kDspAdpcmHeaderSize = 96;
constexpr u32 kDspAdpcmFrameSamples = 14;
constexpr u32 kDspAdpcmFrameBytes = 8;

// The sound header's fields; addresses are nibbles from the start of the data.
struct DspAdpcmHeader {
    u32 numSamples = 0;
    u32 numNibbles = 0;
    u32 sampleRate = 0;
    u16 loopFlag = 0;
    u16 format = 0;  // ADPCM
    u32 sa = 0;      // loop start
    u32 ea = 0;      // last sample
    u32 ca = 0;      // first sample
    s16 coef[16] = {};
    u16 gain = 0;
    u16 ps = 0;  // predictor/scale of the first frame
    s16 yn1 = 0;
    s16 yn2 = 0;
    u16 lps = 0;  // decoder state at the loop start
    s16 lyn1 = 0;
    s16 lyn2 = 0;
};

struct DspAdpcmSound {
    DspAdpcmHeader header;
    std::vector<u8> data;  // whole frames, the last one padded with zero codes
};

// The nibble address of sample `index`: two header nibbles begin each frame.
constexpr u32 DspAdpcmNibbleAddress(u32 index) {
    return index / kDspAdpcmFrameSamples * 16 + index % kDspAdpcmFrameSamples + 2;
}

// Encodes `pcm`; with a loop start the header loops from that sample to the end.
DspAdpcmSound DspAdpcmEncode(std::span<const s16> pcm, u32 sampleRate, std::optional<u32> loopStart);

// What a player decodes from the sound: every frame's samples, from the header's
// initial history.
std::vector<s16> DspAdpcmDecode(const DspAdpcmSound& sound);
// The header as stored on disc, big-endian.
std::array<u8, kDspAdpcmHeaderSize> DspAdpcmHeaderBytes(const DspAdpcmHeader& header);

}  // namespace discbuild
