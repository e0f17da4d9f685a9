// The images the compiler draws for a movie ("draw" lines of its source).
#pragma once

#include "tools/discbuild/TextureEncoder.h"
#include "tools/sfpcompile/SfpSource.h"

namespace sfpc {

class Canvas;

discbuild::RgbaImage DrawImage(const DrawSource& draw);

// The icons, each in its own colours, as large as fits the canvas and centred.
void DrawRemote(Canvas& canvas);  // a remote control with its wrist strap round a wrist
void DrawPin(Canvas& canvas);     // a bowling pin
void DrawBall(Canvas& canvas);    // a bowling ball

}  // namespace sfpc
