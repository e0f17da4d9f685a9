// Game objects: a record per thing in the level (ball, pins, pinsetter and sweeper,
// bowlers, walkers, props), each run by its own behaviour task, and the tasks that
// update and draw them every frame.
#pragma once

#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Record.h"

// Switch object drawing, object updating and the HUD.
extern s32 g_ObjDraw;
extern s32 g_ObjUpdate;
extern s32 g_HUDDraw;
// The object pass's debug timing record; null when nobody times it.
extern void* ObjectDebugTimePtr;

// The object tasks (update, stencil, physics debug, draw, shadows): registered by
// the game's warm reset, after the engine's own.
void ObjectWarmReset();

// The bowling level's objects: made once its archives are loaded and its scene has
// started, removed before the level frees them.
void AlleyObjectsCreate();
void AlleyObjectsRemove();
