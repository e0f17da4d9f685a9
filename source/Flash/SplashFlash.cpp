#include "source/Flash/SplashFlash.h"

#include "source/Career/LeagueManager.h"
#include "source/Flash/FlashLocals.h"

namespace {

SFP_SCREEN_LABEL_t s_Labels[NUM_SPLASH_SCREENS][3] = {
    {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
    {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
    {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
};
SFP_SCREEN_SPRITE_LOOKUP_t s_PlaceSprites[] = {{"First", 0, {}}, {"Second", 0, {}}, {"Third", 0, {}}};
constexpr s32 kNumPlaces = 3;

void SplashUpdate(s32 handle, SFP_SCREEN_INFO_t*) {
    if (CSplashFlash* owner = FlashOwner<CSplashFlash>(handle))
        owner->Update();
}

constexpr SFP_SCREEN_INFO_t Splash(const char* movie, SFP_SCREEN_LABEL_t* labels, s32 numSprites,
                                   SFP_SCREEN_SPRITE_LOOKUP_t* sprites) {
    return {
        .fileName = movie,
        .subScreens = labels,
        .Update = SplashUpdate,
        .numSpriteLookups = numSprites,
        .spriteLookups = sprites,
    };
}

}  // namespace

SFP_SCREEN_INFO_t splashFlashScreen[NUM_SPLASH_SCREENS] = {
    Splash("CamWin", s_Labels[SPLASH_WIN], 0, nullptr),
    Splash("CamTourn", s_Labels[SPLASH_TOURN_WIN], kNumPlaces, s_PlaceSprites),
    Splash("CamSplsh", s_Labels[SPLASH_CAM], 0, nullptr),
};

s32 CSplashFlash::Load(e_FlashSplashScreens which) {
    m_iScreen = FlashLoad(splashFlashScreen[which], this);
    if (m_iScreen == -1)
        return 0;
    m_ScreenId = which;
    return 1;
}

void CSplashFlash::Open() {
    if (SFP2KIsScreenActive(m_iScreen))
        return;
    FlashOpen(m_iScreen);
    m_bClosing = 0;
    if (m_ScreenId != SPLASH_TOURN_WIN)
        return;
    for (s32 place = 0; place < kNumPlaces; ++place)
        SFP2KSpriteHide(m_iScreen, place);
    const u32 place = pLeagueManager != nullptr ? pLeagueManager->GetLeague()->m_PlayerTournamentPlace : 1;
    SFP2KSpriteShow(m_iScreen, place >= 1 && place <= u32(kNumPlaces) ? s32(place - 1) : 0);
}

void CSplashFlash::Update() {
    if (m_bClosing)
        return;
    m_bClosing = 1;
    Close();
}

void CSplashFlash::Close() {
    FlashClose(m_iScreen);
}

void CSplashFlash::Kill() {
    FlashKill(m_iScreen);
}
