#include "source/Flash/CareerMainMenuFlash.h"

#include <iterator>

#include "source/Career/EventManager.h"
#include "source/Flash/CareerFigure.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/ShellLights.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/Physics/LaneManager.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/CareerPlayers.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxOpen = s32(0x80001996u), kSfxAccept = s32(0x80001997u), kSfxMove = s32(0x80001998u),
              kSfxClose = s32(0x80001999u);
constexpr u32 kTextSelect = 6890, kTextBack = 6889, kTextHeading = 7070, kTextEvent = 7105,
              kTextOverview = 7106, kTextPracticeEntry = 7107, kTextStandardGame = 7108,
              kTextPracticeGame = 7109, kTextProshop = 7110, kTextStandings = 7111;

// Menu layer sprites.
enum {
    kBackDrop,
    kTxtHeading,
    kTxtEvent,
    kTxtOverview,
    kTxtStandings,
    kTxtPractice,
    kTxtProshop,
    kFirstIcon,
    kTxtPracticeKind = kFirstIcon + CAREER_HUB_ENTRIES,
};

SFP_SCREEN_LABEL_t s_Labels[2][3] = {{{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
                                     {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}}};
SFP_SCREEN_BTN_t s_Buttons[CAREER_HUB_ENTRIES] = {
    {"Btn1", 0}, {"Btn2", 0}, {"Btn3", 0}, {"Btn4", 0}, {"Btn5", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_BGSprites[] = {{"txtSelect", 0, {}}, {"txtBack", 0, {}}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"BackDrop", 0, {}},    {"TxtSampleText1", 0, {}}, {"TxtEventSel", 0, {}},  {"TxtOverview", 0, {}},
    {"TxtTrainSel", 0, {}}, {"TxtProshop", 0, {}},     {"TxtLeagueMnu", 0, {}}, {"Icon1", 0, {}},
    {"Icon2", 0, {}},       {"Icon3", 0, {}},          {"Icon4", 0, {}},        {"Icon5", 0, {}},
    {"txt04_down", 0, {}},
};

constexpr eScreen_List kScreenOfEntry[CAREER_HUB_ENTRIES] = {
    eScreen_List_Career_EventSelect, eScreen_List_Career_Overview, eScreen_List_Career_LeagueMenu,
    eScreen_List_Career_TrainingSelect, eScreen_List_Career_Proshop};

}  // namespace

SFP_SCREEN_INFO_t CareerMainMenuFlashScreen[2] = {
    {
        .fileName = "MenuBG",
        .subScreens = s_Labels[0],
        .Draw = CareerMainDrawEvent,
        .numSpriteLookups = s32(std::size(s_BGSprites)),
        .spriteLookups = s_BGSprites,
    },
    {
        .fileName = "CarMM",
        .numButtons = CAREER_HUB_ENTRIES,
        .subScreens = s_Labels[1],
        .Update = CCareerMainMenuFlash::UpdateOwner,
        .numSpriteLookups = s32(std::size(s_Sprites)),
        .spriteLookups = s_Sprites,
        .buttons = s_Buttons,
    },
};

void CareerMainDrawEvent(s32 handle, SFP_SCREEN_INFO_t*, char*) {
    if (CCareerMainMenuFlash* owner = FlashOwner<CCareerMainMenuFlash>(handle))
        owner->Draw();
}

CCareerMainMenuFlash::CCareerMainMenuFlash() = default;

CCareerMainMenuFlash::~CCareerMainMenuFlash() {
    Kill();
    KillBG();
    CareerFigureFree();
}

s32 CCareerMainMenuFlash::LoadBG() {
    m_iScreenBG = FlashLoad(CareerMainMenuFlashScreen[0], this);
    if (m_iScreenBG == -1)
        return 0;
    CareerFigureCamera(m_Camera);
    return 1;
}

s32 CCareerMainMenuFlash::Load() {
    m_iScreen = FlashLoad(CareerMainMenuFlashScreen[1], this);
    // The descriptor outlives the screen: a new hub starts on its first entry.
    CareerMainMenuFlashScreen[1].curButton = CAREER_HUB_EVENT;
    return m_iScreen != -1;
}

void CCareerMainMenuFlash::OpenBG() {
    if (!FlashOpenOnce(m_iScreenBG))
        return;
    SFP2KSpriteSetText(m_iScreenBG, 0, SymbolText(kTextSelect));
    SFP2KSpriteSetText(m_iScreenBG, 1, SymbolText(kTextBack));
}

void CCareerMainMenuFlash::Open() {
    if (!FlashOpenOnce(m_iScreen))
        return;
    SFP2KSpriteSetText(m_iScreen, kTxtHeading, SymbolText(kTextHeading));
    SFP2KSpriteSetText(m_iScreen, kTxtEvent, SymbolText(kTextEvent));
    SFP2KSpriteSetText(m_iScreen, kTxtOverview, SymbolText(kTextOverview));
    SFP2KSpriteSetText(m_iScreen, kTxtStandings, SymbolText(kTextStandings));
    SFP2KSpriteSetText(m_iScreen, kTxtPractice, SymbolText(kTextPracticeEntry));
    SFP2KSpriteSetText(m_iScreen, kTxtProshop, SymbolText(kTextProshop));
    UpdateIcons(CareerMainMenuFlashScreen[1].curButton);

    CareerFigureBuild(m_vCurrModelPos, -30.0f);

    g_ScreenTracker.m_CurrScreen = eScreen_List_Career_MainMenu;
    SetPractice(0);
    if (pEventManager != nullptr)
        pEventManager->SetPractice(0);
    FlashPlaySound(kSfxOpen);
}

void CCareerMainMenuFlash::Close() {
    if (!FlashClose(m_iScreen))
        return;
    FlashPlaySound(kSfxClose);
}

void CCareerMainMenuFlash::SetPractice(s32 practice) {
    m_Practice = practice;
    Physics.m_bPracticeMode = practice;
    g_GameSettings.m_Current.gameType = practice ? eGameType_Practice : eGameType_Standard;
    SFP2KSpriteSetText(m_iScreen, kTxtPracticeKind,
                       SymbolText(practice ? kTextPracticeGame : kTextStandardGame));
}

void CCareerMainMenuFlash::Update(SFP_SCREEN_INFO_t* info) {
    SFP2KGenericButtonHandlerUpDown(info, kSfxMove);
    // Practice is chosen only on its entry: leaving the entry goes back to a standard game.
    if (info->curButton != CAREER_HUB_PRACTICE) {
        if (m_Practice != 0)
            SetPractice(0);
    } else if (SFP2KButton(kButtonLeft, kNewPress) || SFP2KButton(kButtonRight, kNewPress)) {
        SetPractice(!m_Practice);
        FlashPlaySound(kSfxMove);
    }
    if (SFP2KButton(kButtonAccept, kNewPress)) {
        g_Players[0].bIsHumanPlayer = 1;
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
        g_ScreenTracker.m_NextScreen = kScreenOfEntry[info->curButton];
        if (info->curButton == CAREER_HUB_PRACTICE) {
            CareerSetUpBowler(g_Players[0]);
            g_GameSettings.m_Current.iNumPlayers = 1;
        }
        FlashPlaySound(kSfxAccept);
    } else if (SFP2KButton(kButtonBack, kNewPress)) {
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
        FlashPlaySound(kSfxAccept);
    }
    UpdateIcons(info->curButton);
    m_Camera.Update();
}

void CCareerMainMenuFlash::UpdateIcons(s32 cursor) {
    for (s32 entry = 0; entry < CAREER_HUB_ENTRIES; ++entry) {
        if (entry == cursor)
            SFP2KSpriteShow(m_iScreen, kFirstIcon + entry);
        else
            SFP2KSpriteHide(m_iScreen, kFirstIcon + entry);
    }
}

void CCareerMainMenuFlash::Draw() {
    ShellPreviewBegin(eShellLightUsage_SelectBowler);
    CareerFigureDraw(m_vCurrModelPos);
}
