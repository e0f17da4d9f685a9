#include "source/DevEntries.h"

#include "orblib47/source/DrawFade.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/OrbLib.h"
#include "source/Flash/TemplateFlash.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/LevelLauncher.h"
#include "source/OrbMain.h"
#include "source/Sandbox.h"
#include "source/StateMgrs/MainFlow.h"

void LevelManagerStart() {
    MainFlowOneTimeCreate();
    g_GameSettings.m_Current.iNumPlayers = g_LevelLaunchOptions.players;
    Sandbox::SetSeed(g_LevelLaunchOptions.seed);
    LevelLaunchStart(g_LevelLaunchOptions.level);
}

void LevelManagerFrame() {
    HardwareCheckFileError();
    LevelLaunchUpdate();
    EventWait(1);
}

s32 LevelManagerMain() {
    LevelManagerStart();
    while (!OrbMainFrameLimitReached() && g_LaunchState != LAUNCH_FAILED)
        LevelManagerFrame();
    LevelLaunchStop();
    return 0;
}

s32 FlashThirdStateTesting() {
    DrawSetClearColor(0x000000FF);
    DrawFade(FADE_IN, 0x000000FF, 1.0f);
    auto* screen = new CTemplateFlash;
    if (screen->Load())
        screen->Open();
    while (screen->m_bActive && !OrbMainFrameLimitReached())
        EventWait(1);
    screen->Kill();
    delete screen;
    return 0;
}
