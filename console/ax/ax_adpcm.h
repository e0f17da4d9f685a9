// DSP-ADPCM: 8-byte frames of a header byte (coefficient pair index in the high
// nibble, shift in the low one) and 14 signed 4-bit codes. Each sample is predicted
// from the two before it with the frame's coefficient pair (signed 4.11) and
// corrected by the scaled code. Internal to the console; the disc tools' encoder
// makes the same choices.
#pragma once

#include "console/types.h"

namespace console {

constexpr u32 kAdpcmFrameBytes = 8;
constexpr u32 kAdpcmFrameNibbles = 16;
constexpr u32 kAdpcmFrameSamples = 14;

inline s32 AdpcmCode(u8 byte, bool low) {
    const s32 code = low ? byte & 0xF : byte >> 4;
    return code >= 8 ? code - 16 : code;
}

// The sample after history yn1, yn2 (in 64 bits, so a decoder can keep its
// history in registers without conversions on the way from one sample to the next).
inline s64 AdpcmSample(s32 code, u32 shift, s64 c0, s64 c1, s64 yn1, s64 yn2) {
    const s64 sample = (c0 * yn1 + ((s64(code) << (shift + 11)) + c1 * yn2 + 1024)) >> 11;
    // Clamping is rare: a branch keeps it off the sample-to-sample dependency.
    if (sample != s16(sample)) [[unlikely]]
        return sample < 0 ? -32768 : 32767;
    return sample;
}

}  // namespace console
