// The level manager: loads a level from the level table, starts it, runs it a
// frame at a time (pause, attract time-out, the level's handler, the camera) and
// shuts it down.
#pragma once

#include "orblib47/source/GameData.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/World.h"
#include "source/Camera.h"
#include "source/Levels/LevelTable.h"
#include "source/Physics/PhysicsTypes.h"
#include "source/Physics/Scoreboard.h"

// The in-game screens the lane opens (pause, kudos, pick pins). The front end's
// screens install theirs; the defaults work without them: the pause button pauses
// and resumes, kudos show nothing, pick pins keeps the set-up.
struct s_InGameScreenHooks {
    void (*PauseOpen)();
    // 0 while open, 1 resumed, 2 the player quit the game.
    s32 (*PauseUpdate)();
    void (*KudosShow)(e_Kudos kind);
    s32 (*KudosActive)();  // 1 while a kudos screen plays
    void (*KudosKill)();
    void (*PickPinsOpen)(PinMask current);
    // 1 once chosen, with the new set-up in *chosen.
    s32 (*PickPinsDone)(PinMask* chosen);
    // The level has started / is being freed: the screens that live with it.
    void (*LevelLoaded)();
    void (*LevelFreed)();
};
extern s_InGameScreenHooks g_InGameScreens;
// 1 on the frame the bowler's remote presses pause: it opens the pause screen and
// closes it again.
s32 LevelPausePressed();
// Puts the defaults back.
void InGameScreensDefault();

class CLevelMgr {
public:
    // Loads the HUD archive and starts loading the level's archives.
    void LoadLevel(const s_LevelMgrDef* level);
    s32 IsLevelLoaded();
    // Pause screen, camera, scene, the intro cut-scene and the level's init handler.
    void Init();
    // One frame: pause button, attract time-out, the level's update, camera, the
    // pause screen's answer.
    void Update();
    void FreeLevel();
    void Deinit();

    s32 m_bActive = 0;
    s32 bAttractModeEnabled = 0;
    s32 m_bForfeited = 0;
    CCamera m_GameCamera;
    u32 m_BackgroundAmbient = 0x404040FF;
    u32 m_ObjectAmbient = 0x404040FF;
    u32 m_PlayerAmbient = 0x404040FF;
    u32 m_NpcAmbient = 0x404040FF;

    const s_LevelMgrDef* m_pLevel = nullptr;
    s_wad* m_LevelWad = nullptr;
    s_wad* m_HudWad = nullptr;
    s_wad* m_SfxWad = nullptr;
    s_wad* m_NpcWad = nullptr;
    s32 m_bPaused = 0;
    f32 m_AttractTime = 0.0f;
    // The loads LoadLevel started; null once collected.
    s_wad_status* m_LevelLoad = nullptr;
    s_wad_status* m_NpcLoad = nullptr;
    s_wad_status* m_SfxLoad = nullptr;
    // 1 once the level's archive has failed to load: IsLevelLoaded will never say 1.
    s32 m_bLoadFailed = 0;
    s32 m_bStarted = 0;           // Init has run: FreeLevel shuts the level down first
    s32 m_EngineSceneLights = 0;  // the scene-light pool the level's own replaced
    CGameData* m_GameData = nullptr;
    s_world* m_World = nullptr;
};

extern CLevelMgr g_LevelMgr;

// Pause and resume the in-game cut-scene (the level's intro).
void GameCutScenePause();
void GameCutSceneResume();

// The program's way into a game until the front end exists, as the developer's
// level launcher does it: level `level` of the table with the players set up from
// the settings. LevelLaunchUpdate, once a frame, loads it, starts it and plays it.
void LevelLaunchStart(s32 level);
void LevelLaunchUpdate();
// Frees and shuts down the launched level, loaded or still loading.
void LevelLaunchStop();
