// 3-D fonts: "F3D" chunks whose characters are hierarchical models, parsed into
// native records and shared by name through the data registry, loaded and freed
// with their archives; and the module's text state with its two hooks.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_DATA_ENTRY;
struct s_hmodel;

constexpr u32 FONT3D_NAME_LEN = 16;
constexpr s8 FONT3D_NO_CHAR = -1;  // a byte with no character

struct s_font3d_char {
    char FileName[FONT3D_NAME_LEN + 1];  // the character's hierarchical model
    s_hmodel* hmodel;                    // null when that model was not loaded
    f32 HalfWidth;                       // half the model's width; 0 without one
};

// Every charIndex entry is FONT3D_NO_CHAR or an index below numChars.
struct s_font3d {
    s_font3d* next;
    s_font3d* prev;
    s_DATA_ENTRY* dataEntry;
    f32 spacing;     // gap between characters
    f32 spaceWidth;  // advance of a space
    f32 width;       // character width
    s32 numChars;
    s_font3d_char* models;
    s8 charIndex[256];
};

enum e_font3d_coordinate_mode : s32 {
    F3D_COORDINATE_3D = 0,
    F3D_COORDINATE_ORTHO = 1,
};

using Font3DFunc = void (*)();

extern s_font3d* Fonts3D;
extern s_font3d* CurrentFont3D;
extern s32 Font3DMode;
extern s32 Font3DJustification;
extern s_Vector3 Font3DPenLoc;
extern f32 Font3DScaleX;
extern f32 Font3DScaleY;
extern f32 Font3DItalicTilt;
extern s_Vector3 Font3DSpacing;
extern e_font3d_coordinate_mode Font3DCoordinateMode;
extern s_Vector3 Font3DRight;
extern s_Vector3 Font3DOffset;
extern s_Matrix4 Font3DMatrix;
extern s_Matrix4 Font3DCharRot;
extern f32 YSineAngle;
extern Font3DFunc Font3DSpacingFunc;   // advances the pen after a character
extern Font3DFunc Font3DPostCharFunc;  // runs after each character

// --- Font3DChunk.cpp

// Checks a chunk and builds its font record (one heap block, the chunk left
// untouched; links, entry and models empty). Null, after the module's one-line
// error, when the header or the character table lies outside the chunk.
s_font3d* Font3DParseChunk(const char* name, const u8* chunk, u32 size);

// --- Font3D.cpp: loading, sharing and freeing

// The text state's defaults and the two default hooks; no font loaded.
void Font3DWarmReset();
// The "F3D" loader: shares a registered font (freeing `data`), else parses `data`
// (chunk data the WAD loader read, `size` bytes, always freed) and binds each
// character to its hierarchical model, which must already be loaded. The result
// becomes the current 3-D font. Null, after one line, for a bad chunk.
s_font3d* Font3DLoad(const char* name, void* data, u32 size);
void Font3DFree(s_font3d* font);

// --- Font3DState.cpp: the text state and its hooks

e_font3d_coordinate_mode Font3DSetCoordinateMode(e_font3d_coordinate_mode mode);
void Font3DSetSpacingFunc(Font3DFunc func);
void Font3DResetOffset();
// Moves the pen by Font3DSpacing x Font3DRight (per component), turned by the
// rotation and scale of Font3DMatrix.
void Font3DStandardSpacing();
// Rides the characters on a sine wave: the offset's y is 2 sin(YSineAngle), then
// the angle steps on by about 20 degrees.
void Font3DStepY();
