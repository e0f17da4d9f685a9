// Drawing a decoded movie picture: the GPU turns the Y, U and V planes into RGB in
// its texture-environment stages.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct GXRenderModeObj;

// Switches the draw layer's pixel format for the movie (once), and back.
void THPDrawInit();
void THPDrawRestore();

// The projection, viewport and the colour-space conversion for drawing planes
// over the render mode's picture.
void THPGXYuv2RgbSetup(const GXRenderModeObj* renderMode);
// Y: textureWidth x textureHeight, U and V half of that, as I8 textures; drawn
// as a width x height quad at (x, y).
void THPGXYuv2RgbDraw(u8* yPlane, u8* uPlane, u8* vPlane, s16 x, s16 y, s16 textureWidth, s16 textureHeight,
                      s16 width, s16 height);
// Returns the state the set-up changed to the draw layer's defaults.
void THPGXRestore();
