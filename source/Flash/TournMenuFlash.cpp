#include "source/Flash/TournMenuFlash.h"

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
constexpr u32 kTextHeading = 7085, kTextSelect = 6890, kTextBowl = 7257, kTextLadder = 7258, kTextBack = 7259,
              kTextProshop = 7260, kTextHint = 7261;

// Menu layer sprites.
enum {
    kBackDrop,
    kTxtSampleText1,
    kTxtEventSel,
    kTxtOverview,
    kTxtTrainSel,
    kTxtProshop,
    kTxtLeagueMnu,
    kTxtSelect,
    kIcon1,
    kIcon2,
    kIcon3,
    kIcon4,
    kIcon5,
};

// The marker beside each entry; the third icon has no entry.
constexpr s32 kIconOfEntry[TOURN_MENU_ENTRIES] = {kIcon1, kIcon2, kIcon4, kIcon5};

SFP_SCREEN_LABEL_t s_Labels[2][3] = {{{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
                                     {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}}};
SFP_SCREEN_BTN_t s_Buttons[TOURN_MENU_ENTRIES] = {{"Btn1", 0}, {"Btn2", 0}, {"Btn4", 0}, {"Btn5", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"BackDrop", 0, {}},    {"TxtSampleText1", 0, {}}, {"TxtEventSel", 0, {}},  {"TxtOverview", 0, {}},
    {"TxtTrainSel", 0, {}}, {"TxtProshop", 0, {}},     {"TxtLeagueMnu", 0, {}}, {"TxtSelect", 0, {}},
    {"Icon1", 0, {}},       {"Icon2", 0, {}},          {"Icon3", 0, {}},        {"Icon4", 0, {}},
    {"Icon5", 0, {}},       {"txt04_down", 0, {}},
};

}  // namespace

SFP_SCREEN_INFO_t TournMenuFlashScreen[2] = {
    {
        .fileName = "MenuBG",
        .subScreens = s_Labels[0],
    },
    {
        .fileName = "TournMM",
        .numButtons = TOURN_MENU_ENTRIES,
        .subScreens = s_Labels[1],
        .Update = TournMenuFlashUpdate,
        .Draw = TournMenuDrawEvent,
        .numSpriteLookups = s32(std::size(s_Sprites)),
        .spriteLookups = s_Sprites,
        .buttons = s_Buttons,
    },
};

void TournMenuFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    if (CTournMenuFlash* owner = FlashOwner<CTournMenuFlash>(handle))
        owner->Update(info);
}

void TournMenuDrawEvent(s32 handle, SFP_SCREEN_INFO_t*, char*) {
    if (CTournMenuFlash* owner = FlashOwner<CTournMenuFlash>(handle))
        owner->Draw();
}

CTournMenuFlash::CTournMenuFlash() = default;

CTournMenuFlash::~CTournMenuFlash() {
    Kill();
    CareerFigureFree();
}

s32 CTournMenuFlash::Load() {
    m_iScreen = FlashLoad(TournMenuFlashScreen[1], this);
    if (m_iScreen == -1)
        return 0;
    // The descriptor outlives the screen: a new menu starts on its first entry.
    TournMenuFlashScreen[1].curButton = TOURN_MENU_BOWL;
    CareerFigureCamera(m_Camera);
    return 1;
}

void CTournMenuFlash::Open() {
    if (!FlashOpenOnce(m_iScreen))
        return;
    SFP2KSpriteSetText(m_iScreen, kTxtSampleText1, SymbolText(kTextHeading));
    SFP2KSpriteSetText(m_iScreen, kTxtEventSel, SymbolText(kTextBowl));
    SFP2KSpriteSetText(m_iScreen, kTxtOverview, SymbolText(kTextLadder));
    SFP2KSpriteSetText(m_iScreen, kTxtTrainSel, SymbolText(kTextHint));
    SFP2KSpriteSetText(m_iScreen, kTxtLeagueMnu, SymbolText(kTextBack));
    SFP2KSpriteSetText(m_iScreen, kTxtProshop, SymbolText(kTextProshop));
    SFP2KSpriteSetText(m_iScreen, kTxtSelect, SymbolText(kTextSelect));
    UpdateIcons(TournMenuFlashScreen[1].curButton);

    CareerFigureBuild(m_vCurrModelPos, -80.0f);

    g_ScreenTracker.m_CurrScreen = eScreen_List_Career_TournMenu;
    Physics.m_bPracticeMode = 0;
    g_GameSettings.m_Current.gameType = eGameType_Standard;
    if (pEventManager != nullptr)
        pEventManager->SetPractice(0);
    FlashPlaySound(kSfxOpen);
}

void CTournMenuFlash::Close() {
    if (!FlashClose(m_iScreen))
        return;
    FlashPlaySound(kSfxClose);
}

void CTournMenuFlash::Kill() {
    FlashKill(m_iScreen);
}

void CTournMenuFlash::SetUpGame() {
    g_ScreenTracker.m_LevelToLoad = pEventManager->GetEvent()->m_Tourn.Location;
    CareerSetUpBowler(g_Players[0]);
    CPlayer& opponent = g_Players[1];
    if (const s_DBBowler* bowler = FindDbBowler(pEventManager->GetOpponentID())) {
        CareerSetUpOpponent(opponent, *bowler);
        g_GameSettings.m_Current.iNumPlayers = 2;
    } else {
        // A bye (or a bowler the database lost): the round's game is bowled alone,
        // and nobody of an earlier game is left in the second slot.
        opponent.SetName("");
        opponent.bIsHumanPlayer = 0;
        opponent.m_Balls[0] = opponent.m_Balls[1] = nullptr;
        g_GameSettings.m_Current.iNumPlayers = 1;
    }
    pEventManager->Update();
}

void CTournMenuFlash::Update(SFP_SCREEN_INFO_t* info) {
    SFP2KGenericButtonHandlerUpDown(info, kSfxMove);
    if (SFP2KButton(kButtonAccept, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        switch (info->curButton) {
            case TOURN_MENU_BOWL:
                SetUpGame();
                g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
                break;
            case TOURN_MENU_LADDER:
                g_ScreenTracker.m_NextScreen = eScreen_List_Career_TournLadder;
                g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
                break;
            case TOURN_MENU_PROSHOP:
                g_ScreenTracker.m_NextScreen = eScreen_List_Career_Proshop;
                g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
                break;
            default:
                g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
                break;
        }
    }
    UpdateIcons(info->curButton);
    m_Camera.Update();
}

void CTournMenuFlash::UpdateIcons(s32 cursor) {
    SFP2KSpriteHide(m_iScreen, kIcon3);
    for (s32 entry = 0; entry < TOURN_MENU_ENTRIES; ++entry) {
        if (entry == cursor)
            SFP2KSpriteShow(m_iScreen, kIconOfEntry[entry]);
        else
            SFP2KSpriteHide(m_iScreen, kIconOfEntry[entry]);
    }
}

void CTournMenuFlash::Draw() {
    ShellPreviewBegin(eShellLightUsage_SelectBowler);
    CareerFigureDraw(m_vCurrModelPos);
}
