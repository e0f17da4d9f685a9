// Pad buttons by screen button id, the movie buttons' pressed flags, and the
// up/down cursor that most menus share.
#include "orblib47/source/Pad.h"
#include "source/Flash/FlashSound.h"
#include "source/SFP/SFPInternal.h"

s32 g_BlockPadInput = 0;

const u32 g_SFPButtonLookup[SFP2K_NUM_BUTTON_IDS] = {
    0x2000,  0x1000,  0x400,  0x800,  0x3000, 0x200000, 0x44,     0x88,     0x11,     0x22,
    0x10000, 0x20000, 0x4000, 0x8000, 0x100,  0x40000,  0x100000, 0x200000, 0x3C3F0F,
};

namespace {

SFP_SCREEN_BTN_t* MovieButton(s32 screenId, s32 buttonId) {
    const s_sfp_screen* screen = SFPScreen(screenId);
    if (screen == nullptr)
        return nullptr;
    const SFP_SCREEN_INFO_t& info = *screen->info;
    if (info.buttons == nullptr || buttonId < 0 || buttonId >= info.numButtons)
        return nullptr;
    return &info.buttons[buttonId];
}

}  // namespace

s32 SFP2KButton(s32 button, s32 type) {
    if (g_BlockPadInput != 0 || button < 0 || button >= SFP2K_NUM_BUTTON_IDS)
        return 0;
    const s_pad& pad = Pad[0];
    const u32 words[] = {pad.bdown, pad.brepeat, pad.bnew, pad.breleased};
    if (type < 0 || type >= s32(std::size(words)))
        return 0;
    const u32 mask = g_SFPButtonLookup[button];
    const u32 held = words[type] & mask;
    return (button == kButtonAcceptBack ? held == mask : held != 0) ? 1 : 0;
}

s32 SFP2KButtonIsDown(s32 screenId, s32 buttonId) {
    const SFP_SCREEN_BTN_t* button = MovieButton(screenId, buttonId);
    return button != nullptr && (button->flags & SFP_BUTTON_DOWN) != 0 ? 1 : 0;
}

void SFP2KSetButtonDown(s32 screenId, s32 buttonId, s32 bDown) {
    SFP_SCREEN_BTN_t* button = MovieButton(screenId, buttonId);
    if (button == nullptr)
        return;
    if (bDown != 0) {
        button->flags |= SFP_BUTTON_DOWN;
    } else if ((button->flags & SFP_BUTTON_DOWN) != 0) {
        button->flags = (button->flags & ~SFP_BUTTON_DOWN) | SFP_BUTTON_RELEASED;
    }
}

void SFP2KClearButtonDown(s32 screenId, s32 buttonId) {
    if (SFP_SCREEN_BTN_t* button = MovieButton(screenId, buttonId))
        button->flags &= ~(SFP_BUTTON_DOWN | SFP_BUTTON_RELEASED);
}

void SFP2KGenericButtonHandlerUpDown(SFP_SCREEN_INFO_t* pScreenInfo, s32 sfxTagId) {
    if (pScreenInfo == nullptr || pScreenInfo->numButtons <= 0)
        return;
    s32 step = 0;
    if (SFP2KButton(kButtonNext, kNewPress) != 0)
        step = 1;
    else if (SFP2KButton(kButtonPrevious, kNewPress) != 0)
        step = -1;
    if (step == 0)
        return;
    const s32 n = pScreenInfo->numButtons;
    pScreenInfo->curButton = ((pScreenInfo->curButton + step) % n + n) % n;
    if (sfxTagId != -1)
        FlashPlaySound(sfxTagId);
}
