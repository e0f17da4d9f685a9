#include "source/Flash/CreditsFlash.h"

#include <algorithm>

#include "orblib47/source/NGC/FrameClock.h"
#include "source/ControllerMessage.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kSfxAccept = s32(0x80001997u);
constexpr u32 kTextHint = 6891;
// Holding a direction ramps the speed from 1 to 3 units a frame over half a second.
constexpr f32 kRampSeconds = 0.5f;
constexpr f32 kMaxSpeed = 3.0f;

enum { kTxtSelect };

SFP_SCREEN_LABEL_t s_Labels[] = {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_Sprites[] = {{"txtSelect", 0, {}}};

f32 fTime = 0.0f;  // how long the direction button has been held

}  // namespace

SFP_SCREEN_INFO_t creditsFlashScreen = {
    .fileName = "Credit",
    .subScreens = s_Labels,
    .Update = CCreditsFlash::UpdateOwner,
    .Draw = CreditsDrawEvent,
    .numSpriteLookups = 1,
    .spriteLookups = s_Sprites,
};

void CreditsDrawEvent(s32 handle, SFP_SCREEN_INFO_t*, char*) {
    if (CCreditsFlash* owner = FlashOwner<CCreditsFlash>(handle))
        owner->m_bDone = owner->m_Credits.Update() == 0;
}

CCreditsFlash::CCreditsFlash() {
    m_Credits.init();
}

void CCreditsFlash::Open() {
    if (SFP2KIsScreenActive(m_iScreen))
        return;
    FlashOpen(m_iScreen);
    SFP2KSpriteSetText(m_iScreen, kTxtSelect, SymbolText(kTextHint));
    m_Credits.Start();
    g_ScreenTracker.m_CurrScreen = eScreen_List_Credits;
    m_bDone = 0;
    m_bLeaving = 0;
}

void CCreditsFlash::Update(SFP_SCREEN_INFO_t*) {
    f32 speed = 1.0f;
    m_Credits.SetScrollUp(1);
    if (!ControllerMessageActive() && (SFP2KButton(kButtonBack, kNewPress) || m_bDone != 0)) {
        if (m_bLeaving == 0) {
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
            FlashPlaySound(kSfxAccept);
            m_bLeaving = 1;
        }
    } else {
        const s32 next = SFP2KButton(kButtonNext, kHeld);
        if (next || SFP2KButton(kButtonPrevious, kHeld)) {
            m_Credits.SetScrollUp(next);
            const s32 pressed = SFP2KButton(next ? kButtonNext : kButtonPrevious, kNewPress);
            fTime = pressed ? 0.0f : fTime + RealDeltaTime;
            if (!pressed)
                speed = 1.0f + 2.0f * (fTime / kRampSeconds);
        }
    }
    m_Credits.SetScrollSpeed(std::min(speed, kMaxSpeed));
}
