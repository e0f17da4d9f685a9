// The frame clocks: the globals every timed module reads, advanced by the frame
// boundary (NGC/DrawFrame.cpp).
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr f32 MAX_FRAME_DURATION = 1.0f / 30.0f;

extern u32 ScreenFrameRate;  // retraces per second
extern f32 FrameDuration;    // seconds per retrace
extern u32 FrameCount;       // frames finished since the cold reset
extern u32 PassCount;        // frame-boundary passes
extern u32 VBlankCount;      // retraces since start, never reset
extern u32 VblCount;         // retraces since the end of the previous frame
extern u32 VblTickCount;     // retraces since the cold reset
extern u32 LastVblCount;     // retraces the last frame took
extern u32 MinVblCount;      // minimum retraces per frame
extern f32 RealDeltaTime;    // seconds the last frame took (clamped)
extern f32 DeltaTimeScale;
extern f32 DeltaTime;  // RealDeltaTime x DeltaTimeScale
extern f32 GameTime;   // accumulated RealDeltaTime since the warm reset
extern f32 CPUTime;
extern f32 TestTime;
