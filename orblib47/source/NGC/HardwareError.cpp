// The disc-error handler: while the drive cannot read, the game is held where it
// is (paused, screen movies and the HOME button blocked, sound muted) and a message
// task draws a full-screen notice; the frame step keeps running, so the reset and
// power buttons still work. When the drive reads again the streams are
// re-synchronised before the game goes on.
#include <algorithm>
#include <cstdio>

#include "console/vi.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/NGC/HardwareInternal.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbStream.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Sound.h"

s32 g_SFP2KDisable = 0;
s32 AllowHomeButtonButtonPress = 1;
s32 HardwareErrorActive = 0;
u32 ErrorTextFadeAlpha = 0;
char GameName[HARDWARE_GAME_NAME_SIZE] = "";

namespace {

constexpr const char* kErrorFontName = "ARIAL16";
constexpr u32 kOpaqueBlack = 0x000000FFu;

s_font* ErrorFont = nullptr;
s_thread* ErrorMessageThread = nullptr;
// A read made by a task while the handler holds the game does not start another.
bool Handling = false;

// Without the font the messages are written into the frame buffer instead.
void LoadErrorFont() {
    if (ErrorFont != nullptr)
        return;
    s_font* const current = CurrentFont;
    ErrorFont = FontLoad(kErrorFontName);
    FontSet(current);
}

// After the drive reads again: waits until the last re-synchronised stream plays
// and enough frames have passed. False when the drive failed again meanwhile.
bool WaitForStream(const s_stream* stream) {
    HardwareSetMuteLock(1);
    for (s32 frames = 0; !StreamIsPlaying(stream) || frames < HARDWARE_RESYNC_MIN_FRAMES; ++frames) {
        HardwareMuteAllChannels();
        EventWait(1);
        if (StreamIsFinished(stream))
            break;
        if (FileGetErrorStatus() != 0) {
            HardwareSetMuteLock(0);
            return false;
        }
        if (frames + 1 == HARDWARE_RESYNC_MAX_FRAMES) {
            DEBUG_PRINT("Waiting for Stream Re-Sync: ABORT!\n");
            break;
        }
    }
    HardwareSetMuteLock(0);
    return true;
}

void WaitUntilReadable() {
    for (;;) {
        while (FileGetErrorStatus() != 0)
            EventWait(1);
        const s_stream* stream = StreamResyncAll();
        if (stream == nullptr || WaitForStream(stream))
            return;
    }
}

}  // namespace

void HardwareErrorForget() {
    ErrorFont = nullptr;
    ErrorMessageThread = nullptr;
    Handling = false;
    g_SFP2KDisable = 0;
    AllowHomeButtonButtonPress = 1;
    HardwareErrorActive = 0;
    ErrorTextFadeAlpha = 0;
}

void HardwareSetGameName(const char* name) {
    std::snprintf(GameName, sizeof(GameName), "%s", name != nullptr ? name : "");
}

void HardwareSetErrorFont(s_font* font) {
    ErrorFont = font;
}

s_font* HardwareGetErrorFont() {
    return ErrorFont;
}

u32 HardwareCheckFileError() {
    FileUpdateErrorStatus();
    const u32 status = FileGetErrorStatus();
    if (status != 0 && !Handling)
        HardwareProcessFileError();
    return status;
}

void HardwareProcessFileError() {
    Handling = true;
    g_SFP2KDisable = 1;
    AllowHomeButtonButtonPress = 0;
    LoadErrorFont();
    HardwareErrorMsgOn(HARDWARE_ERROR_MSG_PRIORITY);
    const s32 wasPaused = SetGamePause(1);
    HardwareErrorActive = 1;
    AudioPause();

    WaitUntilReadable();

    HardwareUnMuteAllChannels();
    HardwareErrorActive = 0;
    AudioResume();
    HardwareUnMuteAllChannels();
    HardwareErrorMsgOff();
    if (wasPaused == 0)
        SetGamePause(0);
    g_SFP2KDisable = 0;
    AllowHomeButtonButtonPress = 1;
    Handling = false;
}

s32 HardwareDisplayFileErrorMessage(u32 status) {
    DrawSetProjection(DC_PROJ_ORTHO);
    FontSetDefaults(SystemFont);
    FontSetJustification(FONT_JUSTIFY_CENTRE);
    VISetBlack(FALSE);
    DrawWaitFade();
    DrawFade(FADE_IN, kOpaqueBlack, 0.5f);
    ErrorTextFadeAlpha = 255;
    LoadErrorFont();
    while (status != 0) {
        DrawSetFlatColor(0xFFFFFFFFu);
        DrawSetClearColor(kOpaqueBlack);
        // A fatal error is shown until the power goes off; the frames keep running,
        // so the power button (or closing the window) still ends the program.
        if (status == FILE_ERROR_FATAL) {
            for (;;) {
                HardwareBlackScreen();
                DrawSetClearColor(kOpaqueBlack);
                HardwareErrorPrintMessage(status);
                EventWait(1);
            }
        }
        HardwareBlackScreen();
        HardwareErrorPrintMessage(status);
        FileUpdateErrorStatus();
        status = FileGetErrorStatus();
        if (status == 0)
            return 0;
        g_SFP2KDisable = 1;
        EventWait(1);
        g_SFP2KDisable = 0;
    }
    return 0;
}

void HardwareErrorMsgOn(u32 priority) {
    if (ErrorMessageThread != nullptr)
        return;
    ErrorMessageThread = ThreadInsertPriorityDebug("DrawMsgThread", nullptr, nullptr,
                                                   HardwareErrorMessageThread, nullptr, priority);
    ErrorTextFadeAlpha = 0;
}

void HardwareErrorMsgOff() {
    if (ErrorMessageThread == nullptr)
        return;
    ThreadKill(ErrorMessageThread);
    ErrorMessageThread = nullptr;
}

void HardwareErrorMessageThread(s_thread*, void*) {
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    const u32 status = FileGetErrorStatus();
    if (status != 0) {
        OrbStreamManager.Stop(ORB_STREAM_TYPE_DIALOG, 0.0f);
        AudioPause();
        HardwareMuteAllChannels();
    } else if ((SceneFlags & SCENE_FLAG_AUDIO_HELD) == 0) {
        AudioResume();
        HardwareUnMuteAllChannels();
    }
    HardwareBlackScreen();
    HardwareErrorPrintMessage(status);
    ErrorTextFadeAlpha = std::min(ErrorTextFadeAlpha + 4, 255u);
    DrawSetProjection(projection);
}
