// WPAD: the Wii Remote's low-level library: probing the four channels, the
// rumble motor and the allocator that the library's buffers come from.
#pragma once

#include "console/types.h"

constexpr s32 WPAD_MAX_CONTROLLERS = 4;

// Results of WPADProbe and the wpad_err of a KPAD sample.
constexpr s32 WPAD_ERR_NONE = 0;
constexpr s32 WPAD_ERR_NO_CONTROLLER = -1;
constexpr s32 WPAD_ERR_BUSY = -2;
constexpr s32 WPAD_ERR_TRANSFER = -3;
constexpr s32 WPAD_ERR_INVALID = -4;
constexpr s32 WPAD_ERR_CORRUPTED = -7;

// Device types reported by WPADProbe.
constexpr u32 WPAD_DEV_CORE = 0;       // the remote alone
constexpr u32 WPAD_DEV_FREESTYLE = 1;  // the remote with a Nunchuk
constexpr u32 WPAD_DEV_CLASSIC = 2;    // the remote with the cross-key extension (never here)
constexpr u32 WPAD_DEV_NOT_FOUND = 253;

// The hold, trig and release words of a KPAD sample.
constexpr u32 WPAD_BUTTON_LEFT = 0x0001;
constexpr u32 WPAD_BUTTON_RIGHT = 0x0002;
constexpr u32 WPAD_BUTTON_DOWN = 0x0004;
constexpr u32 WPAD_BUTTON_UP = 0x0008;
constexpr u32 WPAD_BUTTON_PLUS = 0x0010;
constexpr u32 WPAD_BUTTON_2 = 0x0100;
constexpr u32 WPAD_BUTTON_1 = 0x0200;
constexpr u32 WPAD_BUTTON_B = 0x0400;
constexpr u32 WPAD_BUTTON_A = 0x0800;
constexpr u32 WPAD_BUTTON_MINUS = 0x1000;
constexpr u32 WPAD_BUTTON_Z = 0x2000;  // Nunchuk
constexpr u32 WPAD_BUTTON_C = 0x4000;  // Nunchuk
constexpr u32 WPAD_BUTTON_HOME = 0x8000;

constexpr u32 WPAD_MOTOR_STOP = 0;
constexpr u32 WPAD_MOTOR_RUMBLE = 1;

// WPADGetStatus.
constexpr s32 WPAD_STATE_ENABLED = 2;
constexpr s32 WPAD_STATE_DISABLING = 4;

using WPADAlloc = void* (*)(u32 size);
using WPADFree = u8 (*)(void* block);

void WPADRegisterAllocator(WPADAlloc alloc, WPADFree free);
// WPAD_ERR_NONE with the device type of a remote on the channel, else an error
// (WPAD_ERR_NO_CONTROLLER for an empty or unknown channel).
s32 WPADProbe(s32 chan, u32* type);
void WPADControlMotor(s32 chan, u32 command);
// The host's remotes have no radio link to drop: nothing to do.
void WPADReconnect();
s32 WPADGetStatus();
