// The payload of an "SFX" chunk: a bank of named DSP-ADPCM sounds.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

struct SfxSound {
    std::string name;
    std::vector<s16> pcm;  // mono
    u32 sampleRate = 32000;
    std::optional<u32> loopStart;  // the sample a looped sound goes back to; none: one-shot
    u32 pitch = 0;                 // carried in the record, not played
};

// The payload: data entry slot (0), sound count, list offset (12), one 20-byte
// record per sound (header offset, 0, pitch, header and sample bytes, name offset),
// the NUL-terminated names, then each sound's 96-byte header and its ADPCM bytes.
// A name holding a NUL, or a sound without samples, throws std::invalid_argument.
std::vector<u8> SfxPayload(const std::vector<SfxSound>& sounds);

}  // namespace discbuild
