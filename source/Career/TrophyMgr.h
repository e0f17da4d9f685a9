// The trophies of the current career slot: the records of its statistics'
// TrophyProgress, filled from the first, place 0 marking the end. A podium place
// in a tournament adds one; the career flow clears them at the end of a season.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"

// What the event manager reports when the player's part in a career event ends,
// before the level flow calls UpdateTrophies.
struct s_TrophyEventResult {
    u32 eventType;  // eEventType: only eEventType_Tournament earns a trophy
    u32 place;      // the player's final place, 1..3 a podium
    s32 tournamentID;
    u32 season;   // eSeason
    u32 league;   // eLeagues
    u32 weekNum;  // the event's week, as GetCurrentWeekNum gives it
};

class CTrophyMgr {
public:
    // Empties the CAREER_TROPHY_COUNT records and puts the cursor on the first.
    void ClearTrophies(s_TrophyInfo* trophies);
    u32 GetNumTrophies();
    // The trophy under the cursor; an empty record when there are none.
    s_TrophyInfo GetCurrTrophy();
    // Move the cursor with wrap-around and return the trophy it lands on.
    s_TrophyInfo GetNextTrophy();
    s_TrophyInfo GetPreviousTrophy();

    // The result UpdateTrophies will award; a later report replaces it.
    void SetEventResult(const s_TrophyEventResult& result);
    // After a career game: a reported podium place in a tournament adds a trophy
    // (none once the records are full). The report is used once. The model is
    // trophyIndex = (place - 1) + 3 * tier, tier 0 for an amateur league's
    // tournament, 1 for the pro league's, 2 for a major (tournament ID 35 or 37).
    void UpdateTrophies();

    s32 m_nCurrTrophyIndex = 0;

private:
    s_TrophyInfo Move(s32 step);  // step -1, 0 or 1

    s_TrophyEventResult m_PendingResult = {};
    bool m_bResultPending = false;
};

extern CTrophyMgr g_TrophyMgr;
