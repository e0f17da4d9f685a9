// The payload of an "SPR" chunk: a sprite set's cells over named textures and
// its frame animations.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

constexpr u32 kSprHeaderSize = 28;  // before the cell offsets
constexpr u32 kSprCellSize = 36;
constexpr u32 kSprTextureSize = 20;
constexpr u32 kSprFrameSpriteSize = 68;

struct SpriteCell {
    u16 flags = 0;
    u16 texture = 0;  // index in the texture names
    // (u, v) of the corners top left, top right, bottom right, bottom left.
    std::array<f32, 8> uv{};
};

struct SpriteVertex {
    f32 x = 0, y = 0, z = 0;
    u32 colour = 0xFFFFFFFFu;  // 0xRRGGBBAA
};

struct FrameSprite {
    u32 cell = 0;
    std::array<SpriteVertex, 4> corners{};
};

struct SpriteAnimation {
    u16 flags = 0;
    std::vector<std::vector<FrameSprite>> frames;
};

struct SpriteSet {
    std::vector<std::string> textures;  // "TIM" names, at most 15 characters
    std::vector<SpriteCell> cells;
    std::vector<SpriteAnimation> animations;
};

// Header with the cell offsets, the cells, the texture table, the animation
// table, then each animation followed by its frames. A texture or cell index
// past its table, a long name or more than 65535 frames throws
// std::invalid_argument.
std::vector<u8> SprPayload(const SpriteSet& set);

}  // namespace discbuild
