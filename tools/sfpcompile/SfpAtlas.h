// A movie's images packed into RGBA8 atlases of at most 1024 x 1024 texels by
// shelves, each image ringed by copies of its edge texels so that linear
// filtering at its edge never takes in a neighbour.
#pragma once

#include <vector>

#include "tools/discbuild/TextureEncoder.h"

namespace sfpc {

constexpr u32 kAtlasMaxSide = 1024;
constexpr u32 kAtlasPad = 2;
constexpr u32 kAtlasMaxImage = kAtlasMaxSide - 2 * kAtlasPad;  // the largest image side an atlas takes

struct AtlasPlace {
    u32 atlas = 0;
    u32 x = 0, y = 0;  // the image's top-left texel
};

struct Atlases {
    std::vector<discbuild::RgbaImage> atlases;  // each side a power of two
    std::vector<AtlasPlace> places;             // one per image, in the images' order
};

// Every image's sides must be at most kAtlasMaxImage (std::invalid_argument otherwise).
Atlases PackAtlases(const std::vector<discbuild::RgbaImage>& images);

}  // namespace sfpc
