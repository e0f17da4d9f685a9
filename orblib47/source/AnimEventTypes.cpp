#include "orblib47/source/Anim.h"
#include "orblib47/source/OrbEnum.h"

const s_orb_enum AnimEventTypes[] = {
    {ANIM_EVENT_TYPE_NULL, "NULL", "NULL"},
    {ANIM_EVENT_TYPE_PAUSE, "PAUSE", "AnimPause"},
    {ANIM_EVENT_TYPE_LOOP_BEGIN, "LOOP_BEGIN", "AnimLoopBegin"},
    {ANIM_EVENT_TYPE_LOOP_END, "LOOP_END", "AnimLoopEnd"},
    {ANIM_EVENT_TYPE_SUB_ANIM_BEGIN, "SUB_ANIM_BEGIN", "AnimSubAnim"},
    {ANIM_EVENT_TYPE_FOOTSTEP_PLAY_RIGHT, "FOOTSTEP_PLAY_RIGHT", "FootstepPlayRight"},
    {ANIM_EVENT_TYPE_FOOTSTEP_PLAY_LEFT, "FOOTSTEP_PLAY_LEFT", "FootstepPlayLeft"},
    {ANIM_EVENT_TYPE_PLAY_SFX, "PLAY_SFX", "PlaySfx"},
    {ANIM_EVENT_TYPE_CUTSCENE_START, "CUTSCENE_START", "CutsceneStart"},
    {ANIM_EVENT_TYPE_GAME_STATE, "GAME_STATE", "GameState"},
    {0, nullptr, nullptr},
};
