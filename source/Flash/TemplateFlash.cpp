#include "source/Flash/TemplateFlash.h"

namespace {

constexpr s32 kNumButtons = 4;

SFP_SCREEN_LABEL_t s_Labels[] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_BTN_t s_Buttons[kNumButtons] = {{"Btn1", 0}, {"Btn2", 0}, {"Btn3", 0}, {"Btn4", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {{"txtTest1", 0, {}}, {"txtTest2", 0, {}}};
enum { kTxtTest1, kTxtTest2 };

}  // namespace

SFP_SCREEN_INFO_t templateFlashScreen = {
    .fileName = "templateFlash",
    .numButtons = kNumButtons,
    .subScreens = s_Labels,
    .Update = CTemplateFlash::UpdateOwner,
    .numSpriteLookups = 2,
    .spriteLookups = s_Sprites,
    .buttons = s_Buttons,
};

void CTemplateFlash::Open() {
    if (!FlashOpenOnce(m_iScreen))
        return;
    SFP2KSpriteSetText(m_iScreen, kTxtTest1, "Lala");
    SFP2KSpriteSetText(m_iScreen, kTxtTest2, "baba");
    m_bActive = 1;
}

void CTemplateFlash::Update(SFP_SCREEN_INFO_t* info) {
    // A pressed button keeps the cursor until it is toggled up again.
    const s32 step = SFP2KButton(kButtonNext, kNewPress)       ? 1
                     : SFP2KButton(kButtonPrevious, kNewPress) ? -1
                                                               : 0;
    if (step != 0 && !SFP2KButtonIsDown(m_iScreen, info->curButton)) {
        SFP2KClearButtonDown(m_iScreen, info->curButton);
        info->curButton = (info->curButton + kNumButtons + step) % kNumButtons;
    }
    if (SFP2KButton(kButtonBack, kNewPress))
        m_bActive = 0;
    else if (SFP2KButton(kButtonAccept, kNewPress))
        SFP2KSetButtonDown(m_iScreen, info->curButton, !SFP2KButtonIsDown(m_iScreen, info->curButton));
}
