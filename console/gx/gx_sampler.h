// Reading a decoded texture at a coordinate: wrap, nearest or bilinear
// filtering, and the level of detail picking and blending mip levels.
#pragma once

#include <vector>

#include "console/gx/gx_raster_state.h"

namespace console::gx {

struct TexLevel {
    u32 width, height;
    std::vector<Rgba8> texels;  // row by row
};

struct DecodedTexture {
    std::vector<TexLevel> levels;  // at least one
};

// A texture object's sampling settings (GXTexWrapMode, GXTexFilter).
struct TexSampling {
    u8 wrapS, wrapT;
    u8 minFilter, magFilter;
    float minLod, maxLod, lodBias;
};

// The view of a texture that reads the same at every level of detail; false
// when the level of detail picks or blends its levels.
bool ViewTexture(const DecodedTexture& tex, const TexSampling& sampling, TexLevelView* view);

// The footprints a bilinear view of the level reads with these wraps.
std::vector<TexelQuad> MakeTexelQuads(const TexLevel& level, u8 wrapS, u8 wrapT);

Rgba8 SampleTexture(const DecodedTexture& tex, const TexSampling& sampling, const TexCoordSample& coord);

}  // namespace console::gx
