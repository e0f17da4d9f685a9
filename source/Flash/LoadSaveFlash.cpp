#include "source/Flash/LoadSaveFlash.h"

#include <cstdio>
#include <iterator>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/StringTable.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/GenPopupFlash.h"
#include "source/Flash/PopupButtons.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/LoadSave/LoadSave.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxAccept = s32(0x80001997u);
constexpr s32 kSfxMove = s32(0x80001998u);
constexpr u32 kSymbolBit = 0x80000000u;

SFP_SCREEN_LABEL_t s_Labels[] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
auto s_Buttons = PopupButtons();
auto s_Sprites = PopupSprites("txtOK");

// Each message's string symbol; sized ones carry the save's size in blocks.
constexpr struct {
    u32 symbol;
    bool sized;
} kMessages[] = {
    {7021, true},  {7022, false}, {7023, false}, {7024, false}, {7026, false}, {7025, true},  {7027, true},
    {7028, false}, {7057, false}, {7058, false}, {7049, false}, {7050, false}, {7051, false}, {7052, false},
    {7030, true},  {7031, false}, {7032, false}, {7033, false}, {7034, false}, {7035, false}, {7036, false},
    {7042, false}, {7043, false}, {7029, false}, {7037, false}, {7038, false}, {7039, false}, {7041, false},
    {7048, false}, {7044, false}, {7045, false}, {7047, false}, {7054, true},  {7056, false}, {7053, true},
};

// Whether a disc string takes the block count and its word: one %d, then one %s,
// and no other conversion ("%%" aside).
bool TakesCountAndWord(const char* format) {
    const char* expected = "ds";
    for (const char* c = format; *c != '\0'; ++c) {
        if (*c != '%')
            continue;
        ++c;
        if (*c == '%')
            continue;
        if (*expected == '\0' || *c != *expected)
            return false;
        ++expected;
    }
    return *expected == '\0';
}

}  // namespace

enum CLoadSaveFlash::ButtonSet : s32 { kYesNo, kOK, kRetryContinue, kContinueReturn, kNumSets };

namespace {

// A set's flag, the pair of buttons it shows, and the button that answers NEXT.
struct SetLayout {
    s32 CLoadSaveFlash::*active;
    ePopupPair pair;
    s32 next;
};
const SetLayout kSets[] = {
    {&CLoadSaveFlash::m_bYesNoButtonsActive, POPUP_PAIR_YES_NO, GENPOPUP_BUTTON_YES},
    {&CLoadSaveFlash::m_bOKButtonActive, POPUP_PAIR_OK, GENPOPUP_BUTTON_OK},
    {&CLoadSaveFlash::m_bRetryContinueButtonsActive, POPUP_PAIR_RETRY_CONTINUE, GENPOPUP_BUTTON_RETRY},
    {&CLoadSaveFlash::m_bContinueReturnToMenuWiiButtonsActive, POPUP_PAIR_CONTINUE_RETURN_WII,
     GENPOPUP_BUTTON_CONTINUE_WII},
};

}  // namespace

SFP_SCREEN_INFO_t loadSaveFlashScreen = {
    .fileName = "LoadSave",
    .numButtons = GENPOPUP_NUM_BUTTONS,
    .subScreens = s_Labels,
    .Update = CLoadSaveFlash::UpdateOwner,
    .numSpriteLookups = POPUP_NUM_SPRITES,
    .spriteLookups = s_Sprites.data(),
    .userData = 16,
    .buttons = s_Buttons.data(),
};

void CLoadSaveFlash::Open() {
    if (SFP2KIsScreenActive(m_iScreen))
        return;
    FlashOpen(m_iScreen);
    PopupSetLabels(m_iScreen);
    for (s32 set = 0; set < kNumSets; ++set)
        SetButtonsActive(ButtonSet(set), 0, 1);
    g_ScreenTracker.m_CurrScreen = eScreen_List_LoadSave;
}

void CLoadSaveFlash::SetLoadSaveText(e_LoadSaveTextType type) {
    if (u32(type) >= std::size(kMessages))
        return;
    const auto& message = kMessages[type];
    SFP2KSpriteSetText(
        m_iScreen, POPUP_TXT_MESSAGE,
        message.sized ? GetSizeBasedMessage(kSymbolBit | message.symbol) : SymbolText(message.symbol));
}

const char* CLoadSaveFlash::GetSizeBasedMessage(u32 stringId) {
    return FormatSizeBasedMessage((stringId & kSymbolBit) != 0 ? SymbolText(stringId & ~kSymbolBit)
                                                               : StringTableGetString(stringId));
}

const char* CLoadSaveFlash::FormatSizeBasedMessage(const char* format) {
    if (!TakesCountAndWord(format)) {
        std::snprintf(m_szMsg, sizeof(m_szMsg), "%s", format);
        return m_szMsg;
    }
    const u32 blocks = g_LoadSave.GetSavedGameSizeForDisplay();
    std::snprintf(m_szMsg, sizeof(m_szMsg), format, s32(blocks), blocks == 1 ? "block" : "blocks");
    return m_szMsg;
}

void CLoadSaveFlash::SetYesNoButtonsActive(s32 active, s32 defaultButton) {
    SetButtonsActive(kYesNo, active, defaultButton);
}

void CLoadSaveFlash::SetRetryContinueButtonsActive(s32 active, s32 defaultButton) {
    SetButtonsActive(kRetryContinue, active, defaultButton);
}

void CLoadSaveFlash::SetContinueReturnToMenuWiiButtonsActive(s32 active, s32 defaultButton) {
    SetButtonsActive(kContinueReturn, active, defaultButton);
}

void CLoadSaveFlash::SetOKButtonActive(s32 active) {
    SetButtonsActive(kOK, active, 0);
}

void CLoadSaveFlash::SetDisplayTime(f32 seconds) {
    m_fMessageTimer = seconds;
    if (seconds > -1.0f)
        m_bTimerActive = 1;
}

void CLoadSaveFlash::SetButtonsActive(ButtonSet set, s32 active, s32 defaultButton) {
    this->*kSets[set].active = active;
    if (active != 0)
        m_bTimerActive = 0;
    PopupShowPair(m_iScreen, kSets[set].pair, active, defaultButton);
}

void CLoadSaveFlash::Answer(ButtonSet set, s32 curButton) {
    g_ScreenTracker.m_ScreenNav =
        curButton == kSets[set].next ? SFP_SCREEN_NAV_NEXT : SFP_SCREEN_NAV_PREVIOUS;
    SetButtonsActive(set, 0, 0);  // so that a second press answers nothing
    FlashPlaySound(kSfxAccept);
}

void CLoadSaveFlash::Update(SFP_SCREEN_INFO_t* info) {
    s32& cursor = info->curButton;
    // The pair shown, and the buttons that move between its two.
    ButtonSet pair = kNumSets;
    s32 moveA = kButtonRight, moveB = kButtonLeft;
    if (m_bYesNoButtonsActive != 0) {
        pair = kYesNo;
    } else if (m_bRetryContinueButtonsActive != 0) {
        pair = kRetryContinue;
    } else if (m_bContinueReturnToMenuWiiButtonsActive != 0) {
        pair = kContinueReturn;
        moveA = kButtonDown;
        moveB = kButtonUp;
    }
    if (pair != kNumSets) {
        if (SFP2KButton(moveA, kNewPress) != 0 || SFP2KButton(moveB, kNewPress) != 0) {
            cursor = PopupOtherButton(kSets[pair].pair, cursor);
            FlashPlaySound(kSfxMove);
        } else if (SFP2KButton(kButtonAccept, kNewPress) != 0) {
            Answer(pair, cursor);
        }
    } else if (m_bOKButtonActive != 0) {
        if (SFP2KButton(kButtonAccept, kNewPress) != 0)
            Answer(kOK, GENPOPUP_BUTTON_OK);
    } else if (m_bTimerActive != 0) {
        if (m_fMessageTimer > -1.0f) {
            m_fMessageTimer -= RealDeltaTime;
        } else {
            m_fMessageTimer = -1.0f;
            m_bTimerActive = 0;
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
        }
    }
}
