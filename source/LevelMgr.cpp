#include "source/LevelMgr.h"

#include <cstdio>
#include <cstring>

#include "orblib47/source/Collision.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Instance.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Projector.h"
#include "orblib47/source/Scene.h"
#include "orblib47/source/SceneLight.h"
#include "source/AlleyNPCManager.h"
#include "source/Dev/GameEdit.h"
#include "source/GameSettings.h"
#include "source/LevelCutScene.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Objects/Object.h"
#include "source/Physics/LaneManager.h"
#include "source/Players/Player.h"

CLevelMgr g_LevelMgr;
s_InGameScreenHooks g_InGameScreens;

namespace {

// Pause opens and closes on + of the bowler's remote.
constexpr u32 kPauseButton = PAD_PLUS;
// An attract game gives way after this long, or at once to any button.
constexpr f32 kAttractSeconds = 60.0f;
constexpr const char* kSkySuffix = "SKY";

// The pad of the bowler up; an unmapped bowler uses the first.
s32 BowlerPad() {
    const s32 pad = g_GameSettings.GetControllerMapping(Physics.iCurrentBowler);
    return pad >= 0 && pad < PAD_COUNT ? pad : 0;
}

void DefaultPauseOpen() {
    SetGamePause(1);
    GameCutScenePause();
}

s32 DefaultPauseUpdate() {
    if (!LevelPausePressed())
        return 0;
    SetGamePause(0);
    GameCutSceneResume();
    return 1;
}

void NoKudos(e_Kudos) {}
s32 KudosNeverActive() {
    return 0;
}
void NoKudosKill() {}

PinMask s_pickPinsSetup = PIN_MASK_ALL;
void KeepPinsOpen(PinMask current) {
    s_pickPinsSetup = current;
}
s32 KeepPinsDone(PinMask* chosen) {
    *chosen = s_pickPinsSetup;
    return 1;
}

// Collects one finished load: the archive, or a one-line error.
void Collect(s_wad_status*& status, s_wad*& wad, const char* name) {
    if (status == nullptr)
        return;
    s32 done = 0;
    s_wad* loaded = WadLoadStatus(status, &done);
    if (!done)
        return;
    status = nullptr;
    wad = loaded;
    if (wad == nullptr)
        DEBUG_PRINT("LevelMgr: the archive %s did not load\n", name);
}

void Free(s_wad*& wad) {
    if (wad != nullptr)
        WadFree(wad);
    wad = nullptr;
}

}  // namespace

s32 LevelPausePressed() {
    return (Pad[BowlerPad()].bnew & kPauseButton) != 0;
}

void InGameScreensDefault() {
    g_InGameScreens = {DefaultPauseOpen, DefaultPauseUpdate, NoKudos, KudosNeverActive, NoKudosKill,
                       KeepPinsOpen,     KeepPinsDone,       nullptr, nullptr};
    s_pickPinsSetup = PIN_MASK_ALL;
}

void CLevelMgr::LoadLevel(const s_LevelMgrDef* level) {
    m_pLevel = level;
    m_bLoadFailed = 0;
    if (m_HudWad == nullptr) {
        m_HudWad = WadLoad(ALLEY_HUD_FONT_WAD, 0);
        if (m_HudWad == nullptr)
            DEBUG_PRINT("LevelMgr: the archive %s did not load\n", ALLEY_HUD_FONT_WAD);
    }
    m_LevelLoad = WadLoadAsync(level->archive, 0);
    m_NpcLoad = WadLoadAsync(ALLEY_NPC_WAD, 0);
    m_SfxLoad = WadLoadAsync(ALLEY_SFX_WAD, 0);
    m_bLoadFailed = m_LevelLoad == nullptr;
}

s32 CLevelMgr::IsLevelLoaded() {
    if (m_pLevel == nullptr)
        return 0;
    const bool levelPending = m_LevelLoad != nullptr;
    Collect(m_LevelLoad, m_LevelWad, m_pLevel->archive);
    Collect(m_NpcLoad, m_NpcWad, ALLEY_NPC_WAD);
    Collect(m_SfxLoad, m_SfxWad, ALLEY_SFX_WAD);
    if (levelPending && m_LevelLoad == nullptr && m_LevelWad == nullptr)
        m_bLoadFailed = 1;
    return m_LevelWad != nullptr && m_NpcLoad == nullptr && m_SfxLoad == nullptr;
}

void CLevelMgr::Init() {
    if (m_pLevel == nullptr)
        return;
    GameEditStartup();
    const char* scene = m_pLevel->scene;
    m_GameData = GameDataLoad(scene, nullptr, 0);
    m_World = WorldLoad(scene, nullptr, 0);
    m_EngineSceneLights = MaxSceneLights;
    SceneLightsWarmReset(InstanceGetNumInstancesByType(INSTANCE_TYPE_INSTANCE_SCENE_LIGHT));
    // The level's projectors join the manager as the instance list creates them.
    if (ProjectorWarmReset() == 0)
        DEBUG_PRINT("LevelMgr: the projector manager did not start\n");
    CInstanceList::Enable(1);
    char sky[MAX_LONG_NAME_SIZE];
    std::snprintf(sky, sizeof(sky), "%s%s", scene, kSkySuffix);
    if (OrbScene.Startup(scene, sky) != RET_NO_ERROR || OrbScene.m_Model == nullptr)
        DEBUG_PRINT("LevelMgr: the scene %s did not start\n", scene);
    OrbScene.m_Ambient = m_BackgroundAmbient;

    m_bForfeited = 0;
    m_bPaused = 0;
    m_AttractTime = 0.0f;
    g_HUDDraw = 1;  // the HUD is the game's whichever flow started it
    if (bAttractModeEnabled) {
        for (CPlayer& player : g_Players)
            player.bIsHumanPlayer = 0;
    }
    // The intro sweeps down from the level's camera start, when it has one.
    if (m_GameData != nullptr) {
        const s_GAME_DATA& data = *m_GameData->m_Header;
        for (s32 i = 0; i < data.numPlaceHolder; ++i)
            if (std::strcmp(data.placeHolderList[i].name, ALLEY_CAMERA_START) == 0)
                m_GameCamera.m_introFrom = data.placeHolderList[i].pos;
    }
    m_GameCamera.SetAutoCameraMode(E_CAMERA_MODE_INTRO);
    GameCutSceneResume();
    LevelCutScenePlay(LEVEL_CUTSCENE_INTRO);
    m_bStarted = 1;
    if (g_InGameScreens.LevelLoaded != nullptr)
        g_InGameScreens.LevelLoaded();
    if (m_pLevel->init != nullptr)
        m_pLevel->init();
}

void CLevelMgr::Update() {
    if (m_pLevel == nullptr)
        return;
    if (m_bPaused) {
        const s32 answer = g_InGameScreens.PauseUpdate();
        if (answer != 0)
            m_bPaused = 0;
        if (answer == 2) {
            // Quitting a career game that counts forfeits it.
            const s_GameSettingsRecord& game = g_GameSettings.m_Current;
            m_bForfeited = game.gameMode == eGameMode_Career && game.gameType != eGameType_Practice;
            if (m_bForfeited)
                Physics.ForfeitGame(0);  // the career's bowler
            m_bActive = 0;
            SetGamePause(0);
            GameCutSceneResume();
        }
    } else if (LevelPausePressed() && !GamePaused()) {
        g_InGameScreens.PauseOpen();
        m_bPaused = 1;
    }
    if (bAttractModeEnabled && m_bActive) {
        m_AttractTime += RealDeltaTime;
        if (m_AttractTime >= kAttractSeconds || PadAny.bnew != 0)
            m_bActive = 0;
    }
    g_LevelIsPlaying = m_bActive && !GamePaused();
    if (!GamePaused() && m_pLevel->update != nullptr)
        m_pLevel->update();
    m_GameCamera.Update();
}

void CLevelMgr::FreeLevel() {
    LevelCutSceneStop();
    const bool started = m_bStarted != 0;
    if (started) {
        if (g_InGameScreens.LevelFreed != nullptr)
            g_InGameScreens.LevelFreed();
        if (m_pLevel->deinit != nullptr)
            m_pLevel->deinit();
        OrbScene.Shutdown();
        CInstanceList::Enable(0);
        m_bStarted = 0;
    }
    if (m_World != nullptr)
        WorldFree(m_World);
    m_World = nullptr;
    if (m_GameData != nullptr)
        GameDataFree(m_GameData);
    m_GameData = nullptr;
    // Loads still under way are collected first so nothing arrives after the free.
    while (m_LevelLoad != nullptr || m_NpcLoad != nullptr || m_SfxLoad != nullptr) {
        IsLevelLoaded();
        if (m_LevelLoad != nullptr || m_NpcLoad != nullptr || m_SfxLoad != nullptr)
            EventWait(1);
    }
    Free(m_LevelWad);
    Free(m_NpcWad);
    Free(m_SfxWad);
    Free(m_HudWad);
    // The level's lights went with its instances; the engine's own pool comes back.
    if (started) {
        SceneLightsShutdown();
        SceneLightsWarmReset(m_EngineSceneLights);
    }
    // Last: the level archive's game data held the instances and their projectors.
    ProjectorShutdownThreads();
    ProjectorShutdownMemory();
}

void CLevelMgr::Deinit() {
    bAttractModeEnabled = 0;
    CollisionWorldModel = nullptr;
    m_bPaused = 0;
    m_pLevel = nullptr;
    g_LevelIsPlaying = 0;
    m_GameCamera.SetAutoCameraMode(E_CAMERA_MODE_INVALID);
    GameEditShutdown();
}
