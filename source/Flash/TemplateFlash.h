// The screen template: the plainest screen class, four buttons and two texts, and
// the one to copy for a new screen (docs/screenmovies.md). The developer entry
// "Third State Testing" shows it; no game flow does.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/FlashLocals.h"

extern SFP_SCREEN_INFO_t templateFlashScreen;

class CTemplateFlash : public CFlashScreen<CTemplateFlash, templateFlashScreen> {
public:
    void Open();
    void Update(SFP_SCREEN_INFO_t* info);

    s32 m_bActive = 0;  // cleared by back
};
