// Stream packs (".ASF", docs/streams.md): mono and stereo streams from 16-bit PCM,
// each channel DSP-ADPCM encoded on its own, a stereo pair with one coefficient
// table, interleaved in blocks.
#pragma once

#include <vector>

#include "console/types.h"

namespace discbuild {

struct AsfStream {
    std::vector<s16> left;
    std::vector<s16> right;  // empty for a mono stream
    u32 sampleRate = 32000;
};

// Half the engine's default audio-memory ring.
constexpr u32 kAsfInterleave = 16384;

std::vector<u8> AsfWrite(const std::vector<AsfStream>& streams, u32 interleave = kAsfInterleave);

}  // namespace discbuild
