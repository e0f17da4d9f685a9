// Engine start-up, configuration, shutdown and the frame step.
#pragma once

#include "orblib47/source/OrbTypes.h"

// The engine configuration: counts and sizes handed to the modules' warm resets.
struct s_orblib_config {
    u32 maxhandle;
    u32 heapsize;
    u8* heapstart;
    u32 maxthread;
    u32 maxviewport;
    u32 maxtexture;
    u32 maxtextureanim;
    u32 maxsprite;
    u32 maxfontdraw;
    u32 maxdata;
    u32 maxname;
    u8* compbufaddr;
    u32 compbufsize;
    u32 filebufsize;
    u32 maxWad;
    u32 maxsfx;
    s32 enableEffects;
    u32 streamRamBufSize;
    u32 streamSpuRamBufSize;
    u32 maxterrain;
    u32 maxmodel;
    u32 maxhmodel;
    u32 maxbone;
    u32 maxhmatrix;
    u32 maxanim;
    u32 maxchannel;
    u32 maxspriteanim;
    u32 maxcollvert;
    u32 maxcollnorm;
    u32 maxcollcache;
    u32 maxcollpoly;
    u32 maxdynavertset;
    u32 maxmorph;
    u32 maxuiobject;
    u32 bufferSize;
    u32 maxSpriteDrawGroup;
    u32 vramReserved;
    u32 maxtcache;
    u32 maxTextureProject;
};

// The product title that the disc-error messages name.
constexpr const char* ORBLIB_GAME_TITLE = "Bowling";

// SceneFlags bits.
constexpr u32 SCENE_FLAG_QUIT_REQUEST = 0x80000000u;
constexpr u32 SCENE_FLAG_GAME_PAUSED = 0x10000000u;
constexpr u32 SCENE_FLAG_AUDIO_HELD = 0x08000000u;
constexpr u32 SCENE_FLAG_IN_CUTSCENE = 0x01000000u;

extern u32 SceneFlags;
extern f32 PlayTime;  // unpaused play time in seconds
extern s32 ScreenShotModeActive;
extern s_orblib_config DefaultConfig;

void OrblibColdReset(u32 videoMode, s_orblib_config* config);
void OrblibDefaultConfig(s_orblib_config* config);
void OrblibWarmReset(u32 videoMode, s_orblib_config* config);
void OrblibStartup();
// Shuts the engine down; a second call finds nothing left to do.
void OrblibExit();
// What the game frees before the engine goes (its screens and data live in the
// engine's pools): run once by the next OrblibExit, however the program leaves.
// The cold reset forgets it.
void OrblibSetGameExit(void (*gameExit)());

// One frame step: advances the play time, honours a quit request, then runs n
// passes of the task list.
void EventWait(s32 n);

s32 SetGamePause(s32 on);
s32 GamePaused();
s32 GameInCutscene();
void ScreenShotEnable(s32 flag);
