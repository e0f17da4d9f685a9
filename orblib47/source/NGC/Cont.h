// The Wii Remote input layer: the only engine code that talks to the controller
// libraries. Reads the remotes at most once per vertical retrace, converts a
// channel's newest sample into the engine's pad format and answers the game's
// direct queries (pointer, accelerometer, roll, rumble).
#pragma once

#include "console/kpad.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

constexpr s32 CONT_CHANNELS = 4;
constexpr u32 CONT_SAMPLES = 10;
constexpr s32 CONT_SLOTS = 32;

enum PAD_TYPE : s32 {
    PAD_TYPE_INVALID = 0,
    PAD_TYPE_ANALOG = 1,
};

enum e_cont_type : s32 {
    CONT_TYPE_NONE = 0,
    CONT_TYPE_PAD = 1,
    CONT_TYPE_VIRTUAL = 2,
};

// One row of a conversion table from a sample to pad slots.
struct s_cont_config {
    s8 index;  // the pad slot written
    s8 type;   // CONT_CONFIG_*
    void* stateVar;
    s32 bit;  // the button's mask in the sample's hold word
};
constexpr s8 CONT_CONFIG_END = -1;
constexpr s8 CONT_CONFIG_DIGITAL = 1;
constexpr s8 CONT_CONFIG_AXIS_POSITIVE = 2;
constexpr s8 CONT_CONFIG_AXIS_NEGATIVE = 3;

extern const s_cont_config PadAnalog[];
extern KPADStatus Pads[CONT_CHANNELS][CONT_SAMPLES];
extern s32 WPadResult[CONT_CHANNELS];
extern u32 WPadType[CONT_CHANNELS];
extern PAD_TYPE PadType[CONT_CHANNELS];
extern u32 PadLastReadTick;
extern s32 PadDisabled;

e_error_code ContColdReset();
e_error_code ContWarmReset();
void ContExit();
void ContRead();
e_cont_type ContGetReadData(s32 channel, u32* word, s32* analog, s8* types);
void PadSetVibe(s32 channel, u16 amplitude0, u16 amplitude1);
s32 ContEnabledPointer(s32 channel, s32 on);
s32 ContSetAccSensitivity(s32 channel, f32 play, f32 sensitivity);
s32 ContGetPointerPos(s32 channel, s_Vector2* out);
s32 ContGetPointerDelta(s32 channel, s_Vector2* out);
s32 ContGetPointerAcc(s32 channel, f32* out);
s32 ContGetTiltRoll(s32 channel, f32* out);
KPADStatus* ContGetRawData(s32 channel);
void ContGetStatus(s32 channel, u32* type, s32* result);
