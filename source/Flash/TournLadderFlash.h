// The tournament ladder: the knock-out bracket of up to 32 bowlers, eight to a
// page, the career bowler's name highlighted. Round 0 has four pages, round 1 two,
// later rounds one; from the semi-finals the bracket narrows to its last four.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/FlashLocals.h"

constexpr u32 LADDER_PAGE_ROWS = 8;
constexpr u32 LADDER_NAME_SIZE = 20;

extern SFP_SCREEN_INFO_t CareerTournLadderFlashScreen[2];

class CCareerTournLadderFlash : public CFlashPage<CCareerTournLadderFlash, CareerTournLadderFlashScreen> {
public:
    CCareerTournLadderFlash() = default;

    void Open();
    void Close();
    void Update(SFP_SCREEN_INFO_t* info);

    s32 Scrollable = 1;
    u32 m_Current_Page = 0;
    u32 m_MaxPage = 0;
    char NameStrings[LADDER_PAGE_ROWS][LADDER_NAME_SIZE] = {};
    s32 m_PlayerPos = 0;

private:
    void ShowPageArrows();
    void WriteNames(u8 round);
    void Page(s32 step);
};
