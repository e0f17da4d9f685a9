// The tournament menu: bowl the round's game, see the ladder, visit the pro shop
// or go back, beside the career bowler, lit and idling. The tournament flow opens
// it inside the menus' border and acts on the tracker's answer.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "source/Camera.h"

struct SFP_SCREEN_INFO_t;

// The entries, by button.
enum eTournMenuEntry : s32 {
    TOURN_MENU_BOWL,
    TOURN_MENU_LADDER,
    TOURN_MENU_PROSHOP,
    TOURN_MENU_BACK,
    TOURN_MENU_ENTRIES,
};

class CTournMenuFlash {
public:
    CTournMenuFlash();
    ~CTournMenuFlash();
    CTournMenuFlash(const CTournMenuFlash&) = delete;
    CTournMenuFlash& operator=(const CTournMenuFlash&) = delete;

    s32 Load();  // also frames the bowler's camera
    // Also builds the career bowler's figure and starts a standard game.
    void Open();
    void Close();
    void Kill();
    void Update(SFP_SCREEN_INFO_t* info);
    void Draw();

    s_Vector3 m_vCurrModelPos{1.44f, -0.99f, -4.0f, 0.0f};
    CCamera m_Camera;
    s32 m_iScreen = -1;

private:
    // The two player slots, the level and the settings of the round's game.
    void SetUpGame();
    void UpdateIcons(s32 cursor);
};

void TournMenuFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info);
void TournMenuDrawEvent(s32 handle, SFP_SCREEN_INFO_t* info, char* label);

extern SFP_SCREEN_INFO_t TournMenuFlashScreen[2];
