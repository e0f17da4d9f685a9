// The career's season texts: what the end of a season does to the bowler's
// league, and the popup that presents a league.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"

class CLeague;

struct SeasonEnd {
    eLeagues league;   // the league of the next season
    u32 text;          // the symbol of the season's popup
    s32 championship;  // the bowler won the league
};

// `change` is a LeagueChangeRequired result, `place` the bowler's final place.
SeasonEnd EndOfSeason(eLeagues league, u32 change, u32 place);

// The league's requirements, pay and the league above it, into `out`.
void LeaguePopupText(char* out, u32 size, const CLeague& league);
