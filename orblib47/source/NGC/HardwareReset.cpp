// The reset and power buttons. A permanent task steps the reset machine once per
// frame (the reset happens when the button is released) and, once the power button
// was pressed, switches the console off. Both silence the game and black the
// screen first.
#include "console/os.h"
#include "console/pad.h"
#include "console/vi.h"
#include "console/wpad.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/NGC/HardwareInternal.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Sound.h"

u32 ResetState = RESET_STATE_IDLE;
s32 SoftResetEnabled = 0;
s32 PowerButtonPressed = 0;

namespace {

s_thread* ResetThread = nullptr;

// Shared by the reset and the switch-off.
void HardwareShutdown() {
    WPADReconnect();
    PADRecalibrate(0x80000000u);
    PADRecalibrate(0x40000000u);
    SfxStopAll();
    DrawSetClearColor(0x000000FFu);
    DrawClearFrameBuffer(DrawContext.viewport);
    VISetBlack(TRUE);
    VIFlush();
    VIWaitForRetrace();
    VIWaitForRetrace();
    while (WPADGetStatus() == WPAD_STATE_DISABLING) {
    }
}

// A reset goes ahead while the drive is ready or only wants the disc; a drive that
// must retry or has failed drops it.
bool RestartAllowed(u32 status) {
    return status == 0 || status == FILE_ERROR_WRONG_DISC || status == FILE_ERROR_COVER_OPEN ||
           status == FILE_ERROR_NO_DISC;
}

}  // namespace

void HardwareResetForget() {
    ResetThread = nullptr;
    ResetState = RESET_STATE_IDLE;
    SoftResetEnabled = 0;
    PowerButtonPressed = 0;
}

void HardwareResetStartup() {
    if (ResetThread == nullptr) {
        ResetState = RESET_STATE_IDLE;
        ResetThread = ThreadInsertPriorityDebug("HWResetThread", nullptr, nullptr, HardwareResetCheckThread,
                                                nullptr, HARDWARE_RESET_THREAD_PRIORITY);
    }
    HardwareEnableReset();
    OSSetPowerCallback(HardwarePowerCallback);
}

void HardwareEnableReset() {
    SoftResetEnabled = 1;
    ResetState = RESET_STATE_IDLE;
}

void HardwareResetCheckThread(s_thread*, void*) {
    if (PowerButtonPressed == 0) {
        HardwareResetCheck();
    } else if (SoftResetEnabled != 0) {
        HardwareShutdown();
        DEBUG_PROGRESS("System Shutdown....\n");
        OSShutdownSystem();
    }
}

void HardwareResetCheck() {
    switch (ResetState) {
        case RESET_STATE_IDLE:
            if (OSGetResetButtonState())
                ResetState = RESET_STATE_HELD;
            break;
        case RESET_STATE_HELD:
            if (!OSGetResetButtonState())
                ResetState = RESET_STATE_REQUESTED;
            break;
        case RESET_STATE_REQUESTED:
            if (SoftResetEnabled != 0)
                ResetState = RESET_STATE_RESETTING;
            break;
        case RESET_STATE_RESETTING: {
            const u32 status = FileGetErrorStatus();
            DEBUG_PROGRESS("%d\n", s32(status));
            if (!RestartAllowed(status)) {
                ResetState = RESET_STATE_IDLE;
                break;
            }
            HardwareShutdown();
            OSRestart(0);
        }
        default:
            break;
    }
}

void HardwarePowerCallback() {
    PowerButtonPressed = 1;
}

s32 HardwareGetPowerButtonStatus() {
    return PowerButtonPressed;
}
