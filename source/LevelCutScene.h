// The level's intro cut-scene: a ".CSF" script played through the engine's
// cut-scene player, whose game commands the game's handler carries out: its sweep
// moves the level's camera. GameCutScenePause/GameCutSceneResume hold it with the
// game.
#pragma once

#include "orblib47/source/CutScene.h"

// The intro on the disc, beside the level archives.
constexpr const char* LEVEL_CUTSCENE_INTRO = "INTRO";

// GAME_GAMESTATE_SET `parm` values (the game's commands).
enum e_LevelCutSceneState : u32 {
    // Payload: f32 seconds. The camera sweeps from the level's camera start down
    // behind the bowler over that time; later commands wait for it.
    LEVEL_CUTSCENE_INTRO_SWEEP = 1,
};

// Reads the script `name` + ".CSF" whole and plays it from memory, so that its
// clock starts with the level's first frame; without the file there is no intro.
void LevelCutScenePlay(const char* name);
// Plays `cutscene` (null: none) as the intro, stopping one playing.
void LevelCutSceneStart(s_orb_cut_scene* cutscene);
// True until the intro's END has run (or it failed).
bool LevelCutScenePlaying();
// Counts the camera's frame time `dt` (unless the intro is held) and returns how
// far the sweep has come: 0 until its command runs, then 0 to 1 and on.
f32 LevelCutSceneIntroAdvance(f32 dt);
void LevelCutSceneStop();
// The engine's warm reset has freed the record and the script with its heap.
void LevelCutSceneForget();

// Set while the intro is held by GameCutScenePause.
extern s32 g_CutScenePaused;
