#include "source/Flash/LeagueManagementFlash.h"

#include <algorithm>
#include <iterator>

#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxOpen = s32(0x80001996u), kSfxAccept = s32(0x80001997u), kSfxMove = s32(0x80001998u),
              kSfxClose = s32(0x80001999u);
constexpr u32 kTextQuit = 7134, kTextNoLeagues = 7204, kTextHeading = 7088, kTextTitle = 7089,
              kTextUnavailable = 7090, kTextYes = 7091, kTextNo = 7092, kTextJoin = 7093;
constexpr s32 kCursorYes = 5, kCursorNo = 6;

// Screen layer sprites; the list's rows A..F have three sprites each.
enum {
    kBackDrop,
    kTxtSampleText1,
    kTxtManage,
    kTxtStandings,
    kBtn1,
    kBtn2,
    kFirstOption,
    kLastOption = kFirstOption + 17,
    kArrows,
    kPopUpBG,
    kPopUpBG2,
    kPopUpTxt,
    kTxtInfo4,
    kLock,
    kTxtPopUp1,
    kTxtPopUp2,
};
constexpr s32 kOptionSprites = 3;

SFP_SCREEN_LABEL_t s_Labels[2][3] = {{{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
                                     {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}}};
SFP_SCREEN_BTN_t s_Buttons[] = {{"Button1", 0}, {"Button2", 0}, {"Button3", 0}, {"Button4", 0},
                                {"Button5", 0}, {"Btn1", 0},    {"Btn2", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"BackDrop", 0, {}},    {"TxtSampleText1", 0, {}}, {"TxtManage", 0, {}},   {"TxtStandings", 0, {}},
    {"Btn1", 0, {}},        {"Btn2", 0, {}},           {"TxtOptionA1", 0, {}}, {"TxtOptionA2", 0, {}},
    {"TxtOptionA3", 0, {}}, {"TxtOptionB1", 0, {}},    {"TxtOptionB2", 0, {}}, {"TxtOptionB3", 0, {}},
    {"TxtOptionC1", 0, {}}, {"TxtOptionC2", 0, {}},    {"TxtOptionC3", 0, {}}, {"TxtOptionD1", 0, {}},
    {"TxtOptionD2", 0, {}}, {"TxtOptionD3", 0, {}},    {"TxtOptionE1", 0, {}}, {"TxtOptionE2", 0, {}},
    {"TxtOptionE3", 0, {}}, {"TxtOptionF1", 0, {}},    {"TxtOptionF2", 0, {}}, {"TxtOptionF3", 0, {}},
    {"Arrows", 0, {}},      {"PopUpBG", 0, {}},        {"PopUpBG2", 0, {}},    {"PopUpTxt", 0, {}},
    {"TxtInfo4", 0, {}},    {"Lock", 0, {}},           {"TxtPopUp1", 0, {}},   {"TxtPopUp2", 0, {}},
};

bool InLeague() {
    return pLeagueManager != nullptr && pLeagueManager->GetLeagueType() != NOLEAGUE;
}

bool CanJoin(u32 league) {
    return pLeagueManager != nullptr && league >= AMATEUR_L1 && league <= LeagueListLast() &&
           pLeagueManager->CanJoinLeague(eLeagues(league));
}

void Show(s32 screen, s32 sprite, bool show) {
    if (show)
        SFP2KSpriteShow(screen, sprite);
    else
        SFP2KSpriteHide(screen, sprite);
}

}  // namespace

SFP_SCREEN_INFO_t CareerLeagueManagementFlashScreen[2] = {
    {
        .fileName = "CACBG",
        .subScreens = s_Labels[0],
    },
    {
        .fileName = "LeagMan",
        .numButtons = s32(std::size(s_Buttons)),
        .subScreens = s_Labels[1],
        .Update = CCareerLeagueManagementFlash::UpdateOwner,
        .numSpriteLookups = s32(std::size(s_Sprites)),
        .spriteLookups = s_Sprites,
        .buttons = s_Buttons,
    },
};

u32 LeagueListLast() {
    // The list's names hold five leagues; a database with none leaves the list empty.
    return AmateurLeagueList != nullptr ? std::min<u32>(AmateurLeagueCount, PRO_L1) : 0;
}

void CCareerLeagueManagementFlash::OpenBG() {
    if (m_iScreenBG != -1 && !SFP2KIsScreenActive(m_iScreenBG))
        FlashOpen(m_iScreenBG);
}

s32 CCareerLeagueManagementFlash::Load() {
    m_iScreen = FlashLoad(CareerLeagueManagementFlashScreen[1], this);
    if (m_iScreen == -1)
        return 0;
    m_iCurrMinIndex = AMATEUR_L1;
    m_iLeagueIndex = AMATEUR_L1;
    m_iCurrMaxIndex = std::min(LeagueListLast(), m_iCurrMinIndex + LEAGUE_LIST_ROWS - 1);
    InitLeagueListText();
    return 1;
}

void CCareerLeagueManagementFlash::InitLeagueListText() {
    const u32 last = LeagueListLast();
    for (u32 entry = 0; entry < std::size(m_LeagueNames); ++entry) {
        const char* name = entry < last ? AmateurLeagueList[entry].sLeagueName : "";
        m_LeagueNames[entry] = name != nullptr ? name : "";
    }
    if (last == 0)
        m_LeagueNames[0] = SymbolText(kTextNoLeagues);
}

void CCareerLeagueManagementFlash::Open() {
    if (!FlashOpenOnce(m_iScreen))
        return;
    SFP2KSpriteSetText(m_iScreen, kTxtSampleText1, SymbolText(kTextHeading));
    SFP2KSpriteSetText(m_iScreen, kTxtManage, SymbolText(kTextTitle));
    SFP2KSpriteSetText(m_iScreen, kTxtStandings, SymbolText(kTextTitle));
    SFP2KSpriteSetText(m_iScreen, kPopUpTxt, SymbolText(kTextQuit));
    SFP2KSpriteSetText(m_iScreen, kTxtInfo4, SymbolText(kTextUnavailable));
    SFP2KSpriteSetText(m_iScreen, kTxtPopUp1, SymbolText(kTextYes));
    SFP2KSpriteSetText(m_iScreen, kTxtPopUp2, SymbolText(kTextNo));
    g_ScreenTracker.m_CurrScreen = eScreen_List_League_Management;
    SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(m_iScreen);
    if (InLeague()) {
        HideButtons(0, info);
        m_OnEnter = 1;
    } else {
        // The cursor starts on the row of the league that accept acts on.
        HideButtons(1, info);
    }
    ShowLock();
    FlashPlaySound(kSfxOpen);
}

void CCareerLeagueManagementFlash::Close() {
    if (!FlashClose(m_iScreen))
        return;
    FlashPlaySound(kSfxClose);
}

void CCareerLeagueManagementFlash::HideButtons(s32 hide, SFP_SCREEN_INFO_t* info) {
    const bool list = hide != 0;
    for (s32 sprite :
         {kTxtManage, kTxtStandings, kBtn1, kBtn2, kPopUpBG, kPopUpBG2, kPopUpTxt, kTxtPopUp1, kTxtPopUp2})
        Show(m_iScreen, sprite, !list);
    for (s32 sprite = kFirstOption; sprite <= kArrows; ++sprite)
        Show(m_iScreen, sprite, list);
    if (list) {
        SetLeagueListText();
        ShowLock();
        m_ButtonsShowing = 0;
        ToggleScrollBarPos(info);
    } else {
        Show(m_iScreen, kLock, false);
        Show(m_iScreen, kTxtInfo4, false);
        m_ButtonsShowing = 1;
        if (info != nullptr)
            info->curButton = kCursorYes;
    }
}

void CCareerLeagueManagementFlash::SetLeagueListText() {
    for (u32 row = 0; row < LEAGUE_LIST_ROWS; ++row) {
        const u32 entry = m_iCurrMinIndex - AMATEUR_L1 + row;
        const char* name =
            entry < std::size(m_LeagueNames) && m_LeagueNames[entry] ? m_LeagueNames[entry] : "";
        for (s32 sprite = 0; sprite < kOptionSprites; ++sprite)
            SFP2KSpriteSetText(m_iScreen, kFirstOption + s32(row) * kOptionSprites + sprite, name);
    }
}

void CCareerLeagueManagementFlash::ToggleScrollBarPos(SFP_SCREEN_INFO_t* info) {
    if (info != nullptr)
        info->curButton = s32(m_iLeagueIndex - m_iCurrMinIndex);
}

void CCareerLeagueManagementFlash::ShowLock() {
    const bool locked = !m_ButtonsShowing && LeagueListLast() != 0 && !CanJoin(m_iLeagueIndex);
    Show(m_iScreen, kLock, locked);
    Show(m_iScreen, kTxtInfo4, locked);
}

void CCareerLeagueManagementFlash::MoveIndex(s32 step, SFP_SCREEN_INFO_t* info) {
    const u32 last = LeagueListLast();
    if (step > 0 && m_iLeagueIndex < last) {
        ++m_iLeagueIndex;
        if (m_iLeagueIndex > m_iCurrMaxIndex) {
            ++m_iCurrMinIndex;
            ++m_iCurrMaxIndex;
            SetLeagueListText();
        }
    } else if (step < 0 && m_iLeagueIndex > AMATEUR_L1) {
        --m_iLeagueIndex;
        if (m_iLeagueIndex < m_iCurrMinIndex) {
            --m_iCurrMinIndex;
            --m_iCurrMaxIndex;
            SetLeagueListText();
        }
    } else {
        ToggleScrollBarPos(info);
        return;
    }
    ToggleScrollBarPos(info);
    ShowLock();
    FlashPlaySound(kSfxMove);
}

void CCareerLeagueManagementFlash::Update(SFP_SCREEN_INFO_t* info) {
    if (m_OnEnter) {
        m_OnEnter = 0;
        info->curButton = kCursorYes;
    }
    const bool accept = SFP2KButton(kButtonAccept, kNewPress) != 0;
    const bool back = SFP2KButton(kButtonBack, kNewPress) != 0;
    const bool upDown = SFP2KButton(kButtonUp, kNewPress) || SFP2KButton(kButtonDown, kNewPress);
    if (m_ButtonsShowing && upDown) {
        info->curButton = info->curButton == kCursorYes ? kCursorNo : kCursorYes;
        FlashPlaySound(kSfxMove);
    }
    if (m_Join && !InLeague()) {
        if (accept && info->curButton == kCursorYes) {
            if (CanJoin(m_iLeagueIndex) && pLeagueManager->JoinLeague(eLeagues(m_iLeagueIndex)))
                m_Changed = 1;
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
            m_Join = 0;
            FlashPlaySound(kSfxAccept);
        } else if (accept) {
            m_Join = 0;
            HideButtons(1, info);
            FlashPlaySound(kSfxAccept);
        }
    } else if (InLeague()) {
        SFP2KSpriteSetText(m_iScreen, kPopUpTxt, SymbolText(kTextQuit));
        if (accept && info->curButton == kCursorYes) {
            pLeagueManager->QuitLeague();
            m_Changed = 1;
            FlashPlaySound(kSfxAccept);
        } else if (accept || back) {
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
            FlashPlaySound(kSfxAccept);
        }
    } else {
        if (SFP2KButton(kButtonDown, kNewPress))
            MoveIndex(1, info);
        else if (SFP2KButton(kButtonUp, kNewPress))
            MoveIndex(-1, info);
        if (back) {
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
            FlashPlaySound(kSfxAccept);
        } else if (accept && LeagueListLast() != 0) {
            m_Join = 1;
            SFP2KSpriteSetText(m_iScreen, kPopUpTxt, SymbolText(kTextJoin));
            HideButtons(0, info);
            FlashPlaySound(kSfxAccept);
        }
    }
    // The view follows the membership: the list after quitting, the question after joining.
    if (m_ButtonsShowing && !InLeague() && !m_Join)
        HideButtons(1, info);
    else if (!m_ButtonsShowing && InLeague())
        HideButtons(0, info);
}
