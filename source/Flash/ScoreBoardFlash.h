// The end-of-game scoreboard: every player's name, the marks of each ball and
// the running totals, as the lane's score keeper has them.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct SFP_SCREEN_INFO_t;

constexpr s32 SCOREBOARD_NUM_SPRITES = 147;

class CScoreBoardFlash {
public:
    CScoreBoardFlash() = default;
    ~CScoreBoardFlash() { Kill(); }
    CScoreBoardFlash(const CScoreBoardFlash&) = delete;
    CScoreBoardFlash& operator=(const CScoreBoardFlash&) = delete;

    s32 LoadPlayerScores();
    void OpenPlayerScores();
    void ClosePlayerScores();
    void KillPlayerScores();
    void Kill() { KillPlayerScores(); }
    void Update();
    void UpdateScoreBoard();

    // What score slot `slot` (frame * 3 + ball) shows for the value `value`.
    static void ScoreBoxText(s32 value, u32 slot, char* out, u32 size);

    s32 m_iScreenPlayerScores = -1;

private:
    void SetScoreBox(s32 sprite, s32 value, u32 slot);
};

extern SFP_SCREEN_INFO_t scoreBoardFlashScreen;
