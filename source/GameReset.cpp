#include "source/GameReset.h"

#include <memory>

#include "source/AlleyNPCManager.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/PlayerConstruction.h"
#include "source/Career/TempCACInfo.h"
#include "source/Career/TrophyMgr.h"
#include "source/Career/UnlockMgr.h"
#include "source/ControllerMessage.h"
#include "source/Dev/ColorBar.h"
#include "source/Dev/DevEntriesRender.h"
#include "source/Dev/GameEdit.h"
#include "source/Flash/InGameScreens.h"
#include "source/Flash/KeyboardFlash.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/GameSettings.h"
#include "source/Hud/BowlingHud.h"
#include "source/InstanceSceneLight.h"
#include "source/InstanceTextureProject.h"
#include "source/LevelCutScene.h"
#include "source/LevelMgr.h"
#include "source/Levels/LevelLauncher.h"
#include "source/Levels/Sandbox.h"
#include "source/LoadSave/LoadSave.h"
#include "source/Objects/AlleyObjects.h"
#include "source/Objects/Object.h"
#include "source/OrbMain.h"
#include "source/Physics/LaneContext.h"
#include "source/Physics/LaneManager.h"
#include "source/Physics/PhysicsIdle.h"
#include "source/Physics/PinTables.h"
#include "source/Players/Player.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/CacFlow.h"
#include "source/StateMgrs/CareerMainMenuFlow.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/LevelFlow.h"
#include "source/StateMgrs/LoadSaveFlow.h"
#include "source/StateMgrs/MainFlow.h"
#include "source/StateMgrs/MainMenuFlow.h"
#include "source/StateMgrs/ProshopFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/SettingsFlow.h"
#include "source/TextureProject.h"
#include "source/Wii_HomeButton.h"

namespace {

// A global built again in place: exactly its state at program start, also for the
// objects that hold pointers into themselves and cannot be copied.
template <class T, class... Args>
void Rebuild(T& object, Args... args) {
    std::destroy_at(&object);
    std::construct_at(&object, args...);
}

// A game module with global state adds its reset to one of these tables, in its
// place in the order. Cold steps give the module's data its start-up values; warm
// steps forget what the engine's warm reset has just recreated (handles, tasks).
using ResetStep = void (*)();

const ResetStep ColdResetSteps[] = {
    // The database lived in the engine's heap, which the warm reset before these
    // steps has remade: nothing below may read the old tables.
    [] { BowlingDbForget(); },
    [] { InitLookupTables(); },
    [] { Rebuild(PlayerLane, LaneKind::Player); },
    [] { Rebuild(Physics); },
    [] {
        for (CPlayer& player : g_Players)
            Rebuild(player);
    },
    [] { Rebuild(g_AlleyNPCManager); },
    [] { g_NPCPhysicsBowlerIndex = 0; },
    [] { g_LevelIsPlaying = 0; },
    [] { Rebuild(g_LevelMgr); },
    [] { InGameScreensDefault(); },
    [] { g_CutScenePaused = 0; },
    [] { Sandbox::SetSeed(0); },
    [] { g_LaunchState = LAUNCH_IDLE; },
    [] { ObjectColdReset(); },
    [] { Rebuild(g_AlleyLife); },
    [] { CCareerCharacter::DestroyInstance(); },
    [] { Rebuild(g_UnlockMgr); },
    [] { Rebuild(g_TrophyMgr); },
    [] { CareerManagersReset(); },
    [] { g_TempCACInfo = {}; },
    [] { Rebuild(g_GameSettings); },
    [] { Rebuild(g_GameSettingsMirror); },
    [] { Rebuild(g_LoadSave); },
    [] { SFP2KColdReset(); },
    [] { MainMenuFlashColdReset(); },
    [] { KeyboardFlashColdReset(); },
    [] { Rebuild(g_ScreenTracker); },
    // After the player's reset: a popup left up is freed without a movie to kill.
    [] { Rebuild(g_GenPopupFlow); },
    [] { CacFlowColdReset(); },
    [] { g_ProshopFlow.ForgetScreens(); },
    [] { ControllerMessageColdReset(); },
    [] {
        Rebuild(g_MainFlow);
        fAttractTime = 0.0f;
    },
    [] { Rebuild(g_LevelFlow); },
    [] { Rebuild(g_MainMenuFlow); },
    [] { CareerMainMenuFlowColdReset(); },
    [] { Rebuild(g_SettingsFlow); },
    [] { Rebuild(g_LoadSaveFlow); },
    [] { g_ExitToOs = 0; },
    [] { HomeButtonColdReset(); },
    [] { GameEditColdReset(); },
    [] { ColorBarColdReset(); },
    [] { RenderTestsColdReset(); },
};

const ResetStep WarmResetSteps[] = {
    [] { SystemTextWad = nullptr; }, [] { MenuSFXWad = nullptr; },
    [] { PreloadGlobal = nullptr; }, [] { TextureProjectRegisterDrawFunc(); },
    [] { MainFlowForget(); },        [] { BowlingDbForget(); },
    [] { PlayerPartsForget(); },     [] { Physics.ForgetSound(); },
    [] { BowlingHudForget(); },      [] { ObjectWarmReset(); },
    [] { Rebuild(g_AlleyLife); },    [] { SFP2KForget(); },
    [] { HomeButtonForget(); },      [] { InGameScreensForget(); },
    [] { LevelCutSceneForget(); },   [] { GameEditWarmReset(); },
    [] { ColorBarWarmReset(); },
};

}  // namespace

void GameColdReset() {
    for (ResetStep step : ColdResetSteps)
        step();
}

void GameEngineColdReset() {
    CInstanceSceneLight::ColdReset();
    CInstanceTextureProject::ColdReset();
}

void GameWarmReset() {
    for (ResetStep step : WarmResetSteps)
        step();
}
