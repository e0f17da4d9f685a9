// The pick-pins screen of a practice game: the player stands pins up and knocks
// them down on a rack of ten, at least one standing, and accepts the set-up.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Physics/PhysicsTypes.h"

struct SFP_SCREEN_INFO_t;

constexpr s32 PICKPINS_NUM_PINS = 10;

class CPickPinsScreen {
public:
    CPickPinsScreen() = default;
    ~CPickPinsScreen() { Kill(); }
    CPickPinsScreen(const CPickPinsScreen&) = delete;
    CPickPinsScreen& operator=(const CPickPinsScreen&) = delete;

    s32 Load();
    void Open();
    void Update(SFP_SCREEN_INFO_t* info);
    void Close();
    void Kill();
    void TogglePin(s32 pin);
    void ResetPins();

    // Where the cursor goes from pin `from` on screen button `button` (6 to 9);
    // the rack's rows are 0 | 1 2 | 3 4 5 | 6 7 8 9.
    static s32 MoveCursor(s32 from, s32 button);

    s32 m_iScreen = -1;
    s16 m_iPinToggle = s16(PIN_MASK_ALL);  // bit 14 - i: pin i stands
    s16 m_iPinCount = 0;

private:
    void ShowPin(s32 pin, bool standing);
};

// Makes the lane's pick-pins hooks open this screen; the screen stays loaded
// until PickPinsScreenKill.
void PickPinsScreenInstall();
void PickPinsScreenKill();

extern SFP_SCREEN_INFO_t pickPinsScreen;
