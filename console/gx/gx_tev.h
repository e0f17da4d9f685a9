// The texture environment: up to 16 stages combining the rasterised colours,
// textures, registers and konst colours into the pixel's colour.
#pragma once

#include "console/gx/gx_setup.h"

namespace console::gx {

// What a draw's stages amount to; the rasteriser has a fast path for all but
// the last.
enum class TevKind : u8 {
    Raster,    // one stage passing a rasterised colour
    Modulate,  // one stage: texture x rasterised colour
    // Modulate, then a second texture (through a swap table) x that: the
    // engine's stencil stage after a textured one.
    ModulateTwice,
    // Three textures through four stages: two chroma planes scaled by konst
    // colours onto a register, the luma added, the alpha moved into a channel
    // (the movie's colour conversion).
    Yuv,
    General,
};

struct TevPlan {
    TevKind kind;
    u8 channel;   // Raster and Modulate: the colour channel (0 or 1)
    u8 texMap;    // Modulate, ModulateTwice, Yuv: the first stage's map
    u8 texCoord;  // and coordinate; kTevNull reads at (0, 0)
    AttrMask attrs;
    u8 texMap2 = kTevNull;  // ModulateTwice and Yuv: the second stage's map and coordinate
    u8 texCoord2 = kTevNull;
    SwapTable swap2;
    u8 texMap3 = kTevNull;  // Yuv: the third stage's map and coordinate
    u8 texCoord3 = kTevNull;
};

// The values a Yuv plan's stages read besides the textures, R G B A: the
// register the first stage adds to, then each stage's konst colour and alpha.
struct TevYuvInputs {
    int base[4];
    int konst[3][4];
};

TevYuvInputs YuvInputs(const RasterState& state);

TevPlan PlanTev(const RasterState& state);

// The colour channel (0, 1) a stage rasterises, or -1 for none.
int TevChannel(const RasterState& state, const TevStage& stage);

// A texture's colour at a coordinate: opaque white without a sampler.
inline Rgba8 TevSample(const RasterState& state, u32 texMap, const TexCoordSample& coord) {
    return state.sampler != nullptr ? state.sampler(state.samplerContext, texMap, coord)
                                    : Rgba8{255, 255, 255, 255};
}

// Runs every stage for one pixel.
Rgba8 TevCombine(const RasterState& state, const Rgba8 ras[2], const TexCoordSample coords[kMaxTexCoords]);

}  // namespace console::gx
