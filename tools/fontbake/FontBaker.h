// Bakes a TrueType font at one pixel height into an "FNT" chunk and the "TIM"
// texture that holds its glyph cells.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "console/types.h"

namespace fontbake {

struct BakeRequest {
    std::string fontFile;  // any face FreeType opens
    std::string name;      // the font's chunk name; its texture is NAME + "_T"
    u32 pixelHeight = 16;
    // Bytes drawn with another character than their Windows-1252 one (icon cells).
    std::map<u8, char32_t> remap;
};

struct BakedFont {
    std::string textureName;
    std::vector<u8> tim;  // white RGBA8 cells whose alpha is the glyph's coverage
    std::vector<u8> fnt;
};

// Every byte from 32 up gets a cell one advance wide and one line high, the
// glyph on the font's baseline; bytes the face lacks advance by nothing.
// Kerning of the face's kern table tightens pairs of bytes below 128. Errors
// throw std::runtime_error.
BakedFont BakeFont(const BakeRequest& request);

// The Unicode character of a Windows-1252 byte (0 for the five unassigned ones).
char32_t Cp1252ToUnicode(u8 byte);

}  // namespace fontbake
