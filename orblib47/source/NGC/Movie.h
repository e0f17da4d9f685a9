// Full-screen movies: MoviePlay shows a ".thp" movie centred on a black screen
// with its sound, and returns when it ends, when A or PLUS is pressed, or when it
// cannot be played.
#pragma once

#include "orblib47/source/OrbTypes.h"

extern u8* MovieBuffer;
extern s32 MovieIsAnamorphic;
extern s32 MovieNoAbort;

// `name` without the ".thp"; returns 0.
s32 MoviePlay(const char* name);
void MovieShutDown();
void MovieTHPShutDown();
bool MovieAllocBuffer(u32 size);
void MovieFreeBuffer();
// One opaque black quad over the screen; with `wait`, then one retrace and one frame.
void MovieClearFrameBuffer(s32 wait);
void MovieDrawDone();
// The frame boundary asks; movies never hold it up.
bool MovieIsPlaying();
