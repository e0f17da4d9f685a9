#include "source/Flash/KeyboardFlash.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "orblib47/source/Sound.h"
#include "source/Career/EventManager.h"
#include "source/Career/UnlockMgr.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kButtonCaps = 14, kButtonSpace = 15, kButtonDone = 16, kButtonDelete = 17;
constexpr s32 kSfxAccept = s32(0x80001997u);
constexpr u32 kTextKeys = 6994, kTextNameNeeded = 6995, kTextDefaultName = 7018;

// Keys by cursor value.
enum {
    kFirstLetter = 10,
    kKeyCaps = 36,
    kKeySpace = 37,
    kKeyAlt = 38,
    kKeyClear = 39,
    kKeyDone = 40,
    kNumKeys
};
// Sprites: the name, then each key's label in cursor order, the Alt button and the hint line.
constexpr s32 kTxtPlayerName = 0, kFirstKey = 1, kSprAltButton = 42, kTxtHint = 43;

// The rows of the cursor: first and last key of each.
constexpr struct { s32 first, last; } kRows[] = {{0, 9}, {10, 18}, {19, 27}, {28, 35}, {36, 37}, {39, 40}};

SFP_SCREEN_LABEL_t s_Labels[] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_BTN_t s_Buttons[kNumKeys] = {
    {"IdleButton1", 0},    {"IdleButton2", 0},     {"IdleButton3", 0},   {"IdleButton4", 0},
    {"IdleButton5", 0},    {"IdleButton6", 0},     {"IdleButton7", 0},   {"IdleButton8", 0},
    {"IdleButton9", 0},    {"IdleButton0", 0},     {"IdleButtonA", 0},   {"IdleButtonB", 0},
    {"IdleButtonC", 0},    {"IdleButtonD", 0},     {"IdleButtonE", 0},   {"IdleButtonF", 0},
    {"IdleButtonG", 0},    {"IdleButtonH", 0},     {"IdleButtonI", 0},   {"IdleButtonJ", 0},
    {"IdleButtonK", 0},    {"IdleButtonL", 0},     {"IdleButtonM", 0},   {"IdleButtonN", 0},
    {"IdleButtonO", 0},    {"IdleButtonP", 0},     {"IdleButtonQ", 0},   {"IdleButtonR", 0},
    {"IdleButtonS", 0},    {"IdleButtonT", 0},     {"IdleButtonU", 0},   {"IdleButtonV", 0},
    {"IdleButtonW", 0},    {"IdleButtonX", 0},     {"IdleButtonY", 0},   {"IdleButtonZ", 0},
    {"IdleButtonCaps", 0}, {"IdleButtonSpace", 0}, {"IdleButtonAlt", 0}, {"IdleButtonClear", 0},
    {"IdleButtonDone", 0},
};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {
    {"txtPlayerName", 0, {}}, {"Key1", 0, {}},    {"Key2", 0, {}},          {"Key3", 0, {}},
    {"Key4", 0, {}},          {"Key5", 0, {}},    {"Key6", 0, {}},          {"Key7", 0, {}},
    {"Key8", 0, {}},          {"Key9", 0, {}},    {"Key0", 0, {}},          {"KeyA", 0, {}},
    {"KeyB", 0, {}},          {"KeyC", 0, {}},    {"KeyD", 0, {}},          {"KeyE", 0, {}},
    {"KeyF", 0, {}},          {"KeyG", 0, {}},    {"KeyH", 0, {}},          {"KeyI", 0, {}},
    {"KeyJ", 0, {}},          {"KeyK", 0, {}},    {"KeyL", 0, {}},          {"KeyM", 0, {}},
    {"KeyN", 0, {}},          {"KeyO", 0, {}},    {"KeyP", 0, {}},          {"KeyQ", 0, {}},
    {"KeyR", 0, {}},          {"KeyS", 0, {}},    {"KeyT", 0, {}},          {"KeyU", 0, {}},
    {"KeyV", 0, {}},          {"KeyW", 0, {}},    {"KeyX", 0, {}},          {"KeyY", 0, {}},
    {"KeyZ", 0, {}},          {"KeyCaps", 0, {}}, {"KeySpace", 0, {}},      {"KeyAlt", 0, {}},
    {"KeyClear", 0, {}},      {"KeyDone", 0, {}}, {"IdleButtonAlt", 0, {}}, {"txtHint", 0, {}},
};

// The accented capitals of the alternate set for the letter keys A..X.
constexpr u8 kAltCapitals[] = {0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD,
                               0xCE, 0xCF, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD9, 0xDA, 0xDB, 0xDC};

s32 RowOf(s32 key) {
    s32 row = 0;
    while (row + 1 < s32(std::size(kRows)) && key > kRows[row].last)
        ++row;
    return row;
}

// The key below and above each key.
s32 KeyBelow(s32 key) {
    if (key <= 8)
        return key + 10;
    if (key == 9)
        return 18;
    if (key <= 18)
        return key + 9;
    if (key <= 26)
        return key + 9;
    if (key == 27)
        return 35;
    if (key <= 30)
        return kKeyCaps;
    if (key <= 35)
        return kKeySpace;
    if (key == kKeyCaps)
        return kKeyClear;
    if (key == kKeySpace)
        return kKeyDone;
    return 0;
}

s32 KeyAbove(s32 key) {
    if (key <= 9)
        return kKeyClear;
    if (key <= 18)
        return key - 10;
    if (key <= 35)
        return key - 9;
    if (key == kKeyCaps)
        return 28;
    if (key == kKeySpace)
        return 31;
    return key == kKeyClear ? kKeyCaps : kKeySpace;
}

}  // namespace

SFP_SCREEN_INFO_t keyboardFlashScreen = {
    .fileName = "EditName",
    .numButtons = kNumKeys,
    .subScreens = s_Labels,
    .Update = CKeyboardFlash::UpdateOwner,
    .numSpriteLookups = s32(std::size(s_Sprites)),
    .spriteLookups = s_Sprites,
    .buttons = s_Buttons,
};

CKeyboardFlash::CKeyboardFlash() {
    // Disc text: a longer default is cut to the name's length.
    std::snprintf(m_sPlayerName, sizeof(m_sPlayerName), "%s", SymbolText(kTextDefaultName));
    std::memcpy(m_sBuffer, m_sPlayerName, sizeof(m_sBuffer));
    m_nCurrNameIndex = s32(std::strlen(m_sPlayerName));
}

void CKeyboardFlash::Open() {
    if (m_iScreen == -1 || SFP2KIsScreenActive(m_iScreen))
        return;
    m_nCurrNameIndex = s32(std::strlen(m_sPlayerName));
    m_bCapsOn = 1;
    m_bAltCharacters = 0;
    FlashOpen(m_iScreen);
    SetKeyText();
    ShowName();
    SFP2KSpriteHide(m_iScreen, kSprAltButton);
    std::memcpy(m_sBuffer, m_sPlayerName, sizeof(m_sBuffer));
    g_ScreenTracker.m_CurrScreen = eScreen_List_Keyboard;
}

void CKeyboardFlash::SetKeyText() {
    char label[2] = {};
    for (s32 key = 0; key < kFirstLetter; ++key) {
        label[0] = key == 9 ? '0' : char('1' + key);
        SFP2KSpriteSetText(m_iScreen, kFirstKey + key, label);
    }
    for (s32 key = kFirstLetter; key < kKeyCaps; ++key) {
        label[0] = char((m_bCapsOn ? 'A' : 'a') + key - kFirstLetter);
        SFP2KSpriteSetText(m_iScreen, kFirstKey + key, label);
    }
    SFP2KSpriteSetText(m_iScreen, kFirstKey + kKeyClear, "Delete");
    SFP2KSpriteSetText(m_iScreen, kFirstKey + kKeyDone, "Done");
    SFP2KSpriteSetText(m_iScreen, kFirstKey + kKeyCaps, "Caps");
    SFP2KSpriteSetText(m_iScreen, kFirstKey + kKeySpace, "Space");
    SFP2KSpriteSetText(m_iScreen, kFirstKey + kKeyAlt, "Alt");
}

void CKeyboardFlash::ShowName() {
    SFP2KSpriteSetText(m_iScreen, kTxtPlayerName, m_sPlayerName);
    SFP2KSpriteSetText(m_iScreen, kTxtHint, SymbolText(kTextKeys));
}

void CKeyboardFlash::Append(char c) {
    if (m_nCurrNameIndex >= KEYBOARD_NAME_LENGTH)
        return;
    m_sPlayerName[m_nCurrNameIndex++] = c;
    m_sPlayerName[m_nCurrNameIndex] = 0;
}

void CKeyboardFlash::Erase() {
    if (m_nCurrNameIndex > 0)
        m_sPlayerName[--m_nCurrNameIndex] = 0;
}

void CKeyboardFlash::UpdatePlayerName(SFP_SCREEN_INFO_t* info) {
    const s32 key = info->curButton;
    if (key == kKeyClear) {
        Erase();
    } else if (key < kFirstLetter) {
        Append(key == 9 ? '0' : char('1' + key));
    } else if (key == kKeySpace) {
        Append(' ');
    } else if (key < kKeyCaps && m_bAltCharacters) {
        if (key - kFirstLetter < s32(std::size(kAltCapitals)))
            Append(char(kAltCapitals[key - kFirstLetter] + (m_bCapsOn ? 0 : 0x20)));
    } else if (key < kKeyCaps) {
        Append(char((m_bCapsOn ? 'A' : 'a') + key - kFirstLetter));
    }
    ShowName();
}

void CKeyboardFlash::CheatCheck() {
    if (std::strcmp(m_sPlayerName, "QORVANTE") == 0)
        g_UnlockMgr.UnlockAll();
    else if (std::strcmp(m_sPlayerName, "PLUMWEX") == 0 && pEventManager != nullptr)
        pEventManager->m_bPlayerWinsAll = 1;
}

void CKeyboardFlash::Update(SFP_SCREEN_INFO_t* info) {
    s32& key = info->curButton;
    const auto& row = kRows[RowOf(key)];
    const s32 width = row.last - row.first + 1;
    if (SFP2KButton(kButtonDown, kNewPress)) {
        key = KeyBelow(key);
    } else if (SFP2KButton(kButtonUp, kNewPress)) {
        key = KeyAbove(key);
    } else if (SFP2KButton(kButtonRight, kNewPress)) {
        key = row.first + (key - row.first + 1) % width;
    } else if (SFP2KButton(kButtonLeft, kNewPress)) {
        key = row.first + (key - row.first + width - 1) % width;
    }
    bool done = false;
    if (SFP2KButton(kButtonAccept, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        if (key == kKeyCaps) {
            m_bCapsOn = !m_bCapsOn;
            SetKeyText();
        } else if (key == kKeyDone) {
            done = true;
        } else if (key != kKeyAlt) {
            UpdatePlayerName(info);
        }
    } else if (SFP2KButton(kButtonCaps, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        m_bCapsOn = !m_bCapsOn;
        SetKeyText();
    } else if (SFP2KButton(kButtonSpace, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        Append(' ');
        ShowName();
    } else if (SFP2KButton(kButtonDelete, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        Erase();
        ShowName();
    } else if (SFP2KButton(kButtonBack, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        std::memcpy(m_sPlayerName, m_sBuffer, sizeof(m_sPlayerName));
        m_nCurrNameIndex = s32(std::strlen(m_sPlayerName));
        ShowName();
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
    } else if (SFP2KButton(kButtonDone, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        done = true;
    }
    if (!done)
        return;
    // A name of nothing but spaces is no name: it would show blank everywhere.
    if (std::strspn(m_sPlayerName, " ") == std::strlen(m_sPlayerName)) {
        SFP2KSpriteSetText(m_iScreen, kTxtHint, SymbolText(kTextNameNeeded));
        return;
    }
    CheatCheck();
    g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
}

void KeyboardFlashColdReset() {
    keyboardFlashScreen.curButton = 0;
}
