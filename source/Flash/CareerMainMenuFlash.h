// The career hub: five entries (the next event, the overview, the league
// standings, a game of practice, the pro shop) beside the career bowler, lit and
// idling. The career flow opens it inside the menus' border and acts on the entry
// chosen (the tracker's m_NextScreen).
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "source/Camera.h"
#include "source/Flash/FlashLocals.h"

// The entries, by button.
enum eCareerHubEntry : s32 {
    CAREER_HUB_EVENT,
    CAREER_HUB_OVERVIEW,
    CAREER_HUB_STANDINGS,
    CAREER_HUB_PRACTICE,
    CAREER_HUB_PROSHOP,
    CAREER_HUB_ENTRIES,
};

extern SFP_SCREEN_INFO_t CareerMainMenuFlashScreen[2];

class CCareerMainMenuFlash : public CFlashPage<CCareerMainMenuFlash, CareerMainMenuFlashScreen> {
public:
    CCareerMainMenuFlash();
    ~CCareerMainMenuFlash();

    s32 LoadBG();  // also frames the bowler's camera
    s32 Load();
    void OpenBG();
    // Also builds the career bowler's figure and starts a standard game.
    void Open();
    void Close();
    void Update(SFP_SCREEN_INFO_t* info);
    void Draw();

    s_Vector3 m_vCurrModelPos{1.44f, -0.99f, -4.0f, 0.0f};
    CCamera m_Camera;
    s32 m_Practice = 0;  // the practice entry's kind: 0 a standard game, 1 practice

private:
    // The practice entry's kind, in the lane, the settings and its text.
    void SetPractice(s32 practice);
    void UpdateIcons(s32 cursor);
};

void CareerMainDrawEvent(s32 handle, SFP_SCREEN_INFO_t* info, char* label);
