// The two colour channels: each channel's colour and alpha are the material
// colour, or, with lighting on, the material times the ambient colour plus the
// lights of its mask, clamped.
#pragma once

#include "console/gx/gx_state.h"

namespace console::gx {

// eye and normal in view space; out holds RGBA in 0..1 for channels 0 and 1
// (zero for channels beyond GXSetNumChans).
void LightVertex(const f32 eye[3], const f32 normal[3], const GXColor vertexColor[2], float out[2][4]);

}  // namespace console::gx
