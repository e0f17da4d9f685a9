#include "source/Flash/KudosScreens.h"

#include <algorithm>
#include <iterator>

#include "orblib47/source/OrbRandom.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/GameSettings.h"
#include "source/SFP/SFP2K.h"

namespace {

constexpr s32 kSfxGutter = s32(0x8000199Bu);
constexpr s32 kSfxPins = s32(0x8000199Cu);  // a split or a spare
constexpr s32 kSfxCheer = s32(0x8000199Du);
constexpr s32 kIdle = 0;  // the only sub-screen

// The player fills each descriptor's label frame when its movie loads.
SFP_SCREEN_LABEL_t s_Labels[NUM_KUDOS_SCREENS][1];

SFP_SCREEN_INFO_t KudosScreen(e_NumKudosScreens which, const char* fileName) {
    s_Labels[which][0] = {"Idle", 0};
    return {
        .fileName = fileName,
        .numSubScreens = 1,
        .subScreens = s_Labels[which],
        .Draw = CKudosScreens::KudosScreensUpdate,
    };
}

s32 KudosSound(e_NumKudosScreens which) {
    if (which >= KUDOS_GUTTER1_SCREEN && which <= KUDOS_GUTTER3_SCREEN)
        return kSfxGutter;
    if (which >= KUDOS_SPLIT1_SCREEN && which <= KUDOS_SPARE2_SCREEN)
        return kSfxPins;
    return kSfxCheer;
}

bool KudosOn() {
    return g_GameSettings.m_Current.bKudosScreens != 0;
}

}  // namespace

SFP_SCREEN_INFO_t kudosScreen[NUM_KUDOS_SCREENS] = {
    KudosScreen(KUDOS_TURKEY1_SCREEN, "KTrky1"),  KudosScreen(KUDOS_TURKEY2_SCREEN, "KTrky2"),
    KudosScreen(KUDOS_TURKEY3_SCREEN, "KTrky3"),  KudosScreen(KUDOS_STRIKE1_SCREEN, "KStrk1"),
    KudosScreen(KUDOS_STRIKE2_SCREEN, "KStrk2"),  KudosScreen(KUDOS_STRIKE3_SCREEN, "KStrk3"),
    KudosScreen(KUDOS_GUTTER1_SCREEN, "KGtrbl1"), KudosScreen(KUDOS_GUTTER2_SCREEN, "KGtrbl2"),
    KudosScreen(KUDOS_GUTTER3_SCREEN, "KGtrbl3"), KudosScreen(KUDOS_SPLIT1_SCREEN, "KSplt1"),
    KudosScreen(KUDOS_SPLIT2_SCREEN, "KSplt2"),   KudosScreen(KUDOS_SPLIT3_SCREEN, "KSplt3"),
    KudosScreen(KUDOS_SPARE1_SCREEN, "KSpr1"),    KudosScreen(KUDOS_SPARE2_SCREEN, "KSpr2"),
    KudosScreen(KUDOS_6PACK1_SCREEN, "K6Pck1"),   KudosScreen(KUDOS_6PACK2_SCREEN, "K6Pck2"),
};

CKudosScreens::CKudosScreens() {
    std::fill(std::begin(m_FrameLabelSfx), std::end(m_FrameLabelSfx), 1u);
}

void CKudosScreens::KudosScreensUpdate(s32 handle, SFP_SCREEN_INFO_t*, char*) {
    if (CKudosScreens* owner = FlashOwner<CKudosScreens>(handle))
        owner->Update();
}

s32 CKudosScreens::Load(e_NumKudosScreens which) {
    m_CurrScreen = which;
    if (!KudosOn())
        return 0;
    m_iScreen = FlashLoad(kudosScreen[which], this);
    return m_iScreen != -1;
}

void CKudosScreens::LoadRandom(e_NumKudosScreens first, u32 count) {
    const u32 r = u32(OrbRand());
    if (!KudosOn())
        return;
    Kill();
    Load(e_NumKudosScreens(first + r % count));
}

void CKudosScreens::LoadRandomTurkeyScreen() {
    LoadRandom(KUDOS_TURKEY1_SCREEN, 3);
}
void CKudosScreens::LoadRandomStrikeScreen() {
    LoadRandom(KUDOS_STRIKE1_SCREEN, 3);
}
void CKudosScreens::LoadRandomGutterScreen() {
    LoadRandom(KUDOS_GUTTER1_SCREEN, 3);
}
void CKudosScreens::LoadRandomSplitScreen() {
    LoadRandom(KUDOS_SPLIT1_SCREEN, 3);
}
void CKudosScreens::LoadRandomSpareScreen() {
    LoadRandom(KUDOS_SPARE1_SCREEN, 2);
}
void CKudosScreens::LoadRandom6PackScreen() {
    LoadRandom(KUDOS_6PACK1_SCREEN, 2);
}

void CKudosScreens::Open() {
    m_bSfxPlayed = 0;
    if (m_iScreen == -1 || SFP2KIsScreenActive(m_iScreen))
        return;
    SFP2KEnableFrameSkip(1);
    SFP2KOpenScreen(m_iScreen, kIdle, SFP_SUBSCREEN_EXIT, kIdle);
}

void CKudosScreens::Kill() {
    FlashKill(m_iScreen);
    SFP2KEnableFrameSkip(0);
}

void CKudosScreens::Update() {
    if (m_bSfxPlayed != 0 || SFP2KGetCurFrame(m_iScreen) < m_FrameLabelSfx[m_CurrScreen])
        return;
    m_bSfxPlayed = 1;
    FlashPlaySound(KudosSound(m_CurrScreen));
}
