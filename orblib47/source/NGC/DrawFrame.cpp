#include "orblib47/source/NGC/DrawFrame.h"

#include "console/gx.h"
#include "console/host_services.h"
#include "console/vi.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/Clock.h"
#include "orblib47/source/NGC/DrawColor.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/Screenshot.h"

u32 ScreenFrameRate = 60;
f32 FrameDuration = 1.0f / 60.0f;
u32 FrameCount = 0;
u32 PassCount = 0;
u32 VBlankCount = 0;
u32 VblCount = 0;
u32 VblTickCount = 0;
u32 LastVblCount = 0;
u32 MinVblCount = 1;
f32 RealDeltaTime = 0.0f;
f32 DeltaTimeScale = 1.0f;
f32 DeltaTime = 0.0f;
f32 GameTime = 0.0f;
f32 CPUTime = 0.0f;
f32 TestTime = 0.0f;
s32 QuitRequested = 0;
s32 FlipOnIRQ = 0;
AppIdleCallbackFunc AppIdleCallback = DoNothingCallback;

namespace {

u8 ScreenshotBuffer[SCRNSHOT_SHARE_MEMORY_SIZE];

constexpr u32 kClearDepth = 0xFFFFFF;

u32 DisplayCopyClear = 0;

// A one-frame request that the display copy leave the picture in place, and
// whether the last copy did.
bool KeepPicture = false;
bool PictureKept = false;

// Closing the window asks the program to quit; the frame step acts on it.
void RequestQuit() {
    QuitRequested = 1;
}

bool FrameDrawn() {
    return GXReadDrawSync() == GPU_FRAME_DONE_TOKEN;
}

bool Finished() {
    return GXReadDrawSync() == GPU_FINISH_TOKEN;
}

void ShowActiveBuffer() {
    VISetNextFrameBuffer(FrameBuffer[ActiveBuffer]);
    VIFlush();
}

// The whole picture into the display buffer; the clear covers colour, alpha and depth.
void SetUpDisplayCopy() {
    GXSetZMode(GX_TRUE, GX_LEQUAL, GX_TRUE);
    GXSetColorUpdate(GX_TRUE);
    GXSetDispCopySrc(0, 0, rmode->fbWidth, rmode->efbHeight);
    GXSetDispCopyDst(rmode->fbWidth, rmode->xfbHeight);
    GXSetAlphaUpdate(GX_TRUE);
}

// Lets a host pull the finished picture, copies it into the active display buffer
// and waits (bounded) until the GPU has finished it.
void FinishPicture() {
    SetUpDisplayCopy();
    SCREENSHOTService(FrameBuffer[ActiveBuffer], ScreenshotBuffer, sizeof ScreenshotBuffer);
    GXCopyDisp(FrameBuffer[ActiveBuffer], KeepPicture ? GX_FALSE : GX_TRUE);
    PictureKept = KeepPicture;
    KeepPicture = false;
    GXSetAlphaUpdate(GX_FALSE);
    GXSetDrawDone();
    GXSetDrawSync(GPU_FRAME_DONE_TOKEN);
    GpuWaitFor(FrameDrawn, "DrawEndFrame");
}

// Waits until the frame has lasted its minimum number of retraces, giving the time
// to the idle callback; the buffer then flips in the retrace callback. A frame that
// is already late waits one more retrace and flips at the following one.
void WaitForMinimumRetraces() {
    FlipOnIRQ = 0;
    if (VblCount < MinVblCount) {
        FlipOnIRQ = 1;
        while (VblCount < MinVblCount) {
            if (AppIdleCallback(1) == 0) {
                VIWaitForRetrace();
            } else {
                HostChargeIdleWork();
            }
        }
    } else {
        VIWaitForRetrace();
        ShowActiveBuffer();
    }
}

void AdvanceFrameClocks() {
    RealDeltaTime = FrameDuration * f32(VblCount);
    if (RealDeltaTime > MAX_FRAME_DURATION && RealDeltaTime > FrameDuration * f32(MinVblCount)) {
        RealDeltaTime = MAX_FRAME_DURATION;
    }
    DeltaTime = RealDeltaTime * DeltaTimeScale;
    GameTime += RealDeltaTime;
    LastVblCount = VblCount;
    VblCount = 0;
    PassCount += 1;
    ActiveBuffer = s32(PassCount & 1);
    GpuBufferPtr = FrameBuffer[ActiveBuffer];
    ClockResetTimer(1);
}

void DrawFadeOverlay(const s_viewport* viewport) {
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetFlatColor(viewport->fadeColor);
    DrawSetCombineMode(DC_COMBINE_ALPHA);
    DrawSetConstantZ(0.0f);
    DrawSetTexture(nullptr);
    DrawFilledIrect(&viewport->rect);
}

}  // namespace

s32 DoNothingCallback(s32) {
    return 0;
}

e_error_code DrawColdReset(u32 videoMode) {
    // Power-on state of the frame globals, so that the engine can be started again
    // in the same process (tests do) and behave exactly as the first time.
    DrawContext = s_draw_context{};
    VBlankCount = VblCount = LastVblCount = 0;
    RealDeltaTime = DeltaTime = GameTime = CPUTime = 0.0f;
    QuitRequested = 0;
    MinVblCount = 1;
    ScreenFrameRate = 60;
    FrameDuration = 1.0f / f32(ScreenFrameRate);
    FrameCount = 0;
    DeltaTimeScale = 1.0f;
    TestTime = 0.0f;
    AppIdleCallback = DoNothingCallback;
    DrawHardwareColdReset(videoMode);
    return RET_NO_ERROR;
}

void DrawHardwareColdReset(u32) {
    PassCount = 0;
    FlipOnIRQ = 0;
    FrameDuration = 1.0f / f32(ScreenFrameRate);
    ClockResetTimer(0);
    VISetPostRetraceCallback(GpuVblankIRQ);
    HostSetQuitCallback(RequestQuit);
    VblTickCount = 0;
    DisplayCopyClear = 0;
    KeepPicture = PictureKept = false;
    GpuColdReset();
    DrawWarmStateColdReset();
    DEBUG_PROGRESS("Setting Warning Level to ALL\n");
    VIEnableDimming(TRUE);
}

void DrawStartup(s32) {}

void DrawExit() {}

void DrawThread(s_thread*, void*) {
    DrawEndDraw();
    DrawSetRgbaMask(0);
    FrameCount += 1;
    DrawStartDraw();
    DrawSetRgbaMask(255);
}

void DrawStartDraw() {
    u32 polys = 0;
    for (u32& count : DrawContext.stats) {
        polys += count;
        count = 0;
    }
    DrawContext.lastFramePolyCount = polys;
    DrawContext.lastFrameVertCount = 0;
    DrawStartFrame();
    DrawLoadViewport();
    if (DrawContext.viewport->flags & u_viewport_flags::AutoClear)
        DrawClearFrameBuffer(DrawContext.viewport);
}

void DrawEndDraw() {
    const s_viewport* viewport = DrawContext.viewport;
    if (viewport->fadeColor != 0 && FadeShow != 0) {
        DrawFadeOverlay(viewport);
        // Drawn again next frame: over a kept picture it would pile up.
        KeepPicture = false;
    }
    DrawEndFrame();
}

void DrawStartFrame() {
    MSHTime = 0.0f;
    if (rmode->field_rendering) {
        GXSetViewportJitter(0.0f, 0.0f, rmode->fbWidth, rmode->xfbHeight, 0.0f, 1.0f, VIGetNextField());
    } else {
        GXSetViewport(0.0f, 0.0f, rmode->fbWidth, rmode->xfbHeight, 0.0f, 1.0f);
    }
    GXInvalidateVtxCache();
    GXFifoObj fifo;
    GXGetCPUFifo(&fifo);
    void* readPtr = nullptr;
    void* writePtr = nullptr;
    GXGetFifoPtrs(&fifo, &readPtr, &writePtr);
    GXEnableBreakPt(writePtr);
    GXSetDrawSync(GPU_FRAME_START_TOKEN);
}

void DrawEndFrame() {
    CPUTime = ClockGetHiresTimer(1);
    FinishPicture();
    if (BlackFrameCount != 0 && --BlackFrameCount == 0)
        VISetBlack(FALSE);
    WaitForMinimumRetraces();
    AdvanceFrameClocks();
}

void GpuVblankIRQ(u32) {
    ++VblCount;
    ++VblTickCount;
    ++VBlankCount;
    if (FlipOnIRQ && VblCount >= MinVblCount) {
        FlipOnIRQ = 0;
        ShowActiveBuffer();
    }
}

void DrawWait() {
    VIWaitForRetrace();
}

void DrawFinish() {
    GXSetDrawSync(GPU_FINISH_TOKEN);
    GpuWaitFor(Finished, "DrawFinish");
}

void DrawClearFrameBuffer(const s_viewport* viewport) {
    GXSetAlphaUpdate(GX_TRUE);
    DrawSetDisplayCopyClear(viewport->clearColor);
    GXSetAlphaUpdate(GX_FALSE);
}

void DrawKeepPicture() {
    KeepPicture = true;
}

bool DrawPictureKept() {
    return PictureKept;
}

void DrawClearKeptPicture() {
    if (!PictureKept)
        return;
    // Only a copy clears: into the display buffer that the next frame's copy fills.
    SetUpDisplayCopy();
    GXCopyDisp(FrameBuffer[ActiveBuffer], GX_TRUE);
    GXSetAlphaUpdate(GX_FALSE);
    PictureKept = false;
}

void DrawSetDisplayCopyClear(u32 rgba) {
    DisplayCopyClear = rgba;
    DrawRestoreDisplayCopyClear();
}

void DrawRestoreDisplayCopyClear() {
    GXSetCopyClear(GXColorOf(DisplayCopyClear), kClearDepth);
}
