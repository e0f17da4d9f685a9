// The level table: every level the game can load, with its archive and the
// handlers the level manager calls.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_LevelMgrDef {
    const char* name;     // shown by the developer's level list
    const char* archive;  // in "DATA"
    const char* scene;    // scene model, world and game data
    s32 oilPattern;       // database pattern id the level starts with
    void (*init)();       // once loaded and the scene has started
    void (*update)();     // once a frame while the level runs
    void (*deinit)();     // before the level's data is freed
};

constexpr s32 LEVEL_NONE = 0x7FFFFFFF;
constexpr s32 LEVEL_MAX = 32;

extern const s_LevelMgrDef LevelMgrLevelList[];
extern const s32 LevelMgrLevelCount;
