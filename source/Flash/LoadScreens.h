// The loading screen the level flow shows while a level loads, with a tip.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct SFP_SCREEN_INFO_t;

enum e_FlashLoadScreens : s32 {
    FLASH_LOAD_SCREEN_1 = 0,
    NUM_FLASH_LOAD_SCREENS = 1,
};

constexpr u32 LOADSCREEN_NUM_TIPS = 27;

class CLoadScreens {
public:
    CLoadScreens() = default;
    ~CLoadScreens() { Kill(); }
    CLoadScreens(const CLoadScreens&) = delete;
    CLoadScreens& operator=(const CLoadScreens&) = delete;

    s32 Load(e_FlashLoadScreens which);
    void Open();
    void Close();
    void Kill();
    // Any of the tips, whatever the tips setting.
    void SetRandomTipText();

    s32 m_iScreen = -1;
    e_FlashLoadScreens m_ScreenLoaded = FLASH_LOAD_SCREEN_1;
};

extern SFP_SCREEN_INFO_t flashLoadScreens[NUM_FLASH_LOAD_SCREENS];
