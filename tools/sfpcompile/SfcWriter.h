// The ".sfc" archive of a movie: its atlases as "TIM" chunks (docs/screenmovies.md).
#pragma once

#include <string>
#include <vector>

#include "tools/discbuild/TextureEncoder.h"

namespace sfpc {

// "SFC", the CRC-32 of the movie's name in upper case as eight hex digits, "_"
// and the atlas index in two digits.
std::string SfcTextureName(const std::string& movieName, u32 atlas);

// The archive of the atlases, in order, as RGBA8 textures of one level.
std::vector<u8> WriteSfc(const std::string& movieName, const std::vector<discbuild::RgbaImage>& atlases);

}  // namespace sfpc
