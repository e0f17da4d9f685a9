// Screen fades (a one-colour overlay whose alpha runs up or down, drawn by the frame
// boundary over the finished picture) and clear-colour fades of the current
// viewport. Each runs as a per-frame task while it lasts.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_thread;

enum e_FADE_TYPE : s32 {
    FADE_IN = 0,   // the overlay clears away
    FADE_OUT = 1,  // the overlay builds up
    FADE_COUNT = 2,
    FADE_INVALID = 0x7FFFFFFF,
};

constexpr u32 FADE_THREAD_PRIORITY = 4100;
constexpr u32 CLEAR_COLOR_FADE_THREAD_PRIORITY = 32767;

extern e_FADE_TYPE FadeType;
extern u32 FadeColor;  // 0xRRGGBBAA; its alpha byte is 0 while a timed fade runs
extern f32 FadeTime;   // seconds
extern f32 FadeTimer;  // seconds elapsed
extern u32 FadeStartAlpha;
extern s_thread* FadeThreadPtr;
extern s32 FadeShow;  // cleared while the HOME-button menu hides the overlay

extern f32 ClearColorFadeTime;
extern f32 ClearColorFadeTimer;
extern u32 ClearColorFadeStartRGB;
extern u32 ClearColorFadeEndRGB;
extern s_thread* ClearColorFadeThreadPtr;

// Part of the draw warm reset: no fade task, no fade colour.
void DrawFadeWarmReset();

// Replaces a running fade; returns the new fade task.
s_thread* DrawFade(e_FADE_TYPE type, u32 rgba, f32 time);
// Runs frames until no fade task is left.
void DrawWaitFade();
s32 DrawFading();
// Removes the overlay; a running fade carries on.
void DrawResetFade();

void DrawSetClearColor(u32 rgba);
// Moves the clear colour from its current value to rgba over time seconds.
void DrawFadeClearColor(u32 rgba, f32 time);
