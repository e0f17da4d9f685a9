// The on-screen keyboard that names a created bowler: at most 8 characters,
// restored on cancel; a blank name is refused with a message, and a finished
// name is checked against the two code names.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/FlashLocals.h"

constexpr s32 KEYBOARD_NAME_LENGTH = 8;

extern SFP_SCREEN_INFO_t keyboardFlashScreen;

class CKeyboardFlash : public CFlashScreen<CKeyboardFlash, keyboardFlashScreen> {
public:
    CKeyboardFlash();

    void Open();
    void Update(SFP_SCREEN_INFO_t* info);
    void UpdatePlayerName(SFP_SCREEN_INFO_t* info);
    void SetKeyText();
    char* GetPlayerName() { return m_sPlayerName; }
    void CheatCheck();

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

// Start-up state: the cursor back on the first key.
void KeyboardFlashColdReset();
