#include "source/DevEntriesRender.h"

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/ColorBar.h"
#include "source/DevEntriesRenderInternal.h"
#include "source/OrbMain.h"

void RenderTestStart() {
    OrblibStartup();
    DrawFade(FADE_IN, 0x000000FF, 1.0f);
    DrawSetClearColor(0x000000FF);
}

void RenderTestWait(void (*input)()) {
    while ((Pad[0].bnew & PAD_PLUS) == 0 && !OrbMainFrameLimitReached()) {
        EventWait(1);
        if (input != nullptr)
            input();
    }
}

void RenderTestRun(const char* taskName, ThreadFunc draw, void* record, void (*input)()) {
    s_thread* task =
        ThreadInsertPriorityDebug(taskName, nullptr, record, draw, nullptr, RENDER_TEST_THREAD_PRIORITY);
    RenderTestWait(input);
    ThreadKill(task);
}

void RenderTestExitLine(const char* text) {
    FontSet(SystemFont);
    FontSetJustification(FONT_JUSTIFY_CENTRE);
    FontDrawString(text, 0, f32(DrawContext.screenSize.x) / 2.0f, f32(DrawContext.screenSize.y) - 20.0f);
}

s32 ColorBarTest() {
    OrblibStartup();
    ColorBarStartup();
    DrawFade(FADE_IN, 0x000000FF, 1.0f);
    RenderTestWait(nullptr);
    ColorBarShutDown();
    return 0;
}

s32 StreamTest() {
    return 0;
}
