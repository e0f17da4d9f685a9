// The pick-pins screen of a practice game: the player stands pins up and knocks
// them down on a rack of ten, at least one standing, and accepts the set-up.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/Flash/FlashLocals.h"
#include "source/Physics/PhysicsTypes.h"

constexpr s32 PICKPINS_NUM_PINS = 10;

extern SFP_SCREEN_INFO_t pickPinsScreen;

class CPickPinsScreen : public CFlashScreen<CPickPinsScreen, pickPinsScreen> {
public:
    CPickPinsScreen() = default;

    void Open();
    void Update(SFP_SCREEN_INFO_t* info);
    void TogglePin(s32 pin);
    void ResetPins();

    // Where the cursor goes from pin `from` on screen button `button` (6 to 9);
    // the rack's rows are 0 | 1 2 | 3 4 5 | 6 7 8 9.
    static s32 MoveCursor(s32 from, s32 button);

    s16 m_iPinToggle = s16(PIN_MASK_ALL);  // bit 14 - i: pin i stands
    s16 m_iPinCount = 0;

private:
    void ShowPin(s32 pin, bool standing);
};

// Makes the lane's pick-pins hooks open this screen; the screen stays loaded
// until PickPinsScreenKill.
void PickPinsScreenInstall();
void PickPinsScreenKill();
