// The career splash after a won game or a tournament podium. It needs no input:
// the first update closes it and it leaves the stack when its closing ends.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct SFP_SCREEN_INFO_t;

enum e_FlashSplashScreens : s32 {
    SPLASH_WIN = 0,
    SPLASH_TOURN_WIN = 1,
    SPLASH_CAM = 2,
    NUM_SPLASH_SCREENS = 3,
};

class CSplashFlash {
public:
    CSplashFlash() = default;
    ~CSplashFlash() { Kill(); }
    CSplashFlash(const CSplashFlash&) = delete;
    CSplashFlash& operator=(const CSplashFlash&) = delete;

    s32 Load(e_FlashSplashScreens which);
    void Open();
    void Update();
    void Close();
    void Kill();

    s32 m_iScreen = -1;
    e_FlashSplashScreens m_ScreenId = SPLASH_WIN;
    // Closing again would start the closing over: it would never end.
    s32 m_bClosing = 0;
};

extern SFP_SCREEN_INFO_t splashFlashScreen[NUM_SPLASH_SCREENS];
