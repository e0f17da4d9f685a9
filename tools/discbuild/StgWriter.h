// The payload of an "STG" chunk: one sound tag, a 96-byte big-endian record.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

constexpr u32 kStgSize = 96;

struct SoundTagDef {
    u32 type = 1;        // e_SOUND_TAG_TYPE
    std::string idName;  // the sound's symbolic name, at most 31 characters
    s32 id = -1;         // a symbol id for plain sounds
    u32 flags = 0;       // AUDIO_PLAY_*
    u32 priority = 0;
    f32 pitch = 1.0f;
    f32 pitchVariance = 0.0f;
    f32 volumeVariance = 0.0f;
    std::array<f32, 6> volumeMix = {};  // L, R, C, LS, RS, LFE
    f32 maxVol = 1.0f;
    f32 maxAudDist = 0.0f;
};

// The registry slot is written as 0. A name too long throws std::invalid_argument.
std::vector<u8> StgPayload(const SoundTagDef& tag);

}  // namespace discbuild
