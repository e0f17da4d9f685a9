#include "orblib47/source/DrawFade.h"

#include <algorithm>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbThread.h"

e_FADE_TYPE FadeType = FADE_INVALID;
u32 FadeColor = 0;
f32 FadeTime = 0.0f;
f32 FadeTimer = 0.0f;
u32 FadeStartAlpha = 0;
s_thread* FadeThreadPtr = nullptr;
s32 FadeShow = 1;

f32 ClearColorFadeTime = 0.0f;
f32 ClearColorFadeTimer = 0.0f;
u32 ClearColorFadeStartRGB = 0;
u32 ClearColorFadeEndRGB = 0;
s_thread* ClearColorFadeThreadPtr = nullptr;

namespace {

// A fade-in ends clear and a timed fade-out opaque; a zero-time fade-out shows its
// colour's own alpha at once.
u32 FadeAlpha(f32 t) {
    const f32 start = f32(FadeStartAlpha);
    f32 end = 0.0f;
    if (FadeType == FADE_OUT)
        end = FadeTime != 0.0f ? 255.0f : f32(FadeColor & 0xFF);
    return u32(std::clamp(start + (end - start) * t, 0.0f, 255.0f));
}

void FadeThread(s_thread* task, void*) {
    FadeTimer = std::min(FadeTimer + RealDeltaTime, FadeTime);
    const f32 t = FadeTime != 0.0f ? FadeTimer / FadeTime : 1.0f;
    DrawContext.viewport->fadeColor = (FadeColor & 0xFFFFFF00) | FadeAlpha(t);
    if (FadeTimer == FadeTime)
        ThreadKill(task);
}

// Whoever kills a fade task, its pointer goes with it.
void FadeThreadKill(s_thread*, void*) {
    FadeThreadPtr = nullptr;
}

void DrawClearColorFadeThread(s_thread* task, void*) {
    ClearColorFadeTimer += RealDeltaTime;
    // A zero or negative time ends on the target colour rather than dividing by it.
    const f32 t =
        ClearColorFadeTime > 0.0f ? InterpolateOverTime(ClearColorFadeTimer, ClearColorFadeTime, 1.0f) : 1.0f;
    DrawSetClearColor(InterpolateRGB(ClearColorFadeStartRGB, ClearColorFadeEndRGB, t));
    if (ClearColorFadeTimer >= ClearColorFadeTime)
        ThreadKill(task);
}

void ClearColorFadeThreadKill(s_thread*, void*) {
    ClearColorFadeThreadPtr = nullptr;
}

}  // namespace

void DrawFadeWarmReset() {
    // The task list was rebuilt: the old tasks are gone without their kill functions.
    FadeThreadPtr = nullptr;
    ClearColorFadeThreadPtr = nullptr;
    FadeColor = 0;
}

s_thread* DrawFade(e_FADE_TYPE type, u32 rgba, f32 time) {
    if (FadeThreadPtr != nullptr)
        ThreadKill(FadeThreadPtr);
    FadeType = type;
    FadeColor = 0;
    if (type == FADE_OUT)
        FadeColor = time != 0.0f ? rgba & 0xFFFFFF00 : rgba;
    FadeTime = time;
    FadeTimer = 0.0f;
    FadeStartAlpha = DrawContext.viewport->fadeColor & 0xFF;
    FadeThreadPtr = ThreadInsertPriorityDebug("FadeThread", nullptr, nullptr, FadeThread, FadeThreadKill,
                                              FADE_THREAD_PRIORITY);
    return FadeThreadPtr;
}

void DrawWaitFade() {
    while (FadeThreadPtr != nullptr)
        EventWait(1);
}

s32 DrawFading() {
    return FadeThreadPtr != nullptr ? 1 : 0;
}

void DrawResetFade() {
    DrawContext.viewport->fadeColor = 0;
}

void DrawSetClearColor(u32 rgba) {
    s_viewport* viewport = DrawContext.viewport;
    viewport->clearColor = rgba;
    viewport->clearColorVect = {f32(rgba >> 24) / 255.0f, f32((rgba >> 16) & 0xFF) / 255.0f,
                                f32((rgba >> 8) & 0xFF) / 255.0f, f32(rgba & 0xFF) / 255.0f};
}

void DrawFadeClearColor(u32 rgba, f32 time) {
    ClearColorFadeTimer = 0.0f;
    ClearColorFadeTime = time;
    ClearColorFadeStartRGB = DrawContext.viewport->clearColor;
    ClearColorFadeEndRGB = rgba;
    if (ClearColorFadeThreadPtr == nullptr) {
        ClearColorFadeThreadPtr =
            ThreadInsertPriorityDebug("DrawClearColorFadeThread", nullptr, nullptr, DrawClearColorFadeThread,
                                      ClearColorFadeThreadKill, CLEAR_COLOR_FADE_THREAD_PRIORITY);
    }
}
