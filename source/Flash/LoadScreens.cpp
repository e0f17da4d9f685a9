#include "source/Flash/LoadScreens.h"

#include "orblib47/source/OrbRandom.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/SymbolText.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr u32 kTextLoading = 7274;  // string symbols
constexpr u32 kTextFirstTip = 7275;

SFP_SCREEN_LABEL_t s_Labels[] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {{"txtMessage", 0, {}}, {"txtLoading", 0, {}}};
enum { kTxtMessage, kTxtLoading };

}  // namespace

SFP_SCREEN_INFO_t flashLoadScreens[NUM_FLASH_LOAD_SCREENS] = {{
    .fileName = "LoadScr1",
    .subScreens = s_Labels,
    .numSpriteLookups = 2,
    .spriteLookups = s_Sprites,
    .renderBackdrop = 1,
}};

s32 CLoadScreens::Load(e_FlashLoadScreens which) {
    m_iScreen = FlashLoad(flashLoadScreens[which], this);
    if (m_iScreen == -1)
        return 0;
    m_ScreenLoaded = which;
    return 1;
}

void CLoadScreens::Open() {
    if (SFP2KIsScreenActive(m_iScreen))
        return;
    FlashOpen(m_iScreen);
    SFP2KSpriteSetText(m_iScreen, kTxtLoading, SymbolText(kTextLoading));
    SetRandomTipText();
    if (m_ScreenLoaded == FLASH_LOAD_SCREEN_1)
        g_ScreenTracker.m_CurrScreen = eScreen_List_LoadScreen_1;
}

void CLoadScreens::SetRandomTipText() {
    const u32 tip = u32(OrbRand()) % LOADSCREEN_NUM_TIPS;
    SFP2KSpriteSetText(m_iScreen, kTxtMessage, SymbolText(kTextFirstTip + tip));
}

void CLoadScreens::Close() {
    FlashClose(m_iScreen);
}

void CLoadScreens::Kill() {
    FlashKill(m_iScreen);
}
