// The HOME-button driver's poll task, its switches and the "not available" icon.
#include "source/Wii_HomeButton.h"

#include <algorithm>

#include "console/vi.h"
#include "console/wpad.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/NGC/Cont.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbStream.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Scene.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/Texture.h"
#include "source/Objects/Object.h"
#include "source/SFP/SFP2K.h"

s32 HomeButtonEnabled = 0;
s32 EnableHomeButtonPollThread = 0;
s32 PollThreadState = HOME_POLL_IDLE;
s32 HomeButtonControllerID = 0;
s32 g_GameAlreadyPaused = 0;
s32 HomeButtonPausedAudio = 0;
s_texture* HomeButtonNoAvailTexture = nullptr;
f32 HomeButtonIconTime = 0.0f;
s32 HomeButtonIconStatus = 0;
s_thread* HomeButtonPollThreadPtr = nullptr;
s_thread* HomeButtonNoAvailThreadPtr = nullptr;

namespace {

constexpr u32 kBlack = 0x000000FFu;
constexpr f32 kFadeSeconds = 0.5f;
constexpr s32 kSettleFrames = 4;
constexpr f32 kIconFade = 0.25f;
constexpr f32 kIconShown = 1.25f;
constexpr f32 kIconGone = 1.5f;
constexpr f32 kIconX = 48.0f;
constexpr f32 kIconY = 48.0f;

s32 s_flowsEnabled = 0;  // what the flows last asked for
s32 s_saveActive = 0;
s32 s_settleFrames = 0;

bool Enabled() {
    return HomeButtonEnabled != 0 && s_saveActive == 0;
}

void StopGame() {
    g_GameAlreadyPaused = SetGamePause(1);
    OrbScene.SetEnable(0);
    g_ObjUpdate = g_ObjDraw = g_HUDDraw = 0;
    HomeButtonPausedAudio = 0;
    OrbStreamManager.Pause();
    SfxPause();
    SFP2KEnableRender(0);
}

void RestartGame() {
    // The driver's own disable: the fade-in ends it, a flow's wins.
    HomeButtonEnabled = 0;
    FadeShow = 1;
    DrawFade(FADE_IN, kBlack, kFadeSeconds);
    SFP2KEnableRender(1);
    g_ObjUpdate = g_ObjDraw = g_HUDDraw = 1;
    if (g_GameAlreadyPaused == 0)
        SetGamePause(0);
    OrbScene.SetEnable(1);
    OrbStreamManager.Resume();
    SfxResume();
}

void KillIcon(s_thread* task) {
    ThreadKill(task);
    HomeButtonNoAvailThreadPtr = nullptr;
}

}  // namespace

void HomeButtonStartup() {
    HomeButtonNoAvailTexture = TextureLoad("WIINOHOME", nullptr, 0);
    HomeButtonPollThreadPtr = ThreadInsertPriorityDebug(
        "HBMPollThread", nullptr, nullptr, HomeButtonPollThread, nullptr, HOME_BUTTON_POLL_PRIORITY);
    HomeButtonEnable(1);
    EnableHomeButtonPollThread = 1;
}

void HomeButtonEnable(s32 on) {
    HomeButtonEnabled = on;
    s_flowsEnabled = on;
}

void HomeButtonSaveActive(s32 on) {
    s_saveActive = on;
}

s32 HomeButtonWasPressed() {
    for (s32 channel = 0; channel < CONT_CHANNELS; ++channel) {
        u32 type = 0;
        s32 result = 0;
        ContGetStatus(channel, &type, &result);
        if (result == WPAD_ERR_NONE && ContGetRawData(channel)[0].trig == WPAD_BUTTON_HOME) {
            HomeButtonControllerID = channel;
            return 1;
        }
    }
    return 0;
}

void HomeButtonDisplay() {
    if (Enabled() && DrawFading() == 0) {
        if (!HomeButtonLoadAssets())
            return;
        HBMInit();
        HomeButtonProcessThreadPtr =
            ThreadInsertPriorityDebug("HBMProcessThread", nullptr, nullptr, HomeButtonProcessThread, nullptr,
                                      HOME_BUTTON_PROCESS_PRIORITY);
        KPADEnableDPD(HomeButtonControllerID);
        for (s32 channel = 0; channel < CONT_CHANNELS; ++channel)
            KPADEnableDPD(channel);
        return;
    }
    if (HomeButtonNoAvailThreadPtr == nullptr) {
        const u32 priority =
            HardwareErrorActive != 0 ? HOME_BUTTON_ICON_ERROR_PRIORITY : HOME_BUTTON_ICON_PRIORITY;
        HomeButtonNoAvailThreadPtr = ThreadInsertPriorityDebug("HBMNoAvailThread", nullptr, nullptr,
                                                               HomeButtonNoAvailThread, nullptr, priority);
    }
    HomeButtonIconTime = 0.0f;
    HomeButtonIconStatus = 0;
}

void HomeButtonPollThread(s_thread*, void*) {
    if (EnableHomeButtonPollThread == 0 || AllowHomeButtonButtonPress == 0)
        return;
    if (!Enabled() && HomeButtonWasPressed() != 0) {
        HomeButtonDisplay();
        return;
    }
    switch (PollThreadState) {
        case HOME_POLL_IDLE:
            if (HomeButtonWasPressed() != 0) {
                DrawFade(FADE_OUT, kBlack, kFadeSeconds);
                PollThreadState = HOME_POLL_FADING_OUT;
            }
            break;
        case HOME_POLL_FADING_OUT:
            if (DrawFading() == 0) {
                StopGame();
                PollThreadState = HOME_POLL_SETTLING;
            }
            break;
        case HOME_POLL_SETTLING:
            if (++s_settleFrames == kSettleFrames) {
                VISetBlack(FALSE);
                s_settleFrames = 0;
                FadeShow = 0;
                HomeButtonDisplay();
                PollThreadState = HOME_POLL_MENU_UP;
            }
            break;
        case HOME_POLL_MENU_UP:
            if (HomeButtonMenuIsActive() == 0) {
                RestartGame();
                PollThreadState = HOME_POLL_FADING_IN;
            }
            break;
        case HOME_POLL_FADING_IN:
            if (DrawFading() == 0) {
                HomeButtonEnabled = s_flowsEnabled;
                PollThreadState = HOME_POLL_IDLE;
            }
            break;
        default:
            break;
    }
}

void HomeButtonNoAvailThread(s_thread* task, void*) {
    if (HomeButtonProcessThreadPtr != nullptr) {
        KillIcon(task);
        return;
    }
    HomeButtonIconTime += RealDeltaTime;
    f32 alpha = 255.0f;
    if (HomeButtonIconStatus == 0) {
        alpha = std::min(255.0f, 255.0f * HomeButtonIconTime / kIconFade);
        if (HomeButtonIconTime > kIconFade)
            HomeButtonIconStatus = 1;
    } else if (HomeButtonIconStatus == 1) {
        if (HomeButtonIconTime > kIconShown)
            HomeButtonIconStatus = 2;
    } else {
        alpha = 255.0f - 255.0f * (HomeButtonIconTime - kIconShown) / kIconFade;
        if (HomeButtonIconTime > kIconGone) {
            KillIcon(task);
            return;
        }
    }
    if (HomeButtonNoAvailTexture == nullptr)
        return;
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_ALPHA);
    const e_ZBUF_MODE zMode = DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetTexture(HomeButtonNoAvailTexture);
    DrawContext.vertex.coord.z = 0.0f;
    DrawContext.vertex.color = 0xFFFFFF00u | u32(std::clamp(alpha, 0.0f, 255.0f));
    DrawTexture(kIconX, kIconY, 1.0f, 1.0f, 0.0f);
    DrawSetTexture(nullptr);
    DrawSetZBufferMode(zMode);
    DrawSetCombineMode(combine);
    DrawSetProjection(projection);
}

void HomeButtonColdReset() {
    HomeButtonEnabled = 0;
    s_flowsEnabled = 0;
    s_saveActive = 0;
    EnableHomeButtonPollThread = 0;
    PollThreadState = HOME_POLL_IDLE;
    s_settleFrames = 0;
    HomeButtonControllerID = 0;
    g_GameAlreadyPaused = 0;
    HomeButtonPausedAudio = 0;
    HomeButtonIconTime = 0.0f;
    HomeButtonIconStatus = 0;
}

void HomeButtonForget() {
    HomeButtonNoAvailTexture = nullptr;
    HomeButtonPollThreadPtr = nullptr;
    HomeButtonNoAvailThreadPtr = nullptr;
    HomeButtonMenuForget();
}
