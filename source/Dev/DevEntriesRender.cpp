#include "source/Dev/DevEntriesRender.h"

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/Dev/ColorBar.h"
#include "source/Dev/DevEntriesRenderInternal.h"
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

RenderTestDrawState::RenderTestDrawState(e_PROJ_MODE projection, bool overAll)
    : m_projection(DrawSetProjection(projection)),
      m_cull(DrawSetCullMode(DC_CULL_NONE)),
      m_combine(DrawSetCombineMode(DC_COMBINE_ALPHA)),
      m_flat(DrawSetFlatColor(0xFFFFFFFF)),
      m_overAll(overAll) {
    if (overAll) {
        m_zMode = DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        m_zWrite = DrawSetZBufferWrite(1);
        m_texture = DrawSetTexture(nullptr);
    }
}

RenderTestDrawState::~RenderTestDrawState() {
    if (m_overAll) {
        DrawSetTexture(m_texture);
        DrawSetZBufferWrite(m_zWrite);
        DrawSetZBufferMode(m_zMode);
    }
    DrawSetFlatColor(m_flat);
    DrawSetCombineMode(m_combine);
    DrawSetCullMode(m_cull);
    DrawSetProjection(m_projection);
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
