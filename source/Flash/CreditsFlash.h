// The credits screen: the roll over the "Credit" movie. Down speeds the roll up,
// up runs it backwards; back, or the roll running out, asks the flow to go back.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/Credits.h"
#include "source/Flash/FlashLocals.h"

extern SFP_SCREEN_INFO_t creditsFlashScreen;

class CCreditsFlash : public CFlashScreen<CCreditsFlash, creditsFlashScreen> {
public:
    CCreditsFlash();

    void Open();
    void Update(SFP_SCREEN_INFO_t* info);

    CCredits m_Credits;
    s32 m_bDone = 0;  // the roll has run out
    // Back has been answered: the roll stays run out, or back stays pressed, for
    // every frame until the flow closes the screen, and is answered once.
    s32 m_bLeaving = 0;
};

void CreditsDrawEvent(s32 handle, SFP_SCREEN_INFO_t* info, char* label);
