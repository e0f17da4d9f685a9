#include "source/Flash/OilPatternFlash.h"

#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Sound.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/Physics/LaneManager.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr u32 kTextContinue = 6911;  // string symbols
constexpr u32 kTextNextPage = 6912;
constexpr s32 kSfxAccept = s32(0x80001997u);
constexpr u32 kCranker = 80;  // hook control from which the advice is a cranker's
constexpr u32 kTweener = 40;

SFP_SCREEN_LABEL_t s_Labels[] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"TxtOilTitle", 0, {}}, {"TxtOilSubTitle", 0, {}}, {"TxtOilDetails", 0, {}}, {"txtContinue", 0, {}}};
enum { kTxtTitle, kTxtSubTitle, kTxtDetails, kTxtContinue };

void OilPatternUpdate(s32 handle, SFP_SCREEN_INFO_t*) {
    if (COilPatternFlash* owner = FlashOwner<COilPatternFlash>(handle))
        owner->Update();
}

}  // namespace

SFP_SCREEN_INFO_t oilPatternFlashScreen = {
    .fileName = "OilPat",
    .subScreens = s_Labels,
    .Update = OilPatternUpdate,
    .Draw = OilPatternDrawEvent,
    .numSpriteLookups = 4,
    .spriteLookups = s_Sprites,
    .pauseLowerScreens = 1,
    .userData = 16,
};

void OilPatternDrawEvent(s32, SFP_SCREEN_INFO_t*, char*) {
    Physics.DrawOilPattern2D(150.0f, 186.0f, 100.0f, 208.0f);
}

const char* COilPatternFlash::Advice(const s_DBOilPattern& pattern, s32 page, bool pro, u32 hook) {
    // Cranker, tweener, straight: amateur then professional, page 1 then page 2.
    const char* const texts[2][2][3] = {
        {{pattern.m_AmateurCranker, pattern.m_AmateurTweener, pattern.m_AmateurStraight},
         {pattern.m_ProCranker, pattern.m_ProTweener, pattern.m_ProStraight}},
        {{pattern.m_AmateurCranker2, pattern.m_AmateurTweener2, pattern.m_AmateurStraight2},
         {pattern.m_ProCranker2, pattern.m_ProTweener2, pattern.m_ProStraight2}},
    };
    const s32 kind = hook >= kCranker ? 0 : hook >= kTweener ? 1 : 2;
    return texts[page == 2 ? 1 : 0][pro ? 1 : 0][kind];
}

const s_DBOilPattern* COilPatternFlash::LanePattern() {
    for (u32 i = 0; dbOilPatternList != nullptr && i < uDBOilPatternCount; ++i)
        if (dbOilPatternList[i].m_ID == Physics.iOilPatternNum)
            return &dbOilPatternList[i];
    return nullptr;
}

void COilPatternFlash::ShowAdvice() {
    const s_DBOilPattern* pattern = LanePattern();
    if (pattern == nullptr)
        return;
    const bool pro = pLeagueManager != nullptr && pLeagueManager->GetLeagueType() == PRO_L1;
    CCareerCharacter* bowler = CCareerCharacter::GetInstance();
    const u32 hook = bowler != nullptr ? bowler->GetModHookControl() : 0;
    SFP2KSpriteSetText(m_iScreen, kTxtSubTitle, pattern->m_PatternName);
    SFP2KSpriteSetText(m_iScreen, kTxtDetails, Advice(*pattern, m_activePage, pro, hook));
}

s32 COilPatternFlash::Load() {
    m_iScreen = FlashLoad(oilPatternFlashScreen, this);
    return m_iScreen != -1;
}

void COilPatternFlash::Open() {
    if (SFP2KIsScreenActive(m_iScreen))
        return;
    FlashOpen(m_iScreen);
    SFP2KSpriteSetText(m_iScreen, kTxtContinue, SymbolText(kTextNextPage));
    if (pEventManager != nullptr)
        SFP2KSpriteSetText(m_iScreen, kTxtTitle, pEventManager->GetEvent()->m_Tourn.sTournName);
    m_activePage = 1;
    ShowAdvice();
    g_ScreenTracker.m_CurrScreen = eScreen_List_OilPattern;
}

void COilPatternFlash::Update() {
    if (GamePaused() || SFP2KButton(kButtonAccept, kNewPress) == 0)
        return;
    if (m_activePage == 1) {
        m_activePage = 2;
        ShowAdvice();
        SFP2KSpriteSetText(m_iScreen, kTxtContinue, SymbolText(kTextContinue));
    } else {
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
    }
    FlashPlaySound(kSfxAccept);
}

void COilPatternFlash::Close() {
    FlashClose(m_iScreen);
}

void COilPatternFlash::Kill() {
    FlashKill(m_iScreen);
}
