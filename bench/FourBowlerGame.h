// The game as the benchmarks time it: the console's full memory, the demo disc,
// four seeded computer bowlers on the home alley from the level's start.
#pragma once

#include "orblib47/source/OrbLib.h"
#include "source/DefaultDisc.h"
#include "source/Dev/DevEntries.h"
#include "source/Levels/LevelLauncher.h"
#include "source/OrbMain.h"
#include "tests/support/TestHost.h"

// `gxThreads` draw the pixels.
inline void StartFourBowlerGame(u32 gxThreads) {
    HostConfig config = TestHostConfig();
    config.mem1Size = HostConfig{}.mem1Size;
    config.mem2Size = HostConfig{}.mem2Size;
    config.discRoot = DefaultDiscRoot();
    config.gxThreads = gxThreads;
    HostInit(config);
    g_LevelLaunchOptions = {LAUNCH_DEFAULT_LEVEL, 4, 0xF, 3};
    OrbMainStartup();
    LevelLaunchBegin();
}
