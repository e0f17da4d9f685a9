// The career overview: the bowler's name, skills, reputation, money and league
// average beside the bowler's figure, and a browser of the trophies won. Its first
// button leads to the statistics page, its second shows the trophies (left and
// right turn through them).
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Camera.h"
#include "source/Career/CareerTypes.h"
#include "source/Career/ItemConstruction.h"
#include "source/Flash/FlashLocals.h"

// A formatted number: "$" and ten digits at most, with room to spare.
constexpr u32 CAREER_VALUE_SIZE = 16;

extern SFP_SCREEN_INFO_t CareerOverviewFlashScreen[2];

class CCareerOverviewFlash : public CFlashPage<CCareerOverviewFlash, CareerOverviewFlashScreen> {
public:
    CCareerOverviewFlash() = default;
    ~CCareerOverviewFlash();

    s32 LoadBG();  // also frames the camera
    s32 Load();
    void OpenBG();  // also puts up the first trophy's model
    // Also builds the career bowler's figure.
    void Open();
    void Close();
    void Update(SFP_SCREEN_INFO_t* info);
    void UpdateTrophyText();
    void Draw();

    s_Vector3 m_vCurrModelPos{1.44f, -0.99f, -4.0f, 0.0f};
    f32 m_fRotation = 0.0f;
    s32 m_bDisplayTrophy = 0;
    s32 m_bDisplayModel = 1;
    CTrophyConstruction m_TrophyConstruction;
    CCamera m_Camera;
    s_Vector3 m_vTrophyPosition{0.4f, 0.05f, -0.4f, 0.0f};
    char m_sTrophyPlace[30] = "";
    char m_sTrophySeason[50] = "";
    char strength[CAREER_VALUE_SIZE] = "";
    char accuracy[CAREER_VALUE_SIZE] = "";
    char hook[CAREER_VALUE_SIZE] = "";
    char stamina[CAREER_VALUE_SIZE] = "";
    char reputation[CAREER_VALUE_SIZE] = "";
    char money[CAREER_VALUE_SIZE] = "";
    char average[CAREER_VALUE_SIZE] = "";

private:
    // Shows the figure or the trophy part for the cursor's button.
    void ShowCursor(s32 cursor);
};

// The tournament a trophy was won at, from the league's season calendar; null
// when the record points outside the calendar or at no tournament.
const s_TournamentDef* TrophyTournament(const s_TrophyInfo& trophy);

void CareerOverviewDrawEvent(s32 handle, SFP_SCREEN_INFO_t* info, char* label);
