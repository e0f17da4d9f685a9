// The GX/VI back end of the frame: the video mode, the GPU command FIFO, the two
// external (display) frame buffers and the copy filter.
#pragma once

#include "console/gx.h"
#include "orblib47/source/OrbTypes.h"

constexpr u32 GPU_INIT_FIFO_SIZE = 64 * 1024;
constexpr u32 GPU_FIFO_SIZE = 4 * 1024 * 1024;
constexpr u16 GPU_FRAME_DONE_TOKEN = 0xBEEF;
constexpr u16 GPU_FRAME_START_TOKEN = 0xB00B;
constexpr u16 GPU_FINISH_TOKEN = 0xF1F1;
constexpr u32 GPU_BLACK_FRAMES = 8;
// How long the processor waits for the GPU before it reports a hang and goes on.
constexpr u32 GPU_WAIT_RETRACES = 60;

extern void* FrameBuffer[2];    // YUYV
extern u32 XfbFrameBufferSize;  // bytes of one
extern s32 ActiveBuffer;        // the buffer the current frame is copied into
extern void* GpuBufferPtr;      // FrameBuffer[ActiveBuffer]
extern u32 BlackFrameCount;     // frames still shown black
extern f32 GPUTime;             // seconds from the frame start to draw-done
extern f32 MSHTime;
extern GXRenderModeObj* rmode;  // the current render mode

// Power-on state: no FIFO, no frame buffers, GX not initialised.
void GpuColdReset();
// The first call initialises GX over new FIFO buffers; later calls replace them.
// Then the first frames are shown black.
void GpuWarmReset();
// Replaces the FIFO buffers (the command FIFO of `size` bytes) and restores the
// draw state and the texture regions over them.
void DrawAllocPacketBuffers(u32 size);
void GpuDrawDone();

// Returns the previous mode word; a change re-creates the frame buffers.
u32 DrawSetVideoMode(u32 mode);
void GpuSetTvMode(u32 tvMode, u32 mode);
// Returns the current GXPixelFmt; 0..2 switch to it, other values are refused.
s32 DrawSetGXPixelFormat(s32 fmt);
void DrawEnableTextureFiltering();
void DrawDisableTextureFiltering();

// Polls `done` once per retrace; after GPU_WAIT_RETRACES it prints
// "<who>: GPU wait timed out\n" and returns false.
bool GpuWaitFor(bool (*done)(), const char* who);

void GpuStartRender();
void DrawRestoreDrawEnv();
