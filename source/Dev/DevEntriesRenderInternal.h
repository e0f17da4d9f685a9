// What the rendering tests share: their frame loop and their exit line.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/OrbTypes.h"

// Engine start-up for a test, the fade in from black and the clear colour black.
void RenderTestStart();
// Runs frames (calling `input`, if any, after each) until Plus is newly pressed
// or the frame limit comes.
void RenderTestWait(void (*input)());
// RenderTestWait with the test's draw task registered.
void RenderTestRun(const char* taskName, ThreadFunc draw, void* record, void (*input)());
// `text` centred at the foot of the screen in the system font.
void RenderTestExitLine(const char* text = "Press \x8E to Exit");

// The state a test's task draws in, put back as it was when the task ends: white,
// unculled, alpha-combined, under `projection`; with `overAll`, also drawn over
// everything with the depth buffer written, untextured.
class RenderTestDrawState {
public:
    RenderTestDrawState(e_PROJ_MODE projection, bool overAll);
    ~RenderTestDrawState();
    RenderTestDrawState(const RenderTestDrawState&) = delete;
    RenderTestDrawState& operator=(const RenderTestDrawState&) = delete;

private:
    e_PROJ_MODE m_projection;
    e_CULL_MODE m_cull;
    e_COMBINE_MODE m_combine;
    u32 m_flat;
    bool m_overAll;
    e_ZBUF_MODE m_zMode{};
    s32 m_zWrite = 0;
    s_texture* m_texture = nullptr;
};
