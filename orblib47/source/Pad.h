// The pads: four engine pad records and one combined record, filled once per
// frame from the Wii Remote input layer, with edges, auto-repeat, the pad-0
// shift view and timed rumble programs.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_thread;

constexpr s32 PAD_COUNT = 4;
constexpr s32 PAD_SLOTS = 32;

// Pad slot masks filled by the input layer.
constexpr u32 PAD_LEFT = 0x00000001;
constexpr u32 PAD_RIGHT = 0x00000002;
constexpr u32 PAD_UP = 0x00000004;
constexpr u32 PAD_DOWN = 0x00000008;
constexpr u32 PAD_STICK_LEFT = 0x00000010;
constexpr u32 PAD_STICK_RIGHT = 0x00000020;
constexpr u32 PAD_STICK_UP = 0x00000040;
constexpr u32 PAD_STICK_DOWN = 0x00000080;
constexpr u32 PAD_1 = 0x00000100;
constexpr u32 PAD_Z = 0x00000400;
constexpr u32 PAD_C = 0x00000800;
constexpr u32 PAD_B = 0x00001000;
constexpr u32 PAD_A = 0x00002000;
constexpr u32 PAD_2 = 0x00040000;
constexpr u32 PAD_PLUS = 0x00100000;
constexpr u32 PAD_MINUS = 0x00200000;  // also pad 0's shift button
constexpr u32 PAD_HOME = 0x00400000;

// A rumble program, owned by the caller for as long as it runs.
struct s_vibe_prog {
    s32 priority;
    s16 amplitude0;  // the motor runs while it is non-zero
    s16 amplitude1;
    f32 duty;      // seconds of one on or off phase; 0: no pulsing
    f32 duration;  // seconds; 0: until stopped
};

struct s_vibe {
    s_vibe_prog* progAddr;
    f32 timer;
    f32 duty;
    f32 dutyTimer;
    f32 duration;
    s16 priority;
    u16 amplitude0;
    u16 amplitude1;
    u16 dutyStatus;  // 1 in the motor's on phase
};

struct s_pad_shift {
    u32 bdown;
    u32 bnew;
};

struct s_pad {
    u32 status;  // 1 while a controller answers
    u32 flags;
    u32 type;
    u32 buttons;  // the raw word, before remapping
    u32 bdown;
    u32 bnew;
    u32 breleased;
    u32 brepeat;
    f32 repeatDelay;
    f32 holdTime;
    u32 remap[PAD_SLOTS];
    s8 buttonType[PAD_SLOTS];  // 0 no source, 1 digital, 2 analogue
    u8 digital[PAD_SLOTS];
    s32 analog[PAD_SLOTS];  // -128..128
    s_vibe vibe;
    s_pad_shift shift;
};

extern s_pad Pad[PAD_COUNT];
extern s_pad PadAny;
extern s32 PadActivePad;
extern f32 PadInitialDelay;
extern f32 PadRepeatDelay;

enum e_pad_capture_mode : s32 {
    PAD_CAPTURE_IDLE = 0,
    PAD_CAPTURE_READING = 1,
    PAD_CAPTURE_WRITING = 2,
};

struct s_pad_capture {
    s32 duration;
    s16 analog[9];
    u32 digital;
    f32 realDeltaTime;
};

void PadColdReset();
void PadWarmReset();
void PadStartup();
void PadThread(s_thread* task, void* record);
void PadRead();
s32 PadSystemActivated();

void PadVibeOn(s32 pad, s_vibe_prog* prog);
void PadVibeOff(s32 pad);
void PadVibeClearAll();
// The rumble step of one pad pass.
void PadVibeUpdate();

f32 PadAnalogToVectorXZ(s32 pad, s32 slot, s_Vector3* vec, s_Vector3* dir);

void PadCaptureWarmReset();
e_pad_capture_mode PadCaptureGetMode();
