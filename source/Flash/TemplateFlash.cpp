#include "source/Flash/TemplateFlash.h"

#include "source/Flash/FlashLocals.h"

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
    .Open = TemplateFlashOpen,
    .Close = TemplateFlashClose,
    .Update = TemplateFlashUpdate,
    .numSpriteLookups = 2,
    .spriteLookups = s_Sprites,
    .buttons = s_Buttons,
};

void TemplateFlashOpen(s32, SFP_SCREEN_INFO_t*) {}
void TemplateFlashClose(s32, SFP_SCREEN_INFO_t*) {}

void TemplateFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    if (CTemplateFlash* owner = FlashOwner<CTemplateFlash>(handle))
        owner->Update(info);
}

CTemplateFlash::CTemplateFlash() : m_iScreen(-1), m_bActive(0) {}

CTemplateFlash::~CTemplateFlash() {
    Kill();
}

s32 CTemplateFlash::Load() {
    m_iScreen = FlashLoad(templateFlashScreen, this);
    return m_iScreen != -1;
}

void CTemplateFlash::Open() {
    if (SFP2KIsScreenActive(m_iScreen))
        return;
    FlashOpen(m_iScreen);
    SFP2KSpriteSetText(m_iScreen, kTxtTest1, "Lala");
    SFP2KSpriteSetText(m_iScreen, kTxtTest2, "baba");
    m_bActive = 1;
}

void CTemplateFlash::Close() {
    FlashClose(m_iScreen);
}

void CTemplateFlash::Kill() {
    FlashKill(m_iScreen);
}

void CTemplateFlash::Update(SFP_SCREEN_INFO_t* info) {
    // A pressed button keeps the cursor until it is toggled up again.
    if (SFP2KButton(kButtonNext, kNewPress)) {
        if (!SFP2KButtonIsDown(m_iScreen, info->curButton)) {
            SFP2KClearButtonDown(m_iScreen, info->curButton);
            info->curButton = (info->curButton + 1) % kNumButtons;
        }
    } else if (SFP2KButton(kButtonPrevious, kNewPress)) {
        if (!SFP2KButtonIsDown(m_iScreen, info->curButton)) {
            SFP2KClearButtonDown(m_iScreen, info->curButton);
            info->curButton = (info->curButton + kNumButtons - 1) % kNumButtons;
        }
    }
    if (SFP2KButton(kButtonBack, kNewPress)) {
        m_bActive = 0;
    } else if (SFP2KButton(kButtonAccept, kNewPress)) {
        SFP2KSetButtonDown(m_iScreen, info->curButton, !SFP2KButtonIsDown(m_iScreen, info->curButton));
    }
}
