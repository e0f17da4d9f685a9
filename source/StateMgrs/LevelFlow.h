// The level flow: loads the level the screen tracker names (state 0) or the next
// attract-mode level (state 1) behind the loading screen, starts the game (after
// the oil-pattern briefing of a career event), runs it, walks the player through
// the post-game screens and questions and unloads the level.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"

class State;
class CSplashFlash;

constexpr s32 LEVEL_FLOW_ATTRACT_LEVELS = 5;
// The state a caller enters the flow at for attract mode.
constexpr s32 LEVEL_FLOW_ATTRACT = 1;
constexpr f32 LEVEL_FLOW_MIN_LOAD_SECONDS = 6.0f;
// A level that has not arrived after this long is given up with a message.
constexpr f32 LEVEL_FLOW_LOAD_TIMEOUT_SECONDS = 60.0f;
constexpr u32 LEVEL_FLOW_SUMMARY_SIZE = 256;

class LevelFlow {
public:
    // 0 while running, 1 once the level is unloaded.
    s32 run(State& state, s32 depth);

    // The career summary of `flags` (ApplySkillPoints' bits) into `out`, cut to
    // `size` characters; `place` 1 to 3 adds the tournament prize `prize`.
    static void FormatSummary(char* out, u32 size, u32 flags, const s_Character_Stats& stats, s32 repChange,
                              u32 place, u32 prize);

    f32 m_fLoadTimer = 0.0f;
    f32 m_fLoadTime = 0.0f;  // seconds the level has been loading
    s32 m_bLoadFailed = 0;   // the level never came: a message, then back
    s32 PlayAnotherGame = 0;
    ePostGameResult AnotherGame = ePostGameResult_Processing;
    CSplashFlash* m_pSplashFlash = nullptr;
    s32 m_CurrentAttractLevel = -1;
    s32 m_AttractLevels[LEVEL_FLOW_ATTRACT_LEVELS] = {0, 18, 4, 10, 8};

private:
    void StartLoad(s32 level);
    // Waits out the loading screen; gives up on a level that does not come.
    void Loading(State& state, s32 depth);
    // The career's result of the game, one call a frame until it is known; false
    // when there is nothing to ask.
    bool PostGameUpdate();
    void Unload();
    void CareerSummary(State& state, s32 depth);
    void AskAnotherGame();
    void ShowPopup(const char* text);
    void NextLeagueGame(State& state, s32 depth);
};

extern LevelFlow g_LevelFlow;
