#include "orblib47/source/NGC/DrawFrame.h"

#include "console/host/host.h"
#include "console/vi.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/NGC/Clock.h"
#include "orblib47/source/OrbThread.h"

s_draw_context DrawContext;

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

s_thread* DrawThreadTask = nullptr;

// Closing the window asks the program to quit; the frame step acts on it.
void RequestQuit() {
    QuitRequested = 1;
}

// Waits until the frame has lasted its minimum number of retraces, giving the time
// to the idle callback; the buffer then flips in the retrace callback. A frame that
// is already late waits one more retrace.
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
    ClockResetTimer(1);
}

}  // namespace

s32 DoNothingCallback(s32) {
    return 0;
}

e_error_code DrawColdReset(u32 videoMode) {
    // Power-on state of the frame globals, so that the engine can be started again
    // in the same process (tests do) and behave exactly as the first time.
    DrawContext = s_draw_context{};
    DrawThreadTask = nullptr;
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
    DEBUG_PRINT("Setting Warning Level to ALL\n");
}

e_error_code DrawWarmReset(u32) {
    DrawHardwareWarmReset();
    // The frame boundary is registered once, however often the engine is warm-reset.
    if (DrawThreadTask == nullptr) {
        DrawThreadTask = ThreadInsertPriorityDebug("DrawThread", nullptr, nullptr, DrawThread, nullptr, 3200);
    }
    return RET_NO_ERROR;
}

void DrawHardwareWarmReset() {
    FlipOnIRQ = 0;
    ClockResetTimer(1);
    GameTime = 0.0f;
    MinVblCount = 1;
}

void DrawStartup(s32) {}

void DrawExit() {}

void DrawThread(s_thread*, void*) {
    DrawEndFrame();
    FrameCount += 1;
}

void DrawEndFrame() {
    CPUTime = ClockGetHiresTimer(1);
    WaitForMinimumRetraces();
    AdvanceFrameClocks();
}

void GpuVblankIRQ(u32) {
    ++VblCount;
    ++VblTickCount;
    ++VBlankCount;
    if (FlipOnIRQ && VblCount >= MinVblCount)
        FlipOnIRQ = 0;
}

void DrawWait() {
    VIWaitForRetrace();
}
