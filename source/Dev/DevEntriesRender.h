// The launcher's rendering tests: each shows the drawing engine on a bare screen
// until Plus is pressed (or the program's frame limit comes) and returns 0.
#pragma once

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_texture;

constexpr u32 RENDER_TEST_THREAD_PRIORITY = 5100;
// The archive of the text textures ("ARIAL_10", "ARIAL_16", "ARIAL_20"), loaded by
// the tests that show them for as long as they run.
constexpr char RENDER_TEST_WAD[] = "RENDTEST";

s32 PrimitiveDraw2DTest();
s32 PrimitiveDraw2DTextureTest();
s32 PrimitiveDraw3DTest();
s32 ColorBarTest();
s32 DepthOffsetDrawTest();
s32 SceneTest();
// Nothing to show: returns at once.
s32 StreamTest();

// DevEntriesRender2D.cpp: the 2-D test's throw measurement, kept between runs.
extern s32 stickMax;  // the stick x farthest from 0 during the throw, with its sign
extern s32 yMax;      // the stick y when the throw ended
extern s32 startY;    // the stick y that armed the throw; 128 while none runs
extern f32 throwTime;

// One frame's Nunchuk stick (about -128..128, y up) and A button, and its time.
struct s_throw_input {
    s32 x, y;
    bool aNew, aReleased, aHeld;
    f32 dt;
};
// A throw is armed by A pressed with the stick pulled back, ends when A is let go
// or the stick is pushed past 120, and times how long A was held.
void ThrowMeasureFrame(const s_throw_input& in);

// DevEntriesRender3D.cpp.
extern s_Vector3 LineVectors[6];
extern f32 PrimAngle;  // degrees, +1 a frame
extern const e_prim_type Prims[6];
extern const char PrimitiveNames[6][16];
extern const s_Vector3 CoordVectors[6];
extern const s_Vector3 QuadVectors[2];
extern f32 DepthOffset;
extern f32 AngleX;
extern f32 AngleY;
extern s_texture* TestTexture1;  // "ARIAL_10"
extern s_texture* TestTexture2;  // "ARIAL_16"

// The depth-offset test's input of one frame: the stick turns the card, B and A
// (pressed or repeating) step the offset down and up.
void DepthOffsetInputFrame();

// DevEntriesScene.cpp.
extern const s32 TestAnims[3];
extern const s_Vector3 TestPos[8];

// The throw statics' start-up values.
void RenderTestsColdReset();
