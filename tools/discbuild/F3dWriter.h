// The payload of an "F3D" chunk: a 3-D font whose characters name hierarchical
// models, with the index of each byte value's character.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

constexpr u32 kF3dHeaderSize = 288;
constexpr u32 kF3dCharSize = 24;

struct Font3DDef {
    f32 spacing = 0;
    f32 spaceWidth = 0;
    f32 width = 0;
    std::vector<std::string> models;  // each character's model name, at most 16 characters
    std::array<s8, 256> charIndex;    // index in `models`, -1 for none

    Font3DDef() { charIndex.fill(-1); }
};

// Header, then the character table. The run-time slots (links, registry entry,
// models and half widths) are written as 0. A name too long or an index past the
// characters throws std::invalid_argument.
std::vector<u8> F3dPayload(const Font3DDef& font);

}  // namespace discbuild
