#include "source/Flash/BootFlash.h"

#include <iterator>

#include "console/sc.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Sound.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/SFP/SFP2K.h"

namespace {

constexpr u32 kTextLegal = 6884;  // string symbols
constexpr u32 kTextStart = 6883;
constexpr s32 kSfxAccept = s32(0x80001997u);

// The player fills a descriptor's label frames and sprite instances when its movie
// loads, so no two descriptors share them.
struct Labels {
    SFP_SCREEN_LABEL_t label[3] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
};
Labels s_StrapLabels, s_StrapWLabels, s_LicenseLabels, s_LegalLabels, s_StartLabels;

// The strap warning's five translations, one sprite each.
enum { kEnglish, kFrench, kGerman, kSpanish, kItalian, kNumLanguages };
struct LanguageSprites {
    SFP_SCREEN_SPRITE_LOOKUP_t sprite[kNumLanguages] = {
        {"ENGSPR", 0, {}}, {"FRNSPR", 0, {}}, {"GERSPR", 0, {}}, {"SPNSPR", 0, {}}, {"ITASPR", 0, {}}};
};
LanguageSprites s_StrapSprites, s_StrapWSprites;
SFP_SCREEN_SPRITE_LOOKUP_t s_LegalSprites[] = {{"TxtLegal", 0, {}}};
SFP_SCREEN_SPRITE_LOOKUP_t s_StartSprites[] = {{"TxtStart", 0, {}}};

constexpr SFP_SCREEN_INFO_t BootScreen(const char* fileName, Labels& labels, SFPScreenFunc update,
                                       SFP_SCREEN_SPRITE_LOOKUP_t* sprites, s32 numSprites,
                                       s32 renderBackdrop) {
    return {
        .fileName = fileName,
        .subScreens = labels.label,
        .Update = update,
        .numSpriteLookups = numSprites,
        .spriteLookups = sprites,
        .renderBackdrop = renderBackdrop,
    };
}

template <class T>
void UpdateOwner(s32 handle, SFP_SCREEN_INFO_t* info) {
    if (T* owner = FlashOwner<T>(handle))
        owner->Update(info);
}

}  // namespace

SFP_SCREEN_INFO_t wiiStrapWarningFlashScreen = BootScreen(
    "WIIStrap", s_StrapLabels, WiiStrapWarningFlashUpdate, s_StrapSprites.sprite, kNumLanguages, 1);
SFP_SCREEN_INFO_t wiiStrapWarningFlashScreenW = BootScreen(
    "WIIWStrap", s_StrapWLabels, WiiStrapWarningFlashUpdate, s_StrapWSprites.sprite, kNumLanguages, 1);
SFP_SCREEN_INFO_t licensedByNintendoFlashScreen =
    BootScreen("WiiLicense", s_LicenseLabels, LicensedByNintendoFlashUpdate, nullptr, 0, 1);
SFP_SCREEN_INFO_t legalFlashScreen =
    BootScreen("Legal", s_LegalLabels, LegalFlashUpdate, s_LegalSprites, 1, 0);
SFP_SCREEN_INFO_t pressStartFlashScreen =
    BootScreen("Start", s_StartLabels, PressStartFlashUpdate, s_StartSprites, 1, 0);

void WiiStrapWarningFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    UpdateOwner<CWiiStrapWarningFlash>(handle, info);
}
void LicensedByNintendoFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    UpdateOwner<CLicensedByNintendoFlash>(handle, info);
}
void LegalFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    UpdateOwner<CLegalFlash>(handle, info);
}
void PressStartFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    UpdateOwner<CPressStartFlash>(handle, info);
}

template <class T>
s32 CBootFlash<T>::LoadLayer(SFP_SCREEN_INFO_t* info) {
    m_iScreen = FlashLoad(*info, static_cast<T*>(this));
    return m_iScreen != -1;
}

template <class T>
bool CBootFlash<T>::OpenLayer(eScreen_List screen) {
    if (SFP2KIsScreenActive(m_iScreen))
        return false;
    FlashOpen(m_iScreen);
    g_ScreenTracker.m_CurrScreen = screen;
    return true;
}

template <class T>
void CBootFlash<T>::Close() {
    FlashClose(m_iScreen);
}

template <class T>
void CBootFlash<T>::Kill() {
    FlashKill(m_iScreen);
}

template <class T>
void CBootFlash<T>::UpdateTimed(f32 earliest, f32 latest, bool skippable) {
    if (m_fTimer >= earliest && (m_fTimer >= latest || (skippable && SFP2KButton(kButtonAny, kNewPress))))
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
    m_fTimer += RealDeltaTime;
}

template class CBootFlash<CWiiStrapWarningFlash>;
template class CBootFlash<CLicensedByNintendoFlash>;
template class CBootFlash<CLegalFlash>;
template class CBootFlash<CPressStartFlash>;

s32 CWiiStrapWarningFlash::Load() {
    const bool wide = SCGetAspectRatio() == SC_ASPECT_RATIO_16x9;
    if (LoadLayer(wide ? &wiiStrapWarningFlashScreenW : &wiiStrapWarningFlashScreen) == 0)
        return 0;
    InitLanguageSprites(SCGetLanguage());
    return 1;
}

void CWiiStrapWarningFlash::InitLanguageSprites(u8 language) {
    for (s32 sprite = 0; sprite < kNumLanguages; ++sprite)
        SFP2KSpriteHide(m_iScreen, sprite);
    // By console language from Japanese on; Japanese, Dutch and languages to come
    // read the English warning.
    constexpr s32 kShown[] = {kEnglish, kEnglish, kGerman, kFrench, kSpanish, kItalian};
    const s32 shown = language < std::size(kShown) ? kShown[language] : kEnglish;
    SFP2KSpriteShow(m_iScreen, shown);
}

void CWiiStrapWarningFlash::Open() {
    OpenLayer(eScreen_List_WiiStrapWarning);
}

void CWiiStrapWarningFlash::Update(SFP_SCREEN_INFO_t*) {
    UpdateTimed(1.0f, 15.0f, true);
}

s32 CLicensedByNintendoFlash::Load() {
    return LoadLayer(&licensedByNintendoFlashScreen);
}

void CLicensedByNintendoFlash::Open() {
    OpenLayer(eScreen_List_LicensedByNintendo);
}

void CLicensedByNintendoFlash::Update(SFP_SCREEN_INFO_t*) {
    UpdateTimed(0.0f, 2.0f, false);
}

s32 CLegalFlash::Load() {
    return LoadLayer(&legalFlashScreen);
}

void CLegalFlash::Open() {
    if (OpenLayer(eScreen_List_Legal))
        SFP2KSpriteSetText(m_iScreen, 0, SymbolText(kTextLegal));
}

void CLegalFlash::Update(SFP_SCREEN_INFO_t*) {
    UpdateTimed(0.0f, 5.0f, true);
}

s32 CPressStartFlash::Load() {
    return LoadLayer(&pressStartFlashScreen);
}

void CPressStartFlash::Open() {
    if (OpenLayer(eScreen_List_PressStart))
        SFP2KSpriteSetText(m_iScreen, 0, SymbolText(kTextStart));
}

void CPressStartFlash::Update(SFP_SCREEN_INFO_t*) {
    if (!SFP2KButton(kButtonAcceptBack, kHeld))
        return;
    g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
    FlashPlaySound(kSfxAccept);
}
