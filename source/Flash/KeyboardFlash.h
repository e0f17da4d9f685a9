// The on-screen keyboard that names a created bowler: at most 8 characters,
// restored on cancel; a blank name is refused with a message, and a finished
// name is checked against the two code names.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct SFP_SCREEN_INFO_t;

constexpr s32 KEYBOARD_NAME_LENGTH = 8;

class CKeyboardFlash {
public:
    CKeyboardFlash();
    ~CKeyboardFlash();
    CKeyboardFlash(const CKeyboardFlash&) = delete;
    CKeyboardFlash& operator=(const CKeyboardFlash&) = delete;

    s32 Load();
    void Open();
    void Close();
    void Kill();
    void Update(SFP_SCREEN_INFO_t* info);
    void UpdatePlayerName(SFP_SCREEN_INFO_t* info);
    void SetKeyText();
    char* GetPlayerName() { return m_sPlayerName; }
    void CheatCheck();

    s32 m_iScreen = -1;
    s32 m_bCapsOn = 1;
    s32 m_bAltCharacters = 0;
    char m_sPlayerName[KEYBOARD_NAME_LENGTH + 1] = {};
    char m_sBuffer[KEYBOARD_NAME_LENGTH + 1] = {};
    s32 m_nCurrNameIndex = 0;

private:
    void Append(char c);
    void Erase();
    void ShowName();
};

void KeyboardFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info);

extern SFP_SCREEN_INFO_t keyboardFlashScreen;

// Start-up state: the cursor back on the first key.
void KeyboardFlashColdReset();
