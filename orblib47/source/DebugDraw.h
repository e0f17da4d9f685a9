// The debug module's overlays and drawing kit: its assets (two archives, three
// fonts and a sphere), the overlay task that shows one of up to four bottom-of-
// screen panels (minus + 2 on pad 0 steps through them), the bar panels both
// built-in overlays use, and 3-D wire primitives for object, octree and viewer code.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_font;
struct s_model;
struct s_thread;
struct s_wad;

constexpr s32 DEBUG_TIMING_MAX_FUNC = 4;
// Glyphs of DebugIconFont, the icon font of the debug UI.
constexpr u8 DEBUG_ICON_ARROW = 'A';  // the mouse cursor
constexpr u8 DEBUG_ICON_BUSY = 'B';
constexpr u8 DEBUG_ICON_LEFT = 'G';
constexpr u8 DEBUG_ICON_RIGHT = 'H';  // also "play"
constexpr u8 DEBUG_ICON_UP = 'I';
constexpr u8 DEBUG_ICON_DOWN = 'J';
constexpr u8 DEBUG_ICON_SLOWER = 'K';
constexpr u8 DEBUG_ICON_FASTER = 'L';
constexpr u8 DEBUG_ICON_BACK = 'M';
constexpr u8 DEBUG_ICON_STEP = 'N';
constexpr u8 DEBUG_ICON_STOP = 'O';

using DebugTimingFunc = void (*)();

// One bar of a timing panel: a time in seconds drawn as its share of a frame.
struct s_timing_list {
    char name[32];
    volatile f32* var;
    u32 color;  // 0xRRGGBBAA
};

// One heap of the memory panel; memoryInfo writes through the non-null pointers.
struct s_heap_def {
    const char* name;
    u32 color;
    void (*memoryInfo)(u32* freeBytes, u32* totalBytes);
};
constexpr s32 DEBUG_HEAP_DEFS = 2;

extern s_wad* DebugWad;   // "DEBUG", null when missing
extern s_wad* SystemWad;  // "SYSTEM"
extern s_font* DebugFont;
extern s_font* DebugFontLarge;
extern s_font* DebugIconFont;
extern s_model* DebugSphere;
extern DebugTimingFunc DebugTimingFuncList[DEBUG_TIMING_MAX_FUNC];
extern s32 NumDebugTimingFunc;
extern s32 DebugTimingFuncIndex;  // the overlay shown, -1: none
extern s_thread* DebugTimingThreadPtr;
extern s32 DebugTimingDisplay;  // the tools' "Timing" menu tick; nothing draws by it
extern s_heap_def HeapDefs[DEBUG_HEAP_DEFS];
extern s32 HeapDefIndex;  // the heap whose totals the memory panel's header shows

// DebugOverlay.cpp: life cycle, assets and the overlay task.
e_error_code DebugColdReset();
e_error_code DebugWarmReset();
void DebugShutdown();
// A fifth function is ignored.
void DebugTimingAddFunc(DebugTimingFunc func);
void DebugTimingThread(s_thread* task, void* record);

// DebugPanel.cpp: the bar panels.
void DebugDrawMemory();
// Draws `count` bars, each row's time as a share of a frame (full bar: two
// frames), and writes the panel's rectangle back through `panel`.
void DebugDrawTiming(s_Irect16* panel, const s_timing_list* rows, s32 count);

// DebugDraw3D.cpp: primitives in the current 3-D view. `rotation` is X, Y, Z
// Euler angles in radians; the circle lies in its local XZ plane.
void DebugDrawCircle(const s_Vector3* centre, f32 radius, const s_Vector3* rotation, u32 colour, u8 segments);
void DebugDrawSphere(const s_Vector3* centre, f32 radius, u32 colour, u8 numCircles, u8 segments);
void DebugDrawFillSphere(const s_Vector3* centre, f32 radius, u32 colour);
void DebugDrawCoord(const s_Vector3* origin, const s_CoordSys3* axes, f32 length);
// A checkerboard in the plane y = 0 from -size to +size on both axes.
void DebugDrawFilledGrid(s32 cells, f32 size, u32 colourA, u32 colourB);
