#include "source/LevelCutScene.h"

#include <cstdio>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "source/LevelMgr.h"

s32 g_CutScenePaused = 0;

namespace {

s_orb_cut_scene* s_intro = nullptr;
void* s_script = nullptr;  // the image s_intro plays, when read by LevelCutScenePlay
f32 s_introTime = 0.0f;    // counted by the camera, frame by frame, from the level's start
bool s_sweeping = false;
f32 s_sweepStart = 0.0f;
f32 s_sweepSeconds = 0.0f;

void Hold() {
    if (s_intro == nullptr)
        return;
    if (g_CutScenePaused)
        s_intro->flags |= u_cs_flags::Paused;
    else
        s_intro->flags &= ~u_cs_flags::Paused;
}

// The sweep is held at the head of the queue until the camera's time has passed
// its end.
s32 Sweep(const s_cs_cmd_queue* entry) {
    if (!s_sweeping) {
        s_sweeping = true;
        s_sweepStart = entry->cmd.time;
        s_sweepSeconds = 0.0f;
        ChunkReader(entry->data, u32(entry->cmd.size)).F32(0, &s_sweepSeconds);
    }
    return s_introTime - s_sweepStart < s_sweepSeconds ? 1 : 0;
}

s32 GameCommand(s_orb_cut_scene*, s_cs_cmd_queue* entry, s32 reason, s_cs_cmd* cmd) {
    if (reason == 1 && cmd->type == CS_CMD_TYPE_GAME_GAMESTATE_SET && cmd->parm == LEVEL_CUTSCENE_INTRO_SWEEP)
        return Sweep(entry);
    return 0;
}

}  // namespace

void LevelCutScenePlay(const char* name) {
    char file[CS_FILENAME_LEN];
    std::snprintf(file, sizeof(file), "%s.CSF", name);
    u32 size = 0;
    void* script = FileExist(file) ? FileLoad(file, &size) : nullptr;
    LevelCutSceneStart(script != nullptr ? OrbCutScenePlay(script, size, 0, 1.0f) : nullptr);
    s_script = script;
}

void LevelCutSceneStart(s_orb_cut_scene* cutscene) {
    LevelCutSceneStop();
    s_intro = cutscene;
    if (s_intro != nullptr)
        s_intro->cmdHandler = GameCommand;
    Hold();
}

bool LevelCutScenePlaying() {
    return OrbCutScenePlaying(s_intro);
}

f32 LevelCutSceneIntroAdvance(f32 dt) {
    if (!g_CutScenePaused)
        s_introTime += dt;
    if (!s_sweeping || s_sweepSeconds <= 0.0f)
        return s_sweeping ? 1.0f : 0.0f;
    return (s_introTime - s_sweepStart) / s_sweepSeconds;
}

void LevelCutSceneStop() {
    OrbCutSceneStop(s_intro);
    if (s_script != nullptr)
        HeapMallocFree(s_script);
    LevelCutSceneForget();
}

void LevelCutSceneForget() {
    s_intro = nullptr;
    s_script = nullptr;
    s_introTime = 0.0f;
    s_sweeping = false;
}

void GameCutScenePause() {
    g_CutScenePaused = 1;
    Hold();
}

void GameCutSceneResume() {
    g_CutScenePaused = 0;
    Hold();
}
