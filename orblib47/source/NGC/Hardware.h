// The console's boot set-up, its reset and power buttons, and the disc-error
// screens: a permanent task polls the buttons and restarts or switches off; a drive
// error holds the game (paused, muted) behind a full-screen message until the
// drive reads again.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_font;
struct s_thread;

e_error_code HardwareColdReset();
e_error_code HardwareWarmReset();
e_error_code HardwareExit();

// ---- HardwareReset.cpp: the reset machine, the power button, the shutdown

enum e_reset_state : u32 {
    RESET_STATE_IDLE = 0,
    RESET_STATE_HELD = 1,       // the button is down
    RESET_STATE_REQUESTED = 2,  // released: reset when resets are enabled
    RESET_STATE_RESETTING = 5,
};

constexpr u32 HARDWARE_RESET_THREAD_PRIORITY = 4000;

extern u32 ResetState;
extern s32 SoftResetEnabled;
extern s32 PowerButtonPressed;

// Registers "HWResetThread" once, enables resets and installs the power callback.
void HardwareResetStartup();
void HardwareEnableReset();
void HardwareResetCheckThread(s_thread* task, void* record);
// One step of the reset machine.
void HardwareResetCheck();
void HardwarePowerCallback();
s32 HardwareGetPowerButtonStatus();

// ---- HardwareError.cpp: the disc-error handler and the message task

constexpr u32 HARDWARE_GAME_NAME_SIZE = 64;
constexpr u32 HARDWARE_ERROR_MSG_PRIORITY = 3397;
// After the drive reads again, frames shown before a re-synchronised stream may
// play, and the most waited for it.
constexpr s32 HARDWARE_RESYNC_MIN_FRAMES = 60;
constexpr s32 HARDWARE_RESYNC_MAX_FRAMES = 600;

extern s32 g_SFP2KDisable;  // the screen-movie player does nothing while set
extern s32 AllowHomeButtonButtonPress;
extern s32 HardwareErrorActive;
extern u32 ErrorTextFadeAlpha;  // 0..255
extern char GameName[HARDWARE_GAME_NAME_SIZE];

void HardwareSetGameName(const char* name);
void HardwareSetErrorFont(s_font* font);
s_font* HardwareGetErrorFont();

// Refreshes the drive's error word; while it reports an error, holds the game in
// HardwareProcessFileError. Returns the word read first (0: the disc is readable).
u32 HardwareCheckFileError();
void HardwareProcessFileError();
// The file layer's error callback: shows the message until the error clears; never
// returns for the fatal status.
s32 HardwareDisplayFileErrorMessage(u32 status);
void HardwareErrorMsgOn(u32 priority);
void HardwareErrorMsgOff();
void HardwareErrorMessageThread(s_thread* task, void* record);

// ---- HardwareErrorMessage.cpp: drawing the messages

// Draws the message of a status: with the error font, or written into the external
// frame buffer with the built-in 8x8 font.
void HardwareErrorPrintMessage(u32 status);
// Covers the current viewport with opaque black.
void HardwareBlackScreen();

// The external frame buffer: 640 YUYV pixels per row, 1280 bytes. A bitmap line is
// centred, at most HARDWARE_XFB_LINE_CHARS characters of 16 x 16 pixels, its top
// edge at row y / 2.
constexpr u32 HARDWARE_XFB_ROW_BYTES = 1280;
constexpr u32 HARDWARE_XFB_LINE_CHARS = 40;
void HardwareXfbDisplayError(void* xfb, u32 status);
void HardwareXfbWriteStr(void* xfb, u32 y, const char* text);
void HardwareClearXfb(void* xfb, u32 size);

// ---- HardwareMute.cpp: silencing the sound channels while an error shows

// Saves the mix of every audible channel in use and silences it; a channel that is
// already silent, or muted here already, is left alone.
void HardwareMuteAllChannels();
// Gives the channels muted here their saved mixes back, unless the mute lock is set.
void HardwareUnMuteAllChannels();
// While set, unmuting does nothing (the streams are re-synchronising).
void HardwareSetMuteLock(s32 on);
