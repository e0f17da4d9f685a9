// INTERIM: stand-ins for the career screens still to come (league and tournament
// standings), with the names and calls the career flow uses. None has a movie:
// its handles stay -1, and the career flow takes a screen without its movie as
// backing out at once.
#pragma once

#include "orblib47/source/OrbTypes.h"

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

class CCareerLeagueStandingsFlash : public CCareerInterimScreen {};
class CCareerTournStandingsFlash : public CCareerInterimScreen {};
