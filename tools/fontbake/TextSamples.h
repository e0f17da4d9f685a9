// The rendering tests' textures: samples of text set in the Arial stand-in at
// 10, 16 and 20 pixels, as plain opaque textures.
#pragma once

#include <string>
#include <vector>

#include "tools/discbuild/TextureEncoder.h"
#include "tools/discbuild/WadWriter.h"

namespace fontbake {

constexpr u32 kTextSampleSize = 128;  // every sample is square

// `lines` set at `pixels` in the face, each centred, light on a dark `background`
// (0xRRGGBB) inside a light border. Errors throw.
discbuild::RgbaImage TextSample(const std::string& faceFile, u32 pixels, u32 background,
                                const std::vector<std::string>& lines);

// The "TIM" chunks "ARIAL_10", "ARIAL_16" and "ARIAL_20"; faces under `faceDir`.
std::vector<discbuild::WadChunk> TextSampleTextures(const std::string& faceDir);

}  // namespace fontbake
