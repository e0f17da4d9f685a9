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

inline s16 AdpcmSample(s32 code, u32 shift, s16 c0, s16 c1, s16 yn1, s16 yn2) {
    const s64 sum = (s64(code) << (shift + 11)) + s64(c0) * yn1 + s64(c1) * yn2 + 1024;
    const s64 sample = sum >> 11;
    return s16(sample > 32767 ? 32767 : sample < -32768 ? -32768 : sample);
}

}  // namespace console
