#include "source/Dev/DevEntries.h"

#include "orblib47/source/DrawFade.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/Flash/KudosScreens.h"
#include "source/Flash/TemplateFlash.h"
#include "source/GameSettings.h"
#include "source/OrbMain.h"
#include "source/SFP/SFP2K.h"
#include "source/Ticker.h"

namespace {

constexpr u32 kBlack = 0x000000FF;

}  // namespace

s32 FlashThirdStateTesting() {
    DrawSetClearColor(kBlack);
    DrawFade(FADE_IN, kBlack, 1.0f);
    auto* screen = new CTemplateFlash;
    if (screen->Load())
        screen->Open();
    while (screen->m_bActive && !OrbMainFrameLimitReached())
        EventWait(1);
    screen->Kill();
    delete screen;
    return 0;
}

s32 TickerTesting() {
    CTicker ticker;
    DrawSetClearColor(kBlack);
    DrawFade(FADE_IN, kBlack, 0.5f);
    DrawWaitFade();
    s_Vector3 start{550.0f, 200.0f, 0.0f, 0.0f};
    s_Vector3 end{50.0f, 200.0f, 0.0f, 0.0f};
    ticker.init(&start, &end, 1.0f, 1.0f, 1.0f, 1.0f);
    char text[] = "This is a long string test of nothing important.";
    ticker.setTickerText(text);
    ticker.setTextColor(0x00FFFFFF);
    ticker.setDelayTime(2.0f);
    ticker.m_bPaused = 0;
    while ((Pad[0].bnew & PAD_PLUS) == 0 && !OrbMainFrameLimitReached()) {
        ticker.Update();
        EventWait(1);
    }
    return 0;
}

s32 KudosRunAll() {
    // With the animations switched off not one movie loads: there is nothing to
    // show, so not even the fades run.
    if (g_GameSettings.m_Current.bKudosScreens == 0)
        return 0;
    DrawFade(FADE_OUT, kBlack, 0.5f);
    DrawWaitFade();
    DrawSetClearColor(kBlack);
    DrawFade(FADE_IN, kBlack, 1.0f);
    CKudosScreens kudos;
    for (s32 i = 0; i < NUM_KUDOS_SCREENS && !OrbMainFrameLimitReached(); ++i) {
        if (kudos.Load(e_NumKudosScreens(i)) == 0)
            continue;
        kudos.Open();
        // Each movie leaves the screen stack by itself once it has played.
        while (SFP2KIsScreenActive(kudos.m_iScreen) && !OrbMainFrameLimitReached())
            EventWait(1);
        kudos.Kill();
    }
    return 0;
}
