// The create-a-bowler hand-over record: the name and look of the bowler being
// created or edited, written by the create-a-bowler flows and the pro shop and
// read back by the career's flow.
#pragma once

#include "source/Career/CareerTypes.h"

struct s_TempCACInfo {
    char playerName[CAREER_NAME_SIZE];
    s_Character_Attributes charAttribs;
};

extern s_TempCACInfo g_TempCACInfo;
