// INTERIM: stand-ins for the career screens still to come (overview, attributes,
// statistics, event select, league and tournament standings), with the
// names and calls the career flow uses. None has a movie: its handles stay -1,
// and the career flow takes a screen without its movie as backing out at once.
#pragma once

#include "orblib47/source/OrbTypes.h"

class EventManager;

class CCareerInterimScreen {
public:
    s32 LoadBG() { return 0; }
    s32 Load() { return 0; }
    void OpenBG() {}
    void Open() {}
    void CloseBG() {}
    void Close() {}
    void KillBG() {}
    void Kill() {}

    s32 m_iScreen = -1;
    s32 m_iScreenBG = -1;
};

class CCareerOverviewFlash : public CCareerInterimScreen {};
class CCareerAttributesFlash : public CCareerInterimScreen {};
class CCareerStatsFlash : public CCareerInterimScreen {};
class CCareerLeagueStandingsFlash : public CCareerInterimScreen {};
class CCareerTournStandingsFlash : public CCareerInterimScreen {};

class CCareerEventSelectFlash : public CCareerInterimScreen {
public:
    s32 Load(EventManager*) { return 0; }
    void Simulate() {}
    void SkipEvent() {}

    s32 bPausedInput = 0;
};
