// Reading a decoded texture at a coordinate: wrap, nearest or bilinear
// filtering, and the level of detail picking and blending mip levels.
#pragma once

#include <atomic>
#include <memory>
#include <new>
#include <vector>

#include "console/gx/gx_raster_state.h"

namespace console::gx {

// Texels are decoded into place: their room is never filled first.
struct TexelsFree {
    void operator()(Rgba8* texels) const { ::operator delete(texels); }
};
using Texels = std::unique_ptr<Rgba8[], TexelsFree>;
inline Texels NewTexels(std::size_t count) {
    return Texels(static_cast<Rgba8*>(::operator new(count * sizeof(Rgba8))));
}

struct TexLevel {
    u32 width, height;
    Texels texels;  // row by row
};

struct DecodedTexture {
    std::vector<TexLevel> levels;  // at least one
    // Bands of rows a copy to texture has still to write into the first level
    // (0 for a texture decoded from memory).
    std::atomic<u32> bandsToCopy = 0;
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
