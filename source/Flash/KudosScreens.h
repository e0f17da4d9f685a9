// The kudos: short celebration movies over the lane after a turkey, a strike, a
// gutter ball, a split, a spare or a six-pack, with a sound once the movie has
// started. Shown only while the settings' animations switch is on; the random
// choice of movie draws from the engine's generator either way, so that the game
// that follows is the same with the switch on or off.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct SFP_SCREEN_INFO_t;

enum e_NumKudosScreens : s32 {
    KUDOS_TURKEY1_SCREEN,
    KUDOS_TURKEY2_SCREEN,
    KUDOS_TURKEY3_SCREEN,
    KUDOS_STRIKE1_SCREEN,
    KUDOS_STRIKE2_SCREEN,
    KUDOS_STRIKE3_SCREEN,
    KUDOS_GUTTER1_SCREEN,
    KUDOS_GUTTER2_SCREEN,
    KUDOS_GUTTER3_SCREEN,
    KUDOS_SPLIT1_SCREEN,
    KUDOS_SPLIT2_SCREEN,
    KUDOS_SPLIT3_SCREEN,
    KUDOS_SPARE1_SCREEN,
    KUDOS_SPARE2_SCREEN,
    KUDOS_6PACK1_SCREEN,
    KUDOS_6PACK2_SCREEN,
    NUM_KUDOS_SCREENS,
};

class CKudosScreens {
public:
    CKudosScreens();
    ~CKudosScreens() { Kill(); }
    CKudosScreens(const CKudosScreens&) = delete;
    CKudosScreens& operator=(const CKudosScreens&) = delete;

    // 0 while the animations are off or no screen slot is free.
    s32 Load(e_NumKudosScreens which);
    void LoadRandomTurkeyScreen();
    void LoadRandomStrikeScreen();
    void LoadRandomGutterScreen();
    void LoadRandomSplitScreen();
    void LoadRandomSpareScreen();
    void LoadRandom6PackScreen();
    // Plays the loaded movie once; it leaves the screen stack when it is over.
    void Open();
    void Kill();
    // Starts the kudos sound when the movie reaches its frame.
    void Update();
    static void KudosScreensUpdate(s32 handle, SFP_SCREEN_INFO_t* info, char* text);

    u32 m_FrameLabelSfx[NUM_KUDOS_SCREENS];
    s32 m_bSfxPlayed = 0;
    s32 m_iScreen = -1;
    e_NumKudosScreens m_CurrScreen = KUDOS_TURKEY1_SCREEN;

private:
    // Draws from the generator, then loads first + r mod count when kudos are on.
    void LoadRandom(e_NumKudosScreens first, u32 count);
};

extern SFP_SCREEN_INFO_t kudosScreen[NUM_KUDOS_SCREENS];
