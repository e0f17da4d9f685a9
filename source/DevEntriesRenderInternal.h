// What the rendering tests share: their frame loop and their exit line.
#pragma once

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
