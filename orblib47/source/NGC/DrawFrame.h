// The frame boundary: the per-frame task that ends one frame, waits for the
// minimum number of vertical retraces (giving the time to the idle callback),
// advances the frame clocks (NGC/FrameClock.h) and opens the next frame.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbTypes.h"

struct s_thread;
struct s_viewport;

// Called while a frame waits for its minimum retrace count; returns non-zero when it
// did a piece of work and wants to be called again at once, 0 when it has nothing
// left this frame. It must not draw.
using AppIdleCallbackFunc = s32 (*)(s32 busy);
s32 DoNothingCallback(s32 busy);

extern s32 QuitRequested;
extern s32 FlipOnIRQ;
extern AppIdleCallbackFunc AppIdleCallback;

e_error_code DrawColdReset(u32 videoMode);
void DrawHardwareColdReset(u32 videoMode);
e_error_code DrawWarmReset(u32 videoMode);
void DrawHardwareWarmReset();
// Forgets what the first warm reset creates once (the frame task, the viewport pool
// and the main viewport, the anti-aliasing task): the engine is starting afresh.
void DrawWarmStateColdReset();
void DrawStartup(s32 flags);
void DrawExit();

// The frame boundary and its halves.
void DrawThread(s_thread* task, void* record);
void DrawStartDraw();
void DrawEndDraw();
void DrawStartFrame();
void DrawEndFrame();
void GpuVblankIRQ(u32 retraceCount);
void DrawWait();
// Returns once the GPU has drawn everything sent so far, within the frame.
void DrawFinish();
// For a caller that draws the whole screen and may leave it unchanged next frame:
// the next display copy leaves the picture in the frame buffer instead of
// clearing it, unless the frame draws an overlay of its own over it.
void DrawKeepPicture();
// Whether the last display copy left the picture in the frame buffer.
bool DrawPictureKept();
// Clears a kept picture as that copy would have.
void DrawClearKeptPicture();
// The clear colour and depth of the next display copy, from the viewport.
void DrawClearFrameBuffer(const s_viewport* viewport);
// The display copy's clear colour (0xRRGGBBAA, depth 0xFFFFFF), kept so that it can
// be put back after a copy to texture that clears with another colour.
void DrawSetDisplayCopyClear(u32 rgba);
void DrawRestoreDisplayCopyClear();

// The anti-aliasing pass: a non-zero amount blends the bound texture over the
// picture each frame ("DrawFSAAThreadFunc"); 0 stops it.
void DrawSetFSAA(f32 amount);

// DrawTiming.cpp: the timing overlay (registered with the debug overlays by the
// warm reset) and its per-second counts, cleared by the warm reset.
void DrawDrawTiming();
void DrawTimingReset();
s32 DrawEnableMultiSample(s32 on);  // returns the context's multiSampleEnable
void DrawFSAAColdReset();           // no pass running

void DrawRenderToTextureColdReset();  // no render to texture open
