// The boot screens the main flow shows before the menus: the wrist-strap warning,
// the licence notice, the legal notice and the title screen. Each is one movie
// without buttons that answers SFP_SCREEN_NAV_NEXT when it is done.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/StateMgrs/ScreenTracker.h"

struct SFP_SCREEN_INFO_t;

// What the four share: one layer, its handle first, and a display timer counted
// from the first update.
template <class T>
class CBootFlash {
public:
    CBootFlash() = default;
    ~CBootFlash() { Kill(); }
    CBootFlash(const CBootFlash&) = delete;
    CBootFlash& operator=(const CBootFlash&) = delete;

    void Close();
    void Kill();

    s32 m_iScreen = -1;
    f32 m_fTimer = 0.0f;

protected:
    s32 LoadLayer(SFP_SCREEN_INFO_t* info);
    // Opens the movie unless it is up; true when it did.
    bool OpenLayer(eScreen_List screen);
    // Navigates once the timer has reached `earliest`, at `latest` or, when
    // `skippable`, on any new press; the timer runs on after the test.
    void UpdateTimed(f32 earliest, f32 latest, bool skippable);
};

class CWiiStrapWarningFlash : public CBootFlash<CWiiStrapWarningFlash> {
public:
    s32 Load();  // the wide movie on a 16:9 console, the console's language shown
    void Open();
    void Update(SFP_SCREEN_INFO_t* info);
    void InitLanguageSprites(u8 language);
};

class CLicensedByNintendoFlash : public CBootFlash<CLicensedByNintendoFlash> {
public:
    s32 Load();
    void Open();
    void Update(SFP_SCREEN_INFO_t* info);
};

class CLegalFlash : public CBootFlash<CLegalFlash> {
public:
    s32 Load();
    void Open();
    void Update(SFP_SCREEN_INFO_t* info);
};

class CPressStartFlash : public CBootFlash<CPressStartFlash> {
public:
    s32 Load();
    void Open();
    void Update(SFP_SCREEN_INFO_t* info);
};

void WiiStrapWarningFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info);
void LicensedByNintendoFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info);
void LegalFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info);
void PressStartFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info);

extern SFP_SCREEN_INFO_t wiiStrapWarningFlashScreen;
extern SFP_SCREEN_INFO_t wiiStrapWarningFlashScreenW;
extern SFP_SCREEN_INFO_t licensedByNintendoFlashScreen;
extern SFP_SCREEN_INFO_t legalFlashScreen;
extern SFP_SCREEN_INFO_t pressStartFlashScreen;
