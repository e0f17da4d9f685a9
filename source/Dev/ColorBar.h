// The colour-bar screen: a video test pattern for checking a television's levels
// (colour bars at studio levels with a black-level legend, or a 32-step grey
// ramp), drawn by a task of its own; A on any pad switches between the two.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_thread;

// One rectangle of the pattern, in a 640 x 480 frame scaled to the screen.
struct s_color_bar_def {
    s_Vector2 pos;  // top-left corner
    f32 w, h;
    u32 color;  // 0xRRGGBBAA
};

constexpr s32 numColorBars = 22;
constexpr s32 COLOR_BAR_RAMP_STEPS = 32;
constexpr u32 COLOR_BAR_THREAD_PRIORITY = 4500;

extern const s_color_bar_def ColorBars[numColorBars];
extern s_thread* ColorBarDrawThreadPtr;
extern s32 ColorBarPattern;  // 1 the bars, 0 the grey ramp
extern f32 ColorBarScaleX;   // screen width / 640
extern f32 ColorBarScaleY;   // screen height / 480

// Scales to the screen, starts the task unless it runs, selects the bars and
// clears to black.
void ColorBarStartup();
void ColorBarShutDown();
void ColorBarDrawThread(s_thread* task, void* record);

// The grey of ramp step 0..31 (0xRRGGBBAA): near-black, then 8 levels a step; the
// last step, one past the 8-bit range, is white.
u32 ColorBarRampColor(s32 step);

// Start-up values; the task's handle is forgotten (the task pool was remade).
void ColorBarColdReset();
void ColorBarWarmReset();
