// Stand-ins until the level manager lands; the owner deletes this file.
#include "source/LevelMgr.h"
#include "source/Sandbox.h"

s_InGameScreenHooks g_InGameScreens{};
void InGameScreensDefault() {}
CLevelMgr g_LevelMgr;
void CLevelMgr::LoadLevel(const s_LevelMgrDef*) {}
s32 CLevelMgr::IsLevelLoaded() {
    return 1;
}
void CLevelMgr::Init() {}
void CLevelMgr::Update() {}
void CLevelMgr::FreeLevel() {}
void CLevelMgr::Deinit() {}
void GameCutScenePause() {}
void GameCutSceneResume() {}
void LevelLaunchStart(s32) {}
void LevelLaunchUpdate() {}
const s_LevelMgrDef LevelMgrLevelList[1] = {};
const s32 LevelMgrLevelCount = 0;
void CCamera::SetAutoCameraMode(s32 mode) {
    m_cameraMode = mode;
}
void CCamera::SetLookAt(const s_Vector3*) {}
void CCamera::SetPosition(const s_Vector3*) {}
void CCamera::Update() {}
void CCamera::SetFreeMode(CCamera*, s32) {}
void Sandbox::init() {}
void Sandbox::SetSeed(u32) {}
