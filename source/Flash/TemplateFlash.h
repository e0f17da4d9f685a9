// The screen template: the plainest screen class, four buttons and two texts. The
// developer entry "Third State Testing" shows it; no game flow does.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct SFP_SCREEN_INFO_t;

class CTemplateFlash {
public:
    CTemplateFlash();
    ~CTemplateFlash();
    CTemplateFlash(const CTemplateFlash&) = delete;
    CTemplateFlash& operator=(const CTemplateFlash&) = delete;

    s32 Load();
    void Open();
    void Close();
    void Kill();
    void Update(SFP_SCREEN_INFO_t* info);

    s32 m_iScreen;
    s32 m_bActive;  // cleared by back
};

void TemplateFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info);
void TemplateFlashOpen(s32 handle, SFP_SCREEN_INFO_t* info);
void TemplateFlashClose(s32 handle, SFP_SCREEN_INFO_t* info);

extern SFP_SCREEN_INFO_t templateFlashScreen;
