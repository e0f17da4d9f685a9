// The tournament standings of the pro league: its eight best bowlers by average
// with their tournament wins, high games and earnings, the player's row picked out
// (a player ranked lower takes the last row with his own place).
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/CareerStandings.h"
#include "source/Flash/FlashLocals.h"

class CLeague;

extern SFP_SCREEN_INFO_t CareerTournStandingsFlashScreen;

class CCareerTournStandingsFlash
    : public CFlashScreen<CCareerTournStandingsFlash, CareerTournStandingsFlashScreen> {
public:
    // Builds the rows' texts from the current league.
    CCareerTournStandingsFlash();

    void Open();
    void Close();
    void Update(SFP_SCREEN_INFO_t* info);

    u32 m_Current = 0;
    CLeague* m_League = nullptr;
    s32 m_PlayerPos = -1;
    char PlaceStrings[STANDING_ROWS][12] = {};
    char NameStrings[STANDING_ROWS][20] = {};
    char WinStrings[STANDING_ROWS][12] = {};
    char HSGStrings[STANDING_ROWS][12] = {};
    char ScoreStrings[STANDING_ROWS][12] = {};
    char EarningsStrings[STANDING_ROWS][12] = {};
};
