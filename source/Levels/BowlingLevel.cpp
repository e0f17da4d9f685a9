#include "source/Levels/BowlingLevel.h"

#include "orblib47/source/Collision.h"
#include "orblib47/source/NGC/Cont.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Scene.h"
#include "source/AlleyNPCManager.h"
#include "source/Hud/BowlingHud.h"
#include "source/LevelMgr.h"
#include "source/Levels/Sandbox.h"
#include "source/Objects/Object.h"
#include "source/Physics/LaneManager.h"
#include "source/Physics/PhysicsIdle.h"

namespace {
// The lane runs at 30 frames a second; the time left in each frame goes to the
// physics through the idle callback.
constexpr u32 kLaneRetraces = 2;
constexpr f32 kTiltPlay = 0.1f;
constexpr f32 kTiltSensitivity = 0.9f;
// The hall's even light, under the pools of its two lamps: the lanes, the approach
// and everyone on it are seen clearly.
constexpr u32 kHallAmbient = 0x908880FFu;
constexpr u32 kObjectAmbient = 0x909090FFu;
constexpr u32 kBowlerAmbient = 0x989898FFu;
}  // namespace

void BowlingLevelInit() {
    CollisionWorldModel = OrbScene.m_Model;
    g_LevelMgr.m_BackgroundAmbient = OrbScene.m_Ambient = kHallAmbient;
    g_LevelMgr.m_ObjectAmbient = kObjectAmbient;
    g_LevelMgr.m_PlayerAmbient = g_LevelMgr.m_NpcAmbient = kBowlerAmbient;
    Sandbox::init();
    MinVblCount = kLaneRetraces;
    AppIdleCallback = PhysicsIdleProcess;
    ContSetAccSensitivity(0, kTiltPlay, kTiltSensitivity);
    BowlingHudStart();
    AlleyObjectsCreate();
    Physics.SetOilPattern(g_LevelMgr.m_pLevel->oilPattern);
    Physics.InitLane(1);
}

void BowlingLevelUpdate() {
    for (CNPCBowler& bowler : g_AlleyNPCManager.m_NPCBowlers)
        bowler.run();
    Physics.run();
}

void BowlingLevelDeinit() {
    Physics.StopMusic();
    AlleyObjectsRemove();
    BowlingHudStop();
    MinVblCount = 1;
    AppIdleCallback = DoNothingCallback;
    PadVibeClearAll();
    g_LevelIsPlaying = 0;
}
