// The payload of an "FNT" chunk: a bitmap font's glyph rectangles, advances and
// kerning over named "TIM" textures.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

constexpr u32 kFntHeaderSize = 288;
constexpr u32 kFntTextureSize = 20;
constexpr u32 kFntGlyphSize = 20;
constexpr u32 kFntKernSize = 4;

// When a glyph is the left one of a pair whose right byte lies in
// first..last (both below 128), `adjust` pixels come off its advance.
struct FontKern {
    u8 first = 0;
    u8 last = 0;
    u16 adjust = 0;
};

struct FontGlyph {
    f32 u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    s8 width = 0;     // advance in pixels, without the font's spacing
    s8 texture = -1;  // index in the texture names; negative: nothing drawn
    std::vector<FontKern> kerns;
};

struct FontDef {
    s16 width = 0;   // cell width in fixed-width mode
    s16 height = 0;  // line height
    s16 spacing = 0;
    std::vector<std::string> textures;  // "TIM" names, at most 15 characters
    std::vector<FontGlyph> glyphs;      // at most 256
    std::array<u8, 256> charIndex{};    // glyph of each byte value
};

// Header, texture table, glyph table and kerning table, in that order, the
// chunk ending with the last kerning entry. Kerning past what the signed 8-bit
// first-entry index can reach, a name too long, or an index past the glyphs
// throws std::invalid_argument.
std::vector<u8> FntPayload(const FontDef& font);

}  // namespace discbuild
