// The league standings: the current league's eight best bowlers with their wins,
// losses, win rate, high game and average, the player's row picked out (a player
// ranked lower takes the last row with his own place). A asks for the league's
// management, B goes back; both answer NEXT.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/CareerStandings.h"
#include "source/Flash/FlashLocals.h"

class CLeague;

extern SFP_SCREEN_INFO_t CareerLeagueStandingsFlashScreen;

class CCareerLeagueStandingsFlash
    : public CFlashScreen<CCareerLeagueStandingsFlash, CareerLeagueStandingsFlashScreen> {
public:
    // Builds the rows' texts from the current league.
    CCareerLeagueStandingsFlash();

    void Open();
    void Close();
    void Update(SFP_SCREEN_INFO_t* info);

    u32 m_Current = 0;
    CLeague* m_League = nullptr;
    s32 m_PlayerPos = -1;
    char PlaceStrings[STANDING_ROWS][12] = {};
    char WinStrings[STANDING_ROWS][12] = {};
    char LossStrings[STANDING_ROWS][12] = {};
    char WinPStrings[STANDING_ROWS][12] = {};
    char HSGStrings[STANDING_ROWS][12] = {};
    char ScoreStrings[STANDING_ROWS][12] = {};
    char NameStrings[STANDING_ROWS][20] = {};
};
