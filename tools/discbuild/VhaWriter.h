// The payload of a "VHA" chunk: an animation bank of one skeleton, every channel
// type quantised to its key encoding.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

constexpr u32 kVhaHeaderSize = 32;
constexpr u32 kVhaAnimationSize = 36;
constexpr u32 kVhaChannelSize = 12;
constexpr u8 kVhaKeyed = 0x80;  // channel flag: timed keys, else samples at `rate`

struct VhaKey {
    f32 time = 0;  // written for keyed channels only
    // Rotations (x, y, z, w); positions and scales (x, y, z).
    std::array<f32, 4> value{};
    // Event keys: type, parm8, parm16, parm32.
    std::array<s32, 4> event{};
};

struct VhaChannel {
    u8 type = 0;  // the engine's channel type; the unsupported ones throw
    u8 flags = 0;
    u8 rate = 0;
    u32 boneId = 0xFFFFFFFFu;
    std::vector<VhaKey> keys;
};

struct VhaAnimation {
    std::string name;
    u16 flags = 0;
    f32 timeStart = 0, timeEnd = 0, blendTime = 0;
    std::vector<VhaChannel> channels;
};

struct VhaBank {
    u16 flags = 0;
    u16 bankNum = 0;
    std::vector<VhaAnimation> animations;
};

// Header, the names, the animation list, then each animation's channels with
// their keys. The names precede the list, so a spooled load that keeps only
// that much keeps them. A channel type without a key encoding, an unkeyed event
// channel, or more animations, channels or keys than the fields hold throws
// std::invalid_argument.
std::vector<u8> VhaPayload(const VhaBank& bank);

// Smallest-three packing: the largest component dropped (the others negated
// when it is negative), the rest quantised to the nearest of 1024 steps.
u32 VhaPackQuat32(const std::array<f32, 4>& q);

}  // namespace discbuild
