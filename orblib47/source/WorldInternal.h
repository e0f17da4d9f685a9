// The world module's shared state and its parts, for its own files and tests.
#pragma once

#include "orblib47/source/World.h"

struct s_thread;

// The most lights the opaque pass keeps of a selection: the nearest ones.
constexpr s32 WORLD_MAX_LIGHTS = 16;

extern s_world* World;
extern s_world_render_list* WorldDrawList;
extern s32 NumWorldDraw;
extern s32 WorldWaitingLoad;
extern s32 WorldRenderEnabled;

// --- WorldChunk.cpp

// The world of a "WRL" chunk as a native record pointing into `data`, the atoms
// and the octree swapped in place; null, after one line, for a bad chunk.
s_world* WorldParseChunk(const char* name, u8* data, u32 size);

// --- WorldRender.cpp

void WorldRenderThread(s_thread* task, void* record);
void WorldRenderAlphaThread(s_thread* task, void* record);
