// League management: a bowler in no league picks one of the database's leagues
// and, when it admits him, joins it; a bowler in a league is asked whether to
// quit it. Which view shows follows the membership every frame.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/FlashLocals.h"

constexpr u32 LEAGUE_LIST_ROWS = 3;  // rows A..C of the list window

extern SFP_SCREEN_INFO_t CareerLeagueManagementFlashScreen[2];

class CCareerLeagueManagementFlash
    : public CFlashPage<CCareerLeagueManagementFlash, CareerLeagueManagementFlashScreen> {
public:
    CCareerLeagueManagementFlash() = default;

    void OpenBG();
    s32 Load();
    void Open();
    void Close();
    // 1: the league list; 0: the Yes/No question.
    void HideButtons(s32 hide, SFP_SCREEN_INFO_t* info);
    void SetLeagueListText();
    void ToggleScrollBarPos(SFP_SCREEN_INFO_t* info);
    void Update(SFP_SCREEN_INFO_t* info);

    s32 m_ButtonsShowing = 0;
    const char* m_LeagueNames[6] = {};
    // The list runs over the leagues 1..LastLeague(); the window shows
    // m_iCurrMinIndex..m_iCurrMaxIndex of them.
    u32 m_iCurrMinIndex = 1;
    u32 m_iCurrMaxIndex = 0;
    u32 m_iLeagueIndex = 1;  // the league under the cursor, an eLeagues value
    s32 m_Join = 0;
    s32 m_OnEnter = 0;
    s32 m_Changed = 0;  // the bowler joined or quit a league here

private:
    void InitLeagueListText();
    void ShowLock();
    void MoveIndex(s32 step, SFP_SCREEN_INFO_t* info);
};

// The last league of the list: the database's leagues, 0 when it has none.
u32 LeagueListLast();
